// The attribute family: one real, integer or string attribute of an NX object by title.
#include <cstring>
#include <string>

#include "my_func/my_func.h"
#include "uf.h"
#include "uf_attr.h"
#include "uf_ui.h"

namespace {

// Message tags of one family member: empty title, title too long.
struct title_tags {
    const char *empty;
    const char *too_long;
};

// The real-number members share the integer members' texts.
const title_tags READ_NUMBER_TAGS = {"read_obj_int_att_01:", "read_obj_int_att_02:"};
const title_tags READ_STRING_TAGS = {"read_obj_string_att_01:", "read_obj_string_att_02:"};
const title_tags SET_NUMBER_TAGS = {"set_obj_int_attr_01:", "set_obj_int_attr_02:"};
const title_tags SET_STRING_TAGS = {"set_obj_string_att_01:", "set_obj_string_att_02:"};

// A title NX calls can take (they want a writable text).
struct title_buffer {
    char text[MY_ATTR_TITLE_MAX + 1];
};

// 1 with the title copied; otherwise shows the member's text from the catalogue at lang_path
// (nothing more when the lookup fails: it said why).
int check_title(const char *title, const title_tags &tags, const char *lang_path, title_buffer *copy) {
    const size_t length = title ? std::strlen(title) : 0;
    const char *tag = length == 0 ? tags.empty : length > MY_ATTR_TITLE_MAX ? tags.too_long : nullptr;
    if (tag) {
        char text[MY_MESSAGE_BUFSIZE];
        if (lookup_message(tag, text, lang_path)) uc1601(text, 1);
        return 0;
    }
    std::memcpy(copy->text, title, length + 1);
    return 1;
}

// Frees the text NX allocated for a string or reference value, if any.
void release_value(UF_ATTR_value_t *value) {
    if ((value->type == UF_ATTR_string || value->type == UF_ATTR_reference) && value->value.string)
        UF_free(value->value.string);
    value->value.string = nullptr;
}

// Common start of the readers: 1 when obj_tag carries title with type and its value is read.
int read_typed(tag_t obj_tag, const char *title, int type, const title_tags &tags, UF_ATTR_value_t *value) {
    char lang_path[MY_PATH_BUFSIZE];
    build_lang_path(lang_path, MY_FUNC_LANG_FORMAT);
    title_buffer checked;
    if (!check_title(title, tags, lang_path, &checked)) return 0;
    if (obj_tag == NULL_TAG) return 0;
    int found_type = 0;
    if (UF_ATTR_find_attribute(obj_tag, type, checked.text, &found_type) != 0 || found_type == 0) return 0;
    return MY_read_obj_att_value(obj_tag, checked.text, type, value);
}

// Common part of the writers: checks, removes what is to be replaced, assigns. Only the integer
// writer refuses a null object (null_tag_text); the others let NX report it.
int write_typed(tag_t obj_tag, const char *title, const title_tags &tags, const char *null_tag_text, int delete_type,
                UF_ATTR_value_t value) {
    char lang_path[MY_PATH_BUFSIZE];
    build_lang_path(lang_path, MY_FUNC_LANG_FORMAT);
    title_buffer checked;
    if (!check_title(title, tags, lang_path, &checked)) return 0;
    if (obj_tag == NULL_TAG && null_tag_text) {
        uc1601(null_tag_text, 1);
        return 0;
    }
    int found_type = 0;
    if (UF_ATTR_find_attribute(obj_tag, value.type, checked.text, &found_type) == 0 && found_type != 0)
        UF_ATTR_delete(obj_tag, delete_type, checked.text);
    // A refusal is in the listing window; like every caller of NX here, the writer goes on.
    UF_CALL(UF_ATTR_assign(obj_tag, checked.text, value));
    return 1;
}

}  // namespace

int MY_read_obj_att_value(tag_t obj_tag, const char *title, int type, UF_ATTR_value_t *value) {
    title_buffer copy{};
    MY_copy_cut(copy.text, sizeof copy.text, title);
    value->type = 0;
    value->value.string = nullptr;  // NX allocates a string value
    if (UF_CALL(UF_ATTR_read_value(obj_tag, copy.text, UF_ATTR_any, value)) != 0) {
        release_value(value);
        return 0;
    }
    if (value->type == type) return 1;
    // Another attribute of the same title came first: no value of the asked type to copy.
    release_value(value);
    return 0;
}

int MY_read_obj_real_att(tag_t obj_tag, const char *title, double *value) {
    double dummy = 0.0;
    double &out = value ? *value : dummy;
    out = 0.0;
    UF_ATTR_value_t read{};
    if (!read_typed(obj_tag, title, UF_ATTR_real, READ_NUMBER_TAGS, &read)) return 0;
    out = read.value.real;
    return 1;
}

int MY_read_obj_int_att(tag_t obj_tag, const char *title, int *value) {
    int dummy = 0;
    int &out = value ? *value : dummy;
    out = 0;
    UF_ATTR_value_t read{};
    if (!read_typed(obj_tag, title, UF_ATTR_integer, READ_NUMBER_TAGS, &read)) return 0;
    out = read.value.integer;
    return 1;
}

int MY_read_obj_string_att(tag_t obj_tag, const char *title, char *value) {
    if (value) value[0] = '\0';
    UF_ATTR_value_t read{};
    if (!read_typed(obj_tag, title, UF_ATTR_string, READ_STRING_TAGS, &read)) return 0;
    MY_copy_cut(value, MY_ATTR_VALUE_BUFSIZE, read.value.string);
    release_value(&read);
    return 1;
}

int MY_set_obj_real_attr(tag_t obj_tag, const char *title, double value) {
    UF_ATTR_value_t assigned{};
    assigned.type = UF_ATTR_real;
    assigned.value.real = value;
    // Every attribute of the title goes, so that no text or number of that title is left.
    return write_typed(obj_tag, title, SET_NUMBER_TAGS, nullptr, UF_ATTR_any, assigned);
}

int MY_set_obj_int_attr(tag_t obj_tag, const char *title, int value) {
    UF_ATTR_value_t assigned{};
    assigned.type = UF_ATTR_integer;
    assigned.value.integer = value;
    return write_typed(obj_tag, title, SET_NUMBER_TAGS, "MY_set_obj_int_attr obj_tag is null_tag", UF_ATTR_integer,
                       assigned);
}

int MY_set_obj_string_att(tag_t obj_tag, const char *title, const char *value) {
    // NX copies the text; it only wants a writable pointer.
    std::string text = value ? value : "";
    UF_ATTR_value_t assigned{};
    assigned.type = UF_ATTR_string;
    assigned.value.string = &text[0];
    return write_typed(obj_tag, title, SET_STRING_TAGS, nullptr, UF_ATTR_string, assigned);
}
