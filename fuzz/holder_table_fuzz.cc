// The holder table and the section text of each holder, as the cutters are given holders.
#include "fuzz_support.h"
#include "my_func_cam/tool_libref.h"

TORVANE_FUZZ_TARGET(holder_table) {
    fuzzsupport::Session session;
    fuzzsupport::put_file("qz_conf/config_holder_libref.def", input);
    holder_data *list = nullptr;
    if (MY_read_holder_libref("holder_data_define_start_1:", &list, HOLDER_LIBREF_PATH)) {
        for (holder_data *h = list; h; h = h->next_p) {
            if (find_holder_data(list, h->holder_name) == nullptr) fuzzsupport::finding("a read holder is not found");
            holder_section *sections = nullptr;
            get_char_holder_section_data(h->holder_name, h->section_text, &sections);
            free_holder_section_list(&sections);
        }
    }
    free_holder_data_list(&list);
    // The section text alone, as a cutter of the part may carry any.
    holder_section *sections = nullptr;
    get_char_holder_section_data("FUZZ", input.substr(0, HOLDER_SECTION_TEXT_BUFSIZE - 1).c_str(), &sections);
    free_holder_section_list(&sections);
}
