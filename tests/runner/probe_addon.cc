// A small add-on that touches everything the runner must show and keep: message boxes in GBK
// and ASCII, the listing window, the status line, console output, text-mode files, a
// selection whose bodies get an attribute (so the part changes and is saved), and a dialog
// with callbacks.
//
// PROBE_MODE provokes the failures the runner must report:
//   crash        writes to an unmapped address after the first message box
//   leak         keeps a block of NX memory
//   nested-open  opens the session twice and closes it once
//   misuse       hands UF_free memory that NX never allocated
//   count        makes exactly three counted NX calls: UF_initialize, UF_get_release, UF_terminate
//                (the modes below may be added to it: "count,fragile-leak")
//   fragile-crash, fragile-leak, fragile-misuse
//                a bug met only when UF_get_release fails: the release read through a null
//                pointer, a block of NX memory kept, or UF_free handed a stack address
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
// Legacy response of UF_UI_select_by_class for OK.
const int kSelectOk = 3;
// Dialog items of probe_dlg.dlg.
const char kList[] = "LIST_1";
const char kToggle[] = "TOGGLE_2";
const char kReal[] = "REAL_3";

std::vector<std::string> static_picked_names;

// PROBE_MODE may name several modes, separated by commas.
bool mode_is(const char *wanted) {
    const char *value = std::getenv("PROBE_MODE");
    if (!value) return false;
    const std::string modes = std::string(",") + value + ",";
    return modes.find(std::string(",") + wanted + ",") != std::string::npos;
}

bool static_listing_open = false;

// Lines before the listing window opened, or when it could not be, are not shown.
void list(const std::string &line) {
    if (static_listing_open) UF_UI_write_listing_window((line + "\n").c_str());
}

// The first lines of a file read in text mode, each with its length: a CR left before the LF,
// which the listing would hide, shows there.
void list_lines(const char *label, const char *path, int most) {
    FILE *file = sys_fopen(path, "r");
    if (!file) return list(std::string(label) + ": cannot open " + path);
    char line[256];
    for (int n = 1; n <= most && std::fgets(line, sizeof line, file); ++n) {
        std::string text(line, std::strcspn(line, "\n"));
        list(std::string(label) + " line " + std::to_string(n) + ": \"" + text + "\" (" +
             std::to_string(text.size()) + " bytes)");
    }
    std::fclose(file);
}

// A real dereference of a null pointer, hidden from the undefined-behaviour checker so that the
// crash guard meets the fault as it would in a build without it.
__attribute__((noinline, no_sanitize("null"))) char first_char(volatile char *text) { return text[0]; }

void list_release() {
    char *release = nullptr;
    const int rc = UF_get_release(&release);
    if (rc != 0 && mode_is("fragile-crash")) {
        list(std::string("release starts with ") + first_char(release));
    }
    if (rc != 0 && mode_is("fragile-leak")) {
        int error = 0;
        UF_allocate_memory(32, &error);
    }
    if (rc != 0 && mode_is("fragile-misuse")) UF_free(&release);
    if (rc != 0) return list("release: unknown");
    list(std::string("release: ") + release);
    UF_free(release);
}

void pick_solids() {
    UF_UI_mask_t mask = {UF_solid_type, 0, UF_UI_SEL_FEATURE_SOLID_BODY};
    UF_UI_selection_options_t options = {1, &mask, UF_UI_SEL_SCOPE_WORK_PART, 0, NULL};
    char cue[] = "Select solids to probe";
    int response = 0, count = 0;
    tag_t *objects = NULL;
    if (UF_UI_select_by_class(cue, &options, &response, &count, &objects) != 0 || response != kSelectOk)
        return list("no bodies picked");
    for (int i = 0; i < count; ++i) {
        char name[UF_OBJ_NAME_BUFSIZE] = "";
        UF_OBJ_ask_name(objects[i], name);
        static_picked_names.push_back(name);
        UF_ATTR_value_t value;
        value.type = UF_ATTR_integer;
        value.value.integer = i + 1;
        char title[] = "PROBE_ORDER";
        bool set = UF_ATTR_assign(objects[i], title, value) == 0;
        list(std::string("picked ") + name +
             (set ? " (PROBE_ORDER " + std::to_string(i + 1) + ")" : " (attribute not set)"));
    }
    UF_free(objects);
    std::printf("probe: %d bodies picked\n", count);
}

UF_STYLER_item_value_type_t item(const char *id, int attr, int indicator) {
    UF_STYLER_item_value_type_t data{};
    data.item_id = id;
    data.item_attr = attr;
    data.subitem_index = UF_STYLER_NO_SUB_INDEX;
    data.indicator = indicator;
    return data;
}

// The picked names become the list's entries.
int on_construct(int dialog_id, void *, UF_STYLER_item_value_type_p_t) {
    for (const std::string &name : static_picked_names) {
        UF_STYLER_item_value_type_t entry = item(kList, UF_STYLER_LIST_INSERT, UF_STYLER_STRING_VALUE);
        entry.value.string = const_cast<char *>(name.c_str());
        UF_STYLER_set_value(dialog_id, &entry);
    }
    return UF_UI_CB_CONTINUE_DIALOG;
}

// The real only matters while the toggle is on.
int on_toggle(int dialog_id, void *, UF_STYLER_item_value_type_p_t call_data) {
    list(std::string("dialog: toggle ") + (call_data->value.integer ? "on" : "off"));
    UF_STYLER_item_value_type_t sensitivity = item(kReal, UF_STYLER_SENSITIVITY, UF_STYLER_INTEGER_VALUE);
    sensitivity.value.integer = call_data->value.integer;
    UF_STYLER_set_value(dialog_id, &sensitivity);
    return UF_UI_CB_CONTINUE_DIALOG;
}

int on_ok(int dialog_id, void *, UF_STYLER_item_value_type_p_t) {
    UF_STYLER_item_value_type_t chosen = item(kList, UF_STYLER_VALUE, UF_STYLER_STRING_VALUE);
    UF_STYLER_item_value_type_t toggle = item(kToggle, UF_STYLER_VALUE, UF_STYLER_INTEGER_VALUE);
    UF_STYLER_item_value_type_t real = item(kReal, UF_STYLER_VALUE, UF_STYLER_REAL_VALUE);
    // The string last: nothing to free when an earlier read fails.
    if (UF_STYLER_ask_value(dialog_id, &toggle) != 0 || UF_STYLER_ask_value(dialog_id, &real) != 0 ||
        UF_STYLER_ask_value(dialog_id, &chosen) != 0) {
        list("dialog: OK with unreadable items");
        return UF_UI_CB_EXIT_DIALOG;
    }
    char text[300];
    std::snprintf(text, sizeof text, "dialog: OK with list=%s toggle=%d real=%.3f",
                  chosen.value.string && chosen.value.string[0] ? chosen.value.string : "(none)",
                  toggle.value.integer, real.value.real);
    UF_STYLER_free_value(&chosen);
    list(text);
    return UF_UI_CB_EXIT_DIALOG;
}

void run_dialog() {
    UF_STYLER_callback_info_t callbacks[] = {
        {const_cast<char *>(UF_STYLER_DIALOG_INDEX), UF_STYLER_CONSTRUCTOR_CB, 0, on_construct},
        {const_cast<char *>(kToggle), UF_STYLER_VALUE_CHANGED_CB, 0, on_toggle},
        {const_cast<char *>(UF_STYLER_DIALOG_INDEX), UF_STYLER_OK_CB, 0, on_ok},
        {const_cast<char *>(UF_STYLER_NULL_OBJECT), UF_STYLER_NO_CB, 0, 0},
    };
    int response = 0;
    int rc = UF_STYLER_create_dialog(
        "probe_dlg.dlg", callbacks, static_cast<int>(sizeof callbacks / sizeof callbacks[0]), NULL, &response);
    if (rc != 0) {
        char message[133] = "";
        UF_get_fail_message(rc, message);
        return list(std::string("dialog: not shown: ") + message);
    }
    list("dialog: response " + std::to_string(response));
}

}  // namespace

extern "C" DllExport void ufusr(char *, int *retcod, int) {
    *retcod = 0;
    if (UF_initialize() != 0) return;
    if (mode_is("count")) {
        static_listing_open = false;
        list_release();
        UF_terminate();
        return;
    }
    if (mode_is("nested-open")) UF_initialize();
    static_picked_names.clear();

    uc1601(kStartMessageGbk, 1);
    if (mode_is("crash")) {
        // A field of a record reached through a null pointer: the first page is never mapped.
        volatile std::uintptr_t address = 16;
        *reinterpret_cast<volatile int *>(address) = 1;
    }
    uc1601("probe: ascii message", 1);
    char status[] = "probe running";
    UF_UI_set_status(status);

    static_listing_open = UF_UI_open_listing_window() == 0;
    list_release();
    list_lines("input", "D:\\probe\\input.txt", 100);
    list_lines("catalogue", "D:\\qz_conf\\lang\\torvane.txt", 1);
    pick_solids();
    run_dialog();
    if (mode_is("misuse")) {
        int not_from_nx = 0;
        UF_free(&not_from_nx);
    }
    int error = 0;
    if (mode_is("leak")) UF_allocate_memory(64, &error);
    list("probe done");
    UF_terminate();
}

extern "C" DllExport int ufusr_ask_unload(void) { return UF_UNLOAD_IMMEDIATELY; }

// Shows that the host asked before unloading and cleaned up first.
extern "C" DllExport void ufusr_cleanup(void) { std::printf("probe: cleanup before unload\n"); }
