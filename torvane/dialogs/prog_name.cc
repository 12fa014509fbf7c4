// The program name sequence, its check and the naming of the created program groups.
#include "torvane/dialogs/prog_name.h"

#include <cctype>
#include <cstdio>
#include <vector>

#include "my_func/my_func.h"
#include "torvane/dialogs/main_dlg_items.h"
#include "torvane/dialogs/styler_items.h"
#include "torvane/state/messages.h"
#include "uf_obj.h"
#include "uf_setup.h"
#include "uf_ui_ont.h"

namespace {

// Objects a generated name must not meet: program groups and operations of the part.
const int PROGRAM_GROUP_TYPE = 121, PROGRAM_GROUP_SUBTYPE = 160;
const int OPERATION_TYPE = 100, OPERATION_SUBTYPE = 110;
const int LAST_LETTER = 'Z';

// STR_10 in upper case, cut to the width of its field.
std::string start_name(int dialog_id) {
    char name[PROG_NAME_MAX + 1];
    MY_copy_cut(name, sizeof name, ask_item_text(dialog_id, QZ_CAM_STR_10).c_str());
    MY_upper_case(name);
    return name;
}

int decimal_digits(long long n) {
    int digits = 1;
    for (n = n < 0 ? -n : n; n >= 10; n /= 10) ++digits;
    return digits;
}

// The first clash of a generated name with a program group or operation of the part.
bool name_is_taken(const std::string &name) {
    tag_t object = NULL_TAG;
    while (UF_CALL(UF_OBJ_cycle_by_name(name.c_str(), &object)) == 0 && object != NULL_TAG) {
        int type = 0, subtype = 0;
        if (UF_CALL(UF_OBJ_ask_type_and_subtype(object, &type, &subtype)) != 0) continue;
        if (type == PROGRAM_GROUP_TYPE && subtype == PROGRAM_GROUP_SUBTYPE) {
            show_torvane_name_message("check_start_prog_nam_06:", name.c_str(), "check_start_prog_nam_07:");
            return true;
        }
        if (type == OPERATION_TYPE && subtype == OPERATION_SUBTYPE) {
            show_torvane_name_message("check_start_prog_nam_08:", name.c_str(), "check_start_prog_nam_09:");
            return true;
        }
    }
    return false;
}

}  // namespace

int prog_name_source_of(const char *start_name, prog_name_source *source) {
    *source = prog_name_source();
    const std::string name = start_name ? start_name : "";
    if (name.empty()) return 0;
    const unsigned char last = static_cast<unsigned char>(name.back());
    if (last >= 0x80 || !std::isalnum(last)) return 0;
    if (!std::isdigit(last)) {
        source->letter_form = 1;
        source->prefix = name.substr(0, name.size() - 1);
        source->letter = static_cast<char>(last);
        return 1;
    }
    std::vector<char> prefix(name.size() + 1);
    MY_divide_elec_name(name.c_str(), prefix.data(), &source->start_number, &source->width);
    source->prefix = prefix.data();
    return 1;
}

std::string prog_name_at(const prog_name_source &source, int i) {
    if (source.letter_form) return source.prefix + static_cast<char>(source.letter + i);
    const long long number = static_cast<long long>(source.start_number) + i;
    const int zeros = source.width < 2 ? 0 : source.width - decimal_digits(number);
    return source.prefix + std::string(zeros > 0 ? static_cast<std::size_t>(zeros) : 0, '0') + std::to_string(number);
}

int count_plan_groups(r_m_f_or_other *plan) {
    int count = 0;
    visit_plan_groups(plan, [&count](prog_group *, r_m_f_or_other *) {
        ++count;
        return false;
    });
    return count;
}

int check_start_prog_name(int dialog_id) {
    const std::string name = start_name(dialog_id);
    set_item_text(dialog_id, QZ_CAM_STR_10, name.c_str());
    prog_name_source source;
    if (!prog_name_source_of(name.c_str(), &source)) {
        show_torvane_message("check_start_prog_nam_01:");
        return 0;
    }
    const int count = count_plan_groups(static_plan_list);
    if (count == 0) return 1;
    // The count itself, not the last index, is held against "Z".
    if (source.letter_form && static_cast<unsigned char>(source.letter) + count > LAST_LETTER) {
        show_torvane_message("check_start_prog_nam_02:");
        return 0;
    }
    tag_t setup = NULL_TAG, program_root = NULL_TAG;
    if (UF_CALL(UF_SETUP_ask_setup(&setup)) != 0 || setup == NULL_TAG) {
        show_torvane_message("check_start_prog_nam_03:");
        return 0;
    }
    if (UF_CALL(UF_SETUP_ask_program_root(setup, &program_root)) != 0 || program_root == NULL_TAG) {
        show_torvane_message("check_start_prog_nam_04:");
        return 0;
    }
    if (!source.letter_form && source.width > PROG_NAME_WIDTH_MAX) {
        show_torvane_message("check_start_prog_nam_05:");
        return 0;
    }
    for (int i = 0; i < count; ++i)
        if (name_is_taken(prog_name_at(source, i))) return 0;
    return 1;
}

int reset_prog_name(int dialog_id) {
    prog_name_source source;
    prog_name_source_of(start_name(dialog_id).c_str(), &source);
    if (!source.letter_form && source.width > PROG_NAME_WIDTH_MAX) {
        show_torvane_message("reset_prog_nam_01:");
        return 0;
    }
    int i = 0;
    visit_plan_groups(static_plan_list, [&](prog_group *group, r_m_f_or_other *) {
        if (group->obj_tag != NULL_TAG) UF_CALL(UF_OBJ_set_name(group->obj_tag, prog_name_at(source, i).c_str()));
        ++i;
        return false;
    });
    UF_CALL(UF_UI_ONT_refresh());
    return 1;
}
