// The tool library tables: one library's table and its display name, as the main dialog reads
// them, then each record looked up by its name. Which library depends on the input's length, so
// that all six are reached without reading the file twelve times per input.
#include <string>
#include <strings.h>

#include "fuzz_support.h"
#include "my_func/my_func.h"
#include "my_func_cam/tool_libref.h"

TORVANE_FUZZ_TARGET(tool_table) {
    fuzzsupport::Session session;
    fuzzsupport::put_file("qz_conf/config_tool_libref.def", input);
    const std::string n = std::to_string(1 + input.size() % TOOL_LIBREF_COUNT);
    char name[MY_CONFIG_VALUE_BUFSIZE];
    read_config_value_char(("tool_libref_" + n + "_name:").c_str(), name, TOOL_LIBREF_PATH);
    tool_data *list = nullptr;
    if (MY_read_tool_libref_new(("tool_data_define_start_" + n + ":").c_str(), &list, TOOL_LIBREF_PATH))
        for (tool_data *t = list; t; t = t->next_p)
            if (strcasecmp(t->tool_name, "NONE") != 0 && find_tool_data(list, t->tool_name) == nullptr)
                fuzzsupport::finding("a read cutter is not found");
    free_tool_data_list(&list);
}
