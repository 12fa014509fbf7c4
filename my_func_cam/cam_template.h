// The CAM template set (the template parts offered for selection, with label, picture and
// description) and the insert definitions (short descriptions of the program groups and
// operations of the two insert template parts).
#ifndef MY_FUNC_CAM_CAM_TEMPLATE_H_INCLUDED
#define MY_FUNC_CAM_CAM_TEMPLATE_H_INCLUDED

#define CAM_TEMPLATE_DIR "D:\\qz_conf\\cam_qz\\cam_template"
#define CAM_TEMPLATE_SET_PATH "D:\\qz_conf\\cam_qz\\cam_template\\qz_cam_int_template_set.def"
#define INSERT_GROUP_DEF_PATH "D:\\qz_conf\\cam_qz\\insert_template\\insert_group_template.def"
#define INSERT_OPER_DEF_PATH "D:\\qz_conf\\cam_qz\\insert_template\\insert_oper_template.def"

#define CAM_TEMPLATE_FIELD_BUFSIZE 256   // label, file and picture names: at most 255 characters
#define TEMPLATE_DESCR_BUFSIZE 2000      // at most 1999 characters
#define INSERT_DEF_FIELD_BUFSIZE 256     // at most 255 characters

// One template of the set, in reading order. Records are allocated with new and released
// with delete.
struct cam_template {
    char label[CAM_TEMPLATE_FIELD_BUFSIZE] = "";
    char template_file[CAM_TEMPLATE_FIELD_BUFSIZE] = "";
    char bitmap_file[CAM_TEMPLATE_FIELD_BUFSIZE] = "";  // empty means "null.bmp"
    char description[TEMPLATE_DESCR_BUFSIZE] = "";     // '|' separates lines
    cam_template *next_p = nullptr;
};

// One line of an insert definition file, in reading order.
struct insert_def {
    char name[INSERT_DEF_FIELD_BUFSIZE] = "";
    char descr[INSERT_DEF_FIELD_BUFSIZE] = "";
    insert_def *next_p = nullptr;
};

// Reads the set file at set_path into *list_p in reading order, then appends a record with only
// template_file for every "*.prt" of template_dir that no record names (letter case ignored).
// Whatever *list_p held before is freed first. 0 after a message when the set file cannot be
// opened (the list is then empty); a directory that cannot be read adds nothing.
int MY_read_qz_cam_template_def(cam_template **list_p, const char *template_dir, const char *set_path);

// Reads the insert definition file at path ("NAME=description" lines) into *list_p, freeing its
// old content first. 0 after a message when the file cannot be opened (the list is then empty).
int MY_read_qz_cam_insert(insert_def **list_p, const char *path);

// Delete every record and leave the list empty.
void free_cam_template_list(cam_template **list_p);
void free_insert_def_list(insert_def **list_p);

// First record whose template_file (name) equals the given text, letter case ignored; NULL when
// none does.
cam_template *find_cam_template(cam_template *list, const char *template_file);
insert_def *find_insert_def(insert_def *list, const char *name);

#endif
