// Stocks of operations: the stock marks of operation names and the template's part and floor
// stocks, as the template scan reads them.
#ifndef TORVANE_STOCK_H_INCLUDED
#define TORVANE_STOCK_H_INCLUDED

#include "uf_defs.h"

#define NAME_MARK_STOCK "-S"  // followed by a stock value
#define NAME_MARK_DEPTH "-Z"  // followed by a depth or floor value
#define NAME_MARK_SIDE_POINTS "-P"

// 1 when mark is in name; *value is the number right after it (digits, '-' and '.'), 0.0 when
// none follows. 0 (and 0.0) when the mark is not in the name.
int ask_name_mark_value(const char *name, const char *mark, double *value);

// The operation's part stock plus the number after "-S" in its name; 0 when the name has no
// "-S" or the object is no stock-carrying operation (type 100, subtype 10).
int ask_name_stock(tag_t oper_tag, double *stock);

// Part and floor stock of an operation; the floor is the part stock for operations without a
// floor stock of their own, both 0.0 for type 100, subtype 10. Returns 1.
int ask_part_floor_stock(tag_t oper_tag, double *part_stock, double *floor_stock);

#endif
