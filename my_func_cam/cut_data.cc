// The steep-stepover percentage of config_cam.def.
#include "my_func_cam/cut_data.h"

#include "my_func/my_func.h"

double static_fix_steep_cut_percent = -100.0;

double fix_steep_cut_percent(void) {
    if (static_fix_steep_cut_percent == -100.0) {
        double value = 0.0;
        static_fix_steep_cut_percent =
            read_config_value(FIX_STEEP_CUT_PERCENT_KEY, &value, CONFIG_CAM_DEF_PATH) ? value
                                                                                      : FIX_STEEP_CUT_PERCENT_DEFAULT;
    }
    return static_fix_steep_cut_percent;
}
