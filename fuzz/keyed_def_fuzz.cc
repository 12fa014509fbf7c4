// Keyed definition files: config.def through the spark-gap descriptors, then single keys of
// either file through the number and text readers, as the add-on asks for them.
#include "fuzz_support.h"
#include "my_func/my_func.h"

TORVANE_FUZZ_TARGET(keyed_def) {
    fuzzsupport::Session session;
    fuzzsupport::put_file("qz_conf/config.def", input);
    edm_descr descr;
    read_config_edm_descr(&descr);
    double number = 0.0;
    read_config_value("fix_user_def_oper_start_angle:", &number, CONFIG_DEF_PATH);
    char text[MY_CONFIG_VALUE_BUFSIZE];
    read_config_value_char("path_elec_text_dir:", text, CONFIG_DEF_PATH);
}
