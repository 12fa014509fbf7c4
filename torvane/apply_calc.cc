// The calculation's set-up step runs for real; the operation builders that would take the plan
// from there are not part of this version, which the status line says.
#include "torvane/apply_calc.h"

#include "torvane/calc_setup.h"
#include "torvane/messages.h"

void apply_calc(int dialog_id, int) {
    from_side_start_point start_points;
    const int made = prepare_calc_setup(dialog_id, &start_points);
    if (made) list_calc_setup();
    free_from_side_start_point(&start_points);
    if (made) show_torvane_status("say_calc_missin_01:");
}
