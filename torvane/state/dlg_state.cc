// The main dialog's settings record, its defaults and its state file.
#include "torvane/state/dlg_state.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "my_func/my_func.h"
#include "sys/sys_file.h"
#include "torvane/state/plan.h"
#include "uf_part.h"
#include "uf_styler.h"
#include "uf_ui.h"

dlg_state static_dlg_state = {};

int class_switched_on(int rmf_kind) {
    switch (rmf_kind) {
    case RMF_ROUGH: return static_dlg_state.toggle_4 != 0;
    case RMF_MIDDLE: return static_dlg_state.toggle_6 != 0;
    case RMF_FINISH: return static_dlg_state.toggle_8 != 0;
    default: return static_dlg_state.toggle_10 != 0;
    }
}

namespace {

enum item_kind { INTEGER_ITEM, REAL_ITEM, TEXT_ITEM };

struct state_item {
    const char *item_id;
    item_kind kind;
    size_t offset;
    size_t size;
};

#define STATE_ITEM(id, kind, field) \
    { id, kind, offsetof(dlg_state, field), sizeof(dlg_state::field) }

// In the order the dialog is asked.
const state_item STATE_ITEMS[] = {
    STATE_ITEM("RADIO_1", INTEGER_ITEM, radio_1),     STATE_ITEM("RADIO_2", INTEGER_ITEM, radio_2),
    STATE_ITEM("RADIO_3", INTEGER_ITEM, radio_3),     STATE_ITEM("TOGGLE_15", INTEGER_ITEM, toggle_15),
    STATE_ITEM("TOGGLE_13", INTEGER_ITEM, toggle_13), STATE_ITEM("TOGGLE_35", INTEGER_ITEM, toggle_35),
    STATE_ITEM("INT_34", INTEGER_ITEM, int_34),       STATE_ITEM("OPTION_28", INTEGER_ITEM, option_28),
    STATE_ITEM("TOGGLE_29", INTEGER_ITEM, toggle_29), STATE_ITEM("TOGGLE_33", INTEGER_ITEM, toggle_33),
    STATE_ITEM("TOGGLE_32", INTEGER_ITEM, toggle_32), STATE_ITEM("TOGGLE_34", INTEGER_ITEM, toggle_34),
    STATE_ITEM("TOGGLE_38", INTEGER_ITEM, toggle_38), STATE_ITEM("TOGGLE_39", INTEGER_ITEM, toggle_39),
    STATE_ITEM("TOGGLE_57", INTEGER_ITEM, toggle_57), STATE_ITEM("RADIO_60", INTEGER_ITEM, radio_60),
    STATE_ITEM("REAL_23", REAL_ITEM, real_23),        STATE_ITEM("REAL_24", REAL_ITEM, real_24),
    STATE_ITEM("REAL_25", REAL_ITEM, real_25),        STATE_ITEM("REAL_26", REAL_ITEM, real_26),
    STATE_ITEM("REAL_35", REAL_ITEM, real_35),        STATE_ITEM("REAL_36", REAL_ITEM, real_36),
    STATE_ITEM("STR_10", TEXT_ITEM, str_10),          STATE_ITEM("WIDE_S_32", TEXT_ITEM, wide_s_32),
    STATE_ITEM("WIDE_S_58", TEXT_ITEM, wide_s_58),    STATE_ITEM("WIDE_S_59", TEXT_ITEM, wide_s_59),
    STATE_ITEM("TOGGLE_4", INTEGER_ITEM, toggle_4),   STATE_ITEM("TOGGLE_6", INTEGER_ITEM, toggle_6),
    STATE_ITEM("TOGGLE_8", INTEGER_ITEM, toggle_8),   STATE_ITEM("TOGGLE_10", INTEGER_ITEM, toggle_10),
    STATE_ITEM("REAL_5", REAL_ITEM, real_5),          STATE_ITEM("REAL_7", REAL_ITEM, real_7),
    STATE_ITEM("REAL_9", REAL_ITEM, real_9),          STATE_ITEM("REAL_11", REAL_ITEM, real_11),
};

#undef STATE_ITEM

const state_item *state_item_of(const char *item_id) {
    for (const state_item &item : STATE_ITEMS)
        if (std::strcmp(item.item_id, item_id) == 0) return &item;
    return nullptr;
}

// The whole field is rewritten, so that no earlier, longer text lingers behind the new one in the
// state file; a text too long is cut without splitting a double-byte character.
void copy_text(char *field, size_t size, const char *text) {
    std::memset(field, 0, size);
    MY_copy_cut(field, size, text);
}

}  // namespace

void default_dlg_state(dlg_state *state) {
    *state = dlg_state{};
    state->radio_2 = 2;
    state->toggle_15 = 1;
    state->toggle_32 = 1;
    state->toggle_39 = 1;
    state->toggle_57 = 1;
    state->int_34 = 230;
    state->real_23 = 20.0;
    state->real_24 = 1.0;
    state->real_25 = 1.0;
    state->real_26 = 0.5;
    state->real_35 = 0.25;
    state->real_36 = 0.05;
    tag_t part = UF_PART_ask_display_part();
    if (part == NULL_TAG) return;
    char path[MAX_FSPEC_BUFSIZE] = "";
    if (UF_CALL(UF_PART_ask_part_name(part, path)) == 0) copy_text(state->wide_s_59, sizeof state->wide_s_59, path);
}

int load_dlg_state(void) {
    dlg_state read = {};
    size_t records = 0;
    if (FILE *fp = sys_fopen(DLG_STATE_PATH, "rb")) {
        records = std::fread(&read, sizeof read, 1, fp);
        std::fclose(fp);
    }
    if (records != 1) {
        default_dlg_state(&static_dlg_state);
        return 0;
    }
    // A file of another layout may hold texts that never end; each ends in its field at the latest.
    for (const state_item &item : STATE_ITEMS)
        if (item.kind == TEXT_ITEM) reinterpret_cast<char *>(&read)[item.offset + item.size - 1] = '\0';
    static_dlg_state = read;
    return 1;
}

int save_dlg_state(void) {
    FILE *fp = sys_fopen(DLG_STATE_PATH, "wb");
    if (!fp) return 0;
    // A full disk may only show when the buffer is flushed, so that counts as a failed write.
    bool written = std::fwrite(&static_dlg_state, sizeof static_dlg_state, 1, fp) == 1;
    written = std::fflush(fp) == 0 && written;
    written = std::fclose(fp) == 0 && written;
    if (!written) uc1601(STATE_WRITE_FAILED_TEXT, 1);
    return written ? 1 : 0;
}

int store_dlg_state(int dialog_id) {
    char *record = reinterpret_cast<char *>(&static_dlg_state);
    int all_asked = 1;
    for (const state_item &item : STATE_ITEMS) {
        UF_STYLER_item_value_type_t value = {};
        value.item_id = item.item_id;
        value.item_attr = UF_STYLER_VALUE;
        value.subitem_index = UF_STYLER_NO_SUB_INDEX;
        value.indicator = item.kind == INTEGER_ITEM ? UF_STYLER_INTEGER_VALUE
                          : item.kind == REAL_ITEM  ? UF_STYLER_REAL_VALUE
                                                    : UF_STYLER_STRING_VALUE;
        if (UF_CALL(UF_STYLER_ask_value(dialog_id, &value)) != 0) {
            all_asked = 0;
            continue;
        }
        switch (item.kind) {
        case INTEGER_ITEM: {
            int32_t integer = value.value.integer;
            std::memcpy(record + item.offset, &integer, sizeof integer);
            break;
        }
        case REAL_ITEM: std::memcpy(record + item.offset, &value.value.real, sizeof(double)); break;
        case TEXT_ITEM: copy_text(record + item.offset, item.size, value.value.string); break;
        }
        UF_CALL(UF_STYLER_free_value(&value));
    }
    return all_asked;
}

int show_dlg_state_items(int dialog_id, std::initializer_list<const char *> item_ids) {
    const char *record = reinterpret_cast<const char *>(&static_dlg_state);
    int all_set = 1;
    for (const char *item_id : item_ids) {
        const state_item *item = state_item_of(item_id);
        if (!item) {
            all_set = 0;
            continue;
        }
        UF_STYLER_item_value_type_t value = {};
        value.item_id = item->item_id;
        value.item_attr = UF_STYLER_VALUE;
        value.subitem_index = UF_STYLER_NO_SUB_INDEX;
        int32_t integer = 0;
        // Texts are cut to their field, so a field read from a file always ends inside it.
        std::string text;
        switch (item->kind) {
        case INTEGER_ITEM:
            std::memcpy(&integer, record + item->offset, sizeof integer);
            value.indicator = UF_STYLER_INTEGER_VALUE;
            value.value.integer = integer;
            break;
        case REAL_ITEM:
            value.indicator = UF_STYLER_REAL_VALUE;
            std::memcpy(&value.value.real, record + item->offset, sizeof(double));
            break;
        case TEXT_ITEM:
            text.assign(record + item->offset, strnlen(record + item->offset, item->size - 1));
            value.indicator = UF_STYLER_STRING_VALUE;
            value.value.string = &text[0];
            break;
        }
        if (UF_CALL(UF_STYLER_set_value(dialog_id, &value)) != 0) all_set = 0;
    }
    return all_set;
}
