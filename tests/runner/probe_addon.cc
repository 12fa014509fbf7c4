// A small add-on that touches everything the runner must show and keep: message boxes in GBK
// and ASCII, the listing window, the status line, console output, a text-mode file, a
// selection whose bodies get an attribute (so the part changes and is saved), and a dialog
// with callbacks.
//
// PROBE_MODE provokes the failures the runner must report:
//   crash        writes to an unmapped address after the first message box
//   leak         keeps a block of NX memory
//   nested-open  opens the session twice and closes it once
//   misuse       hands UF_free memory that NX never allocated
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "sys/sys_file.h"
#include "uf.h"
#include "uf_attr.h"
#include "uf_obj.h"
#include "uf_object_types.h"
#include "uf_styler.h"
#include "uf_ugopenint.h"
#include "uf_ui.h"

namespace {

// "探针测试开始" (the probe starts) in code page 936.
const char kStartMessageGbk[] = "\xCC\xBD\xD5\xEB\xB2\xE2\xCA\xD4\xBF\xAA\xCA\xBC";
const char kInputFile[] = "D:\\probe\\input.txt";
const char kCatalogue[] = "D:\\qz_conf\\lang\\torvane.txt";
const char kDialogFile[] = "probe_dlg.dlg";

// Legacy response of UF_UI_select_by_class for OK.
const int kSelectOk = 3;

std::vector<std::string> static_picked_names;

std::string mode() {
    const char *value = std::getenv("PROBE_MODE");
    return value ? value : "";
}

void list(const std::string &line) { UF_UI_write_listing_window((line + "\n").c_str()); }

std::string number(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.3f", value);
    return text;
}

void crash() {
    // A field of a record reached through a null pointer: the first page is never mapped.
    volatile std::uintptr_t address = 16;
    *reinterpret_cast<volatile int *>(address) = 1;
}

void list_release() {
    char *release = nullptr;
    if (UF_get_release(&release) != 0) {
        list("release: unknown");
        return;
    }
    list(std::string("release: ") + release);
    UF_free(release);
}

// Text mode drops the carriage return of each CR LF: the lengths prove it.
void list_input_file() {
    FILE *file = sys_fopen(kInputFile, "r");
    if (!file) {
        list(std::string("input: cannot open ") + kInputFile);
        return;
    }
    char line[256];
    int n = 0;
    while (std::fgets(line, sizeof line, file)) {
        std::size_t length = std::strlen(line);
        if (length > 0 && line[length - 1] == '\n') line[--length] = '\0';
        list("input line " + std::to_string(++n) + ": \"" + line + "\" (" + std::to_string(length) +
             " chars)");
    }
    std::fclose(file);
}

void list_catalogue_first_line() {
    FILE *file = sys_fopen(kCatalogue, "r");
    if (!file) {
        list(std::string("catalogue: cannot open ") + kCatalogue);
        return;
    }
    char line[256] = "";
    if (!std::fgets(line, sizeof line, file)) line[0] = '\0';
    std::fclose(file);
    std::size_t length = std::strlen(line);
    if (length > 0 && line[length - 1] == '\n') line[length - 1] = '\0';
    list(std::string("catalogue: ") + line);
}

void pick_solids() {
    UF_UI_mask_t mask = {UF_solid_type, 0, UF_UI_SEL_FEATURE_SOLID_BODY};
    UF_UI_selection_options_t options = {1, &mask, UF_UI_SEL_SCOPE_WORK_PART, 0, NULL};
    char cue[] = "Select solids to probe";
    int response = 0, count = 0;
    tag_t *objects = NULL;
    if (UF_UI_select_by_class(cue, &options, &response, &count, &objects) != 0) {
        list("selection failed");
        return;
    }
    if (response != kSelectOk) {
        list("selection ended without a pick");
        return;
    }
    for (int i = 0; i < count; ++i) {
        char name[UF_OBJ_NAME_BUFSIZE] = "";
        UF_OBJ_ask_name(objects[i], name);
        static_picked_names.push_back(name);
        UF_ATTR_value_t value;
        value.type = UF_ATTR_integer;
        value.value.integer = i + 1;
        char title[] = "PROBE_ORDER";
        int rc = UF_ATTR_assign(objects[i], title, value);
        list(std::string("picked ") + name + (rc == 0 ? " (PROBE_ORDER " + std::to_string(i + 1) + ")"
                                                      : " (attribute not set)"));
    }
    UF_free(objects);
    std::printf("probe: %d bodies picked\n", count);
}

// Dialog items of probe_dlg.dlg.
const char kList[] = "LIST_1";
const char kToggle[] = "TOGGLE_2";
const char kReal[] = "REAL_3";

void set_real(int dialog_id, const char *item, int attr, double real) {
    UF_STYLER_item_value_type_t data;
    std::memset(&data, 0, sizeof data);
    data.item_id = item;
    data.item_attr = attr;
    data.subitem_index = UF_STYLER_NO_SUB_INDEX;
    data.indicator = UF_STYLER_REAL_VALUE;
    data.value.real = real;
    UF_STYLER_set_value(dialog_id, &data);
}

void set_integer(int dialog_id, const char *item, int attr, int integer) {
    UF_STYLER_item_value_type_t data;
    std::memset(&data, 0, sizeof data);
    data.item_id = item;
    data.item_attr = attr;
    data.subitem_index = UF_STYLER_NO_SUB_INDEX;
    data.indicator = UF_STYLER_INTEGER_VALUE;
    data.value.integer = integer;
    UF_STYLER_set_value(dialog_id, &data);
}

// The picked names become the list's entries; the real starts at 0.05 per picked body.
int on_construct(int dialog_id, void *, UF_STYLER_item_value_type_p_t) {
    for (const std::string &name : static_picked_names) {
        UF_STYLER_item_value_type_t data;
        std::memset(&data, 0, sizeof data);
        data.item_id = kList;
        data.item_attr = UF_STYLER_LIST_INSERT;
        data.subitem_index = UF_STYLER_NO_SUB_INDEX;
        data.indicator = UF_STYLER_STRING_VALUE;
        data.value.string = const_cast<char *>(name.c_str());
        UF_STYLER_set_value(dialog_id, &data);
    }
    set_real(dialog_id, kReal, UF_STYLER_VALUE, 0.05 * static_cast<double>(static_picked_names.size()));
    return UF_UI_CB_CONTINUE_DIALOG;
}

// The real only matters while the toggle is on.
int on_toggle(int dialog_id, void *, UF_STYLER_item_value_type_p_t call_data) {
    int on = call_data->value.integer;
    list(std::string("dialog: toggle ") + (on ? "on" : "off"));
    set_integer(dialog_id, kReal, UF_STYLER_SENSITIVITY, on);
    return UF_UI_CB_CONTINUE_DIALOG;
}

std::string chosen_entry(int dialog_id) {
    UF_STYLER_item_value_type_t data;
    std::memset(&data, 0, sizeof data);
    data.item_id = kList;
    data.item_attr = UF_STYLER_VALUE;
    data.subitem_index = UF_STYLER_NO_SUB_INDEX;
    data.indicator = UF_STYLER_STRING_VALUE;
    if (UF_STYLER_ask_value(dialog_id, &data) != 0) return "(unreadable)";
    std::string chosen = data.value.string && data.value.string[0] ? data.value.string : "(none)";
    UF_STYLER_free_value(&data);
    return chosen;
}

int ask_integer(int dialog_id, const char *item) {
    UF_STYLER_item_value_type_t data;
    std::memset(&data, 0, sizeof data);
    data.item_id = item;
    data.item_attr = UF_STYLER_VALUE;
    data.subitem_index = UF_STYLER_NO_SUB_INDEX;
    data.indicator = UF_STYLER_INTEGER_VALUE;
    return UF_STYLER_ask_value(dialog_id, &data) == 0 ? data.value.integer : -1;
}

double ask_real(int dialog_id, const char *item) {
    UF_STYLER_item_value_type_t data;
    std::memset(&data, 0, sizeof data);
    data.item_id = item;
    data.item_attr = UF_STYLER_VALUE;
    data.subitem_index = UF_STYLER_NO_SUB_INDEX;
    data.indicator = UF_STYLER_REAL_VALUE;
    return UF_STYLER_ask_value(dialog_id, &data) == 0 ? data.value.real : -1.0;
}

int on_ok(int dialog_id, void *, UF_STYLER_item_value_type_p_t) {
    list("dialog: OK with list=" + chosen_entry(dialog_id) + " toggle=" +
         std::to_string(ask_integer(dialog_id, kToggle)) + " real=" + number(ask_real(dialog_id, kReal)));
    return UF_UI_CB_EXIT_DIALOG;
}

int on_cancel(int, void *, UF_STYLER_item_value_type_p_t) {
    list("dialog: cancelled");
    return UF_UI_CB_EXIT_DIALOG;
}

void run_dialog() {
    UF_STYLER_callback_info_t callbacks[] = {
        {const_cast<char *>(UF_STYLER_DIALOG_INDEX), UF_STYLER_CONSTRUCTOR_CB, 0, on_construct},
        {const_cast<char *>(kToggle), UF_STYLER_VALUE_CHANGED_CB, 0, on_toggle},
        {const_cast<char *>(UF_STYLER_DIALOG_INDEX), UF_STYLER_OK_CB, 0, on_ok},
        {const_cast<char *>(UF_STYLER_DIALOG_INDEX), UF_STYLER_CANCEL_CB, 0, on_cancel},
        {const_cast<char *>(UF_STYLER_NULL_OBJECT), UF_STYLER_NO_CB, 0, 0},
    };
    int response = 0;
    int count = static_cast<int>(sizeof callbacks / sizeof callbacks[0]);
    int rc = UF_STYLER_create_dialog(kDialogFile, callbacks, count, NULL, &response);
    if (rc != 0) {
        char message[133] = "";
        UF_get_fail_message(rc, message);
        list(std::string("dialog: not shown: ") + message);
        return;
    }
    list("dialog: response " + std::to_string(response));
}

}  // namespace

extern "C" DllExport void ufusr(char *, int *retcod, int) {
    *retcod = 0;
    if (UF_initialize() != 0) return;
    if (mode() == "nested-open") UF_initialize();
    static_picked_names.clear();

    uc1601(kStartMessageGbk, 1);
    if (mode() == "crash") crash();
    uc1601("probe: ascii message", 1);
    char status[] = "probe running";
    UF_UI_set_status(status);

    UF_UI_open_listing_window();
    list_release();
    list_input_file();
    list_catalogue_first_line();
    pick_solids();
    run_dialog();
    if (mode() == "misuse") {
        int not_from_nx = 0;
        UF_free(&not_from_nx);
    }
    if (mode() == "leak") {
        int error = 0;
        UF_allocate_memory(64, &error);
    }
    list("probe done");
    UF_terminate();
}

extern "C" DllExport int ufusr_ask_unload(void) { return UF_UNLOAD_IMMEDIATELY; }

// Shows that the host asked before unloading and cleaned up first.
extern "C" DllExport void ufusr_cleanup(void) { std::printf("probe: cleanup before unload\n"); }
