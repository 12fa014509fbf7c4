// The template dialog's state file torvane_sel_temp.dat: the list line and the toggle it gives
// are read back as written.
#include <cstdint>
#include <cstring>

#include "fuzz_support.h"
#include "torvane/dialogs/sel_template_dlg.h"

TORVANE_FUZZ_TARGET(sel_temp_state) {
    fuzzsupport::Session session;
    fuzzsupport::put_file("qz_conf/temp/torvane_sel_temp.dat", input);
    int index = -1, toggle = -1;
    read_sel_temp_state(&index, &toggle);
    std::int32_t expected[2] = {0, 0};
    if (input.size() >= sizeof expected) std::memcpy(expected, input.data(), sizeof expected);
    if (index != expected[0] || toggle != expected[1]) fuzzsupport::finding("the state file was misread");
    if (!write_sel_temp_state(index, toggle)) fuzzsupport::finding("the state could not be written");
    int again_index = -1, again_toggle = -1;
    read_sel_temp_state(&again_index, &again_toggle);
    if (again_index != index || again_toggle != toggle) fuzzsupport::finding("the written state reads back otherwise");
}
