// The template set file with a template folder beside it, then every record as the template
// dialog shows it: its list line, the name read back from that line, its description lines.
#include <cstring>

#include "fuzz_support.h"
#include "my_func_cam/cam_template.h"
#include "torvane/dialogs/sel_template_dlg.h"

TORVANE_FUZZ_TARGET(template_set) {
    fuzzsupport::Session session;
    static const bool folder_made = [] {
        for (const char *name : {"cu_std.prt", "cu_fine.prt", "other.PRT"})
            fuzzsupport::put_file(std::string("qz_conf/cam_qz/cam_template/") + name, "{}");
        return true;
    }();
    (void)folder_made;
    fuzzsupport::put_file("qz_conf/cam_qz/cam_template/qz_cam_int_template_set.def", input);
    cam_template *list = nullptr;
    MY_read_qz_cam_template_def(&list, "D:\\qz_conf\\cam_qz\\cam_template",
                                "D:\\qz_conf\\cam_qz\\cam_template\\qz_cam_int_template_set.def");
    for (cam_template *t = list; t; t = t->next_p) {
        char line[SEL_TEMP_LINE_BUFSIZE];
        sel_temp_list_line(t, line);
        char name[SEL_TEMP_LINE_BUFSIZE];
        sel_temp_name_of_line(line, name);
        sel_temp_description_lines(t->description);
        if (t->template_file[0] && !find_cam_template(list, t->template_file))
            fuzzsupport::finding("a read template is not found by its file");
    }
    free_cam_template_list(&list);
}
