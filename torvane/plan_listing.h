// The plan of a turn as text in the listing window: what the template scan read, until the main
// dialog shows it.
#ifndef TORVANE_PLAN_LISTING_H_INCLUDED
#define TORVANE_PLAN_LISTING_H_INCLUDED

#include "torvane/plan.h"

// Writes the plan's groups and operations, each operation with its NX subtype, cutter and stocks,
// then the numbers of program groups and operations the insert templates offer. 0 when a
// catalogue text is missing (its lookup has said so).
int list_plan_tree(const char *template_file, const r_m_f_or_other *plan, const r_m_f_or_other *insert_groups,
                   const r_m_f_or_other *insert_opers);

#endif
