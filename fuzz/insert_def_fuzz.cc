// An insert definition file ("NAME=description" lines), each record found again by its name.
#include "fuzz_support.h"
#include "my_func_cam/cam_template.h"

TORVANE_FUZZ_TARGET(insert_def) {
    fuzzsupport::Session session;
    fuzzsupport::put_file("qz_conf/cam_qz/insert_template/insert_oper_template.def", input);
    insert_def *list = nullptr;
    MY_read_qz_cam_insert(&list, "D:\\qz_conf\\cam_qz\\insert_template\\insert_oper_template.def");
    for (insert_def *d = list; d; d = d->next_p)
        if (!find_insert_def(list, d->name)) fuzzsupport::finding("a read definition is not found by its name");
    free_insert_def_list(&list);
}
