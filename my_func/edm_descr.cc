// The six EDM spark-gap descriptors of config.def.
#include <cstdio>
#include <cstring>
#include <memory>

#include "my_func/my_func.h"
#include "sys/sys_file.h"
#include "uf_ui.h"

namespace {

struct descr_key {
    const char *key;
    char (edm_descr::*field)[EDM_DESCR_FIELD_BUFSIZE];
    const char *missing_key_tag;
    const char *missing_value_tag;
};

}  // namespace

int read_config_edm_descr(edm_descr *descr) {
    if (!descr) return 0;
    std::memset(descr, 0, sizeof *descr);
    std::unique_ptr<FILE, int (*)(FILE *)> fp(sys_fopen(CONFIG_DEF_PATH, "r"), std::fclose);
    if (!fp) {
        show_catalogue_text(MY_FUNC1_LANG_FORMAT, "read_config_edm_descr_01:");
        return 0;
    }

    static const descr_key keys[] = {
        {"elec_rough_space:", &edm_descr::elec_rough_space, "read_config_edm_descr_02:", "read_config_edm_descr_03:"},
        {"elec_finish_space:", &edm_descr::elec_finish_space, "read_config_edm_descr_04:", "read_config_edm_descr_05:"},
        {"elec_rough_number:", &edm_descr::elec_rough_number, "read_config_edm_descr_06:", "read_config_edm_descr_07:"},
        {"elec_finish_number:", &edm_descr::elec_finish_number,
         "read_config_edm_descr_08:", "read_config_edm_descr_09:"},
    };
    for (const descr_key &k : keys) {
        std::rewind(fp.get());
        if (!MY_find_config_key(fp.get(), k.key, MY_EDM_DESCR_TOKEN_MAX)) {
            fp.reset();
            show_catalogue_text(MY_FUNC1_LANG_FORMAT, k.missing_key_tag);
            return 0;
        }
        char value[MY_EDM_DESCR_TOKEN_MAX + 1];
        int scanned = MY_scan_config_value(fp.get(), value, MY_EDM_DESCR_TOKEN_MAX, 1);
        if (scanned == 0) {
            fp.reset();
            show_catalogue_text(MY_FUNC1_LANG_FORMAT, k.missing_value_tag);
            return 0;
        }
        if (scanned == 1) MY_copy_cut(descr->*k.field, EDM_DESCR_FIELD_BUFSIZE, value);
    }
    fp.reset();

    char value[MY_CONFIG_VALUE_BUFSIZE];
    if (!read_config_value_char("elec_middle_space:", value, CONFIG_DEF_PATH)) return 0;
    MY_copy_cut(descr->elec_middle_space, EDM_DESCR_FIELD_BUFSIZE, value);
    if (!read_config_value_char("elec_middle_number:", value, CONFIG_DEF_PATH)) return 0;
    MY_copy_cut(descr->elec_middle_number, EDM_DESCR_FIELD_BUFSIZE, value);
    return 1;
}
