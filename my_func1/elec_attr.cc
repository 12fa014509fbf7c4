// The electrode attribute record of an electrode solid.
#include <cstring>

#include "my_func/my_func.h"
#include "my_func1/my_func1.h"
#include "uf.h"
#include "uf_attr.h"

namespace {

// Finds title with type on solid and reads it, both NX calls reported. 1 with value of that
// type (a string value is NX memory, freed by the caller).
int find_and_read(tag_t solid, const char *title, int type, UF_ATTR_value_t *value) {
    char title_text[MY_ATTR_TITLE_MAX + 1];
    MY_copy_cut(title_text, sizeof title_text, title);
    int found_type = 0;
    if (UF_CALL(UF_ATTR_find_attribute(solid, type, title_text, &found_type)) != 0 || found_type == 0) return 0;
    return MY_read_obj_att_value(solid, title_text, type, value);
}

void set_flag(unsigned char *flag) {
    if (flag) *flag = 1;
}

bool read_real(tag_t solid, const char *title, double *field, unsigned char *flag) {
    UF_ATTR_value_t value{};
    if (!find_and_read(solid, title, UF_ATTR_real, &value)) return false;
    *field = value.value.real;
    set_flag(flag);
    return true;
}

bool read_int(tag_t solid, const char *title, int *field, unsigned char *flag) {
    UF_ATTR_value_t value{};
    if (!find_and_read(solid, title, UF_ATTR_integer, &value)) return false;
    *field = value.value.integer;
    set_flag(flag);
    return true;
}

// The flag byte of an integer attribute: its low byte.
void read_low_byte(tag_t solid, const char *title, unsigned char *field, unsigned char *copy) {
    int value = 0;
    if (!read_int(solid, title, &value, nullptr)) return;
    *field = static_cast<unsigned char>(value & 0xff);
    if (copy) *copy = *field;
}

// Any text, an empty one too, with its presence flag.
void read_text(tag_t solid, const char *title, char *field, size_t size, unsigned char *flag) {
    UF_ATTR_value_t value{};
    if (!find_and_read(solid, title, UF_ATTR_string, &value)) return;
    MY_copy_cut(field, size, value.value.string);
    if (value.value.string) UF_free(value.value.string);
    set_flag(flag);
}

// Through the family reader; an empty text leaves the field as it is. True when copied.
bool read_family_text(tag_t solid, const char *title, char *field, size_t size) {
    char text[MY_ATTR_VALUE_BUFSIZE];
    if (!MY_read_obj_string_att(solid, title, text) || text[0] == '\0') return false;
    MY_copy_cut(field, size, text);
    return true;
}

// Switches that count only when set to exactly 1.
int read_switch(tag_t solid, const char *title) {
    int value = 0;
    MY_read_obj_int_att(solid, title, &value);
    return value == 1 ? 1 : 0;
}

}  // namespace

int read_elec_attr_data(tag_t solid, elec_attr_data *record) {
    if (!record) return 0;
    elec_attr_data &r = *record;
    std::memset(&r, 0, sizeof r);
    if (solid == NULL_TAG) return 1;

    read_real(solid, "elec_rough_space", &r.rough_space, &r.has_rough_space);
    read_real(solid, "elec_finish_space", &r.finish_space, &r.has_finish_space);
    read_real(solid, "elec_middle_space", &r.middle_space, &r.has_middle_space);
    const bool rough = read_int(solid, "elec_rough_number", &r.rough_number, nullptr);
    const bool finish = read_int(solid, "elec_finish_number", &r.finish_number, nullptr);
    const bool middle = read_int(solid, "elec_middle_number", &r.middle_number, nullptr);
    // One spark number is enough to trust all three: the missing ones mean no such electrode.
    if (rough || finish || middle) r.has_rough_number = r.has_finish_number = r.has_spark_numbers = 1;

    read_int(solid, "t_elec_rough_number", &r.t_rough_number, &r.has_t_rough_number);
    read_int(solid, "t_elec_finish_number", &r.t_finish_number, &r.has_t_finish_number);
    read_real(solid, "T_ELEC_ROUGH_SPACE", &r.t_rough_space, &r.has_t_rough_space);
    read_real(solid, "T_ELEC_FINISH_SPACE", &r.t_finish_space, &r.has_t_finish_space);
    read_int(solid, "elec_type", &r.elec_type, nullptr);
    read_low_byte(solid, "require_wcut", &r.require_wcut, &r.require_wcut_copy);
    read_low_byte(solid, "REQUIRE_JK", &r.require_jk, &r.require_jk_copy);
    read_low_byte(solid, "REQUIRE_AVOID", &r.require_avoid, nullptr);
    read_text(solid, "ELEC_NOTE", r.note, sizeof r.note, &r.has_note);
    read_text(solid, "ELEC_ADD_INLAY_CHAR", r.add_inlay_char, sizeof r.add_inlay_char, &r.has_add_inlay_char);
    read_text(solid, "ELEC_SUB_INLAY_CHAR", r.sub_inlay_char, sizeof r.sub_inlay_char, &r.has_sub_inlay_char);
    read_text(solid, "ELEC_AGAIN_MACH", r.again_mach, sizeof r.again_mach, &r.has_again_mach);
    read_text(solid, "ELEC_MACH_TYPE", r.mach_type, sizeof r.mach_type, &r.has_mach_type);

    read_family_text(solid, "NEW_OR_MODIFY_MODL", r.new_or_modify, sizeof r.new_or_modify);
    r.is_mirror_elec = read_switch(solid, "IS_MIRROR_ELEC");
    r.use_input_kl_size = read_switch(solid, "USE_INPUT_KL_SIZE");
    r.kl_size_extra_add = read_switch(solid, "INPUT_KL_SIZE_LWH_EXTRA_ADD");
    MY_read_obj_real_att(solid, "INPUT_KL_SIZE_LEN", &r.kl_size_length);
    MY_read_obj_real_att(solid, "INPUT_KL_SIZE_WIDTH", &r.kl_size_width);
    MY_read_obj_real_att(solid, "INPUT_KL_SIZE_HEIGHT", &r.kl_size_height);
    read_family_text(solid, "MACH_TEMPLATE", r.mach_template, sizeof r.mach_template);
    read_family_text(solid, "R_ELEC_SMOOTH", r.r_smooth, sizeof r.r_smooth);
    read_family_text(solid, "M_ELEC_SMOOTH", r.m_smooth, sizeof r.m_smooth);
    read_family_text(solid, "F_ELEC_SMOOTH", r.f_smooth, sizeof r.f_smooth);
    read_family_text(solid, "ELEC_SHAPE", r.shape, sizeof r.shape);
    read_family_text(solid, "EDM_SWING_TYPE", r.swing_type, sizeof r.swing_type);
    read_family_text(solid, "EDM_CORRESPONDING_MATER", r.corresponding_mater, sizeof r.corresponding_mater);
    double area = 0.0;
    MY_read_obj_real_att(solid, "ELEC_EDM_AREA", &area);
    if (area > 0.0) r.edm_area = area;
    read_family_text(solid, "TECHNOLOGY_TYPE", r.technology_type, sizeof r.technology_type);
    read_family_text(solid, "EXTRA_ADD_ATTR_1", r.extra_attr_1, sizeof r.extra_attr_1);
    read_family_text(solid, "EXTRA_ADD_ATTR_2", r.extra_attr_2, sizeof r.extra_attr_2);
    const bool materials[] = {
        read_family_text(solid, "ELEC_MAT_NAME", r.mat_name, sizeof r.mat_name),
        read_family_text(solid, "ELEC_R_MAT_NAME", r.r_mat_name, sizeof r.r_mat_name),
        read_family_text(solid, "ELEC_M_MAT_NAME", r.m_mat_name, sizeof r.m_mat_name),
        read_family_text(solid, "ELEC_F_MAT_NAME", r.f_mat_name, sizeof r.f_mat_name),
    };
    for (bool copied : materials)
        if (copied) r.has_material = 1;
    return 1;
}
