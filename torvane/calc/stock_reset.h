// Stocks and cut depth of operations that exist in NX already, applied again when the user
// changes a spark gap, an allowance or the class of an operation.
#ifndef TORVANE_STOCK_RESET_H_INCLUDED
#define TORVANE_STOCK_RESET_H_INCLUDED

#include "torvane/state/plan.h"

// By the operation type key in its name, from the plan's part and floor stocks: the class stock
// (or the "-S" stocks) as the kind of operation takes it, its bottom cut level again (the picked
// depth point first), its "-Z" mark, and with TOGGLE_29 the cutting data of its cutter's library
// record. 1 done (also for an operation that does not exist yet: nothing to do); 0 after a message
// (no MCS, an MCS that is not axis-aligned, an electrode without analysis record).
int reset_oper_stock_and_cut_depth(oper *oper_p);

// The reset for every operation of static_plan_list that exists, each then to be generated again.
void reset_all_oper_stock(void);

#endif
