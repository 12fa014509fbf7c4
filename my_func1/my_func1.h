// The electrode attribute record: every attribute that the electrode design tools leave on an
// electrode solid, read in one call so that dialogs and notes need not ask NX again.
#ifndef MY_FUNC1_H_INCLUDED
#define MY_FUNC1_H_INCLUDED

#include "uf_defs.h"

// A character field of N characters holds N characters plus the terminator: N + 1 bytes. A
// longer value is cut to N bytes (never inside a double-byte character).
#define ELEC_ATTR_SHORT_BUFSIZE 81  // 80 characters
#define ELEC_ATTR_NAME_BUFSIZE 101  // 100 characters
#define ELEC_ATTR_TEXT_BUFSIZE 257  // 256 characters

// Flags are 0 or 1 unless said otherwise; a field whose attribute is missing stays 0 or "".
struct elec_attr_data {
    unsigned char has_rough_space;    // "elec_rough_space" found
    unsigned char has_finish_space;   // "elec_finish_space" found
    unsigned char has_rough_number;   // the three spark-number flags are set together as
    unsigned char has_finish_number;  // soon as any of the three numbers is found
    unsigned char has_t_rough_space;
    unsigned char has_t_finish_space;
    unsigned char has_t_rough_number;
    unsigned char has_t_finish_number;
    unsigned char has_material;  // one of the four material names is not empty
    unsigned char require_wcut;  // low byte of "require_wcut"
    unsigned char require_jk;    // low byte of "REQUIRE_JK"
    unsigned char has_note;
    unsigned char has_add_inlay_char;
    unsigned char has_sub_inlay_char;
    unsigned char has_again_mach;
    unsigned char has_mach_type;
    double rough_space;  // spark gaps in mm
    double finish_space;
    int rough_number;  // how many rough electrodes
    int finish_number;
    double t_rough_space;
    double t_finish_space;
    int t_rough_number;
    int t_finish_number;
    int elec_type;  // "elec_type", no flag of its own
    char mat_name[ELEC_ATTR_NAME_BUFSIZE];
    char r_mat_name[ELEC_ATTR_NAME_BUFSIZE];
    char m_mat_name[ELEC_ATTR_NAME_BUFSIZE];
    char f_mat_name[ELEC_ATTR_NAME_BUFSIZE];
    unsigned char require_wcut_copy;  // = require_wcut
    unsigned char require_jk_copy;    // = require_jk
    unsigned char require_avoid;      // low byte of "REQUIRE_AVOID"
    char note[ELEC_ATTR_TEXT_BUFSIZE];
    unsigned char has_middle_space;
    unsigned char has_spark_numbers;  // third spark-number flag (with the middle number)
    double middle_space;
    int middle_number;
    char add_inlay_char[ELEC_ATTR_TEXT_BUFSIZE];
    char sub_inlay_char[ELEC_ATTR_TEXT_BUFSIZE];
    char again_mach[ELEC_ATTR_TEXT_BUFSIZE];
    char mach_type[ELEC_ATTR_TEXT_BUFSIZE];
    int is_mirror_elec;     // 1 only when "IS_MIRROR_ELEC" is exactly 1
    int use_input_kl_size;  // the same for "USE_INPUT_KL_SIZE"
    int kl_size_extra_add;  // and for "INPUT_KL_SIZE_LWH_EXTRA_ADD"
    double kl_size_length;  // stock block size
    double kl_size_width;
    double kl_size_height;
    double edm_area;  // only a positive area is kept
    char new_or_modify[ELEC_ATTR_SHORT_BUFSIZE];
    char mach_template[ELEC_ATTR_TEXT_BUFSIZE];
    char r_smooth[ELEC_ATTR_SHORT_BUFSIZE];
    char m_smooth[ELEC_ATTR_SHORT_BUFSIZE];
    char f_smooth[ELEC_ATTR_SHORT_BUFSIZE];
    char shape[ELEC_ATTR_SHORT_BUFSIZE];
    char swing_type[ELEC_ATTR_SHORT_BUFSIZE];
    char corresponding_mater[ELEC_ATTR_SHORT_BUFSIZE];
    char technology_type[ELEC_ATTR_SHORT_BUFSIZE];
    char extra_attr_1[ELEC_ATTR_TEXT_BUFSIZE];
    char extra_attr_2[ELEC_ATTR_TEXT_BUFSIZE];
};

// Clears record and fills it from the attributes of solid; failed NX calls are reported and
// leave their fields cleared. Always 1 (a null solid reads as one without attributes); 0
// only without a record.
int read_elec_attr_data(tag_t solid, elec_attr_data *record);

#endif
