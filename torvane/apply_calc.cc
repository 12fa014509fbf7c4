// The operation builders that the calculation hands the plan to are not part of this version:
// both entry points say so on the status line and leave the part as it is.
#include "torvane/apply_calc.h"

#include "torvane/messages.h"

namespace {

void say_calc_missing(const char *tag) { show_torvane_status(tag); }

}  // namespace

void apply_calc(int, int) { say_calc_missing("say_calc_missin_01:"); }

int reset_oper_stock_and_cut_depth(oper *) {
    say_calc_missing("say_calc_missin_02:");
    return 0;
}
