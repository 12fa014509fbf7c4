// UF_STYLER_create_dialog and where its layout files come from.
#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>

#include "nxhost/core/guard.h"
#include "nxhost/script/script.h"
#include "nxhost/ui/styler.h"
#include "nxhost/ui/styler/access.h"
#include "nxhost/ui/styler/player.h"
#include "nxhost/ui/styler/text.h"
#include "nxhost/ui/transcript.h"
#include "sys/sys_path.h"
#include "uf_styler.h"

namespace fs = std::filesystem;

namespace nxhost {
namespace {

std::vector<std::string> &directories() {
    static std::vector<std::string> dirs;
    return dirs;
}

std::string lower(std::string text) {
    for (char &c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool is_file(const std::string &path) {
    std::error_code ec;
    return !path.empty() && fs::is_regular_file(path, ec);
}

bool has_extension(const std::string &base) { return base.find('.') != std::string::npos; }

std::string in_directory(const std::string &dir, const std::string &base) {
    const std::string want = lower(base);
    const std::string want_dlg = has_extension(base) ? want : want + ".dlg";
    std::error_code ec;
    std::string found_dlg;
    for (const fs::directory_entry &entry : fs::directory_iterator(dir, ec)) {
        std::string name = lower(entry.path().filename().string());
        if (!entry.is_regular_file(ec)) continue;
        if (name == want) return entry.path().string();
        if (name == want_dlg && found_dlg.empty()) found_dlg = entry.path().string();
    }
    return found_dlg;
}

}  // namespace

void add_dialog_directory(const std::string &host_dir) {
    auto &dirs = directories();
    if (std::find(dirs.begin(), dirs.end(), host_dir) == dirs.end()) dirs.push_back(host_dir);
}

void clear_dialog_directories() { directories().clear(); }

const std::vector<std::string> &dialog_directories() { return directories(); }

std::string find_dialog_file(const std::string &name) {
    if (name.empty()) return "";
    bool windows = name.find('\\') != std::string::npos || (name.size() >= 2 && name[1] == ':');
    if (windows) {
        std::string native = sys_native_path(name.c_str());
        if (is_file(native)) return native;
        if (is_file(native + ".dlg")) return native + ".dlg";
    } else {
        if (is_file(name)) return name;
        if (!has_extension(styler::dialog_base_name(name)) && is_file(name + ".dlg")) return name + ".dlg";
    }
    const std::string base = styler::dialog_base_name(name);
    for (const std::string &dir : directories()) {
        std::string found = in_directory(dir, base);
        if (!found.empty()) return found;
    }
    return "";
}

std::string check_dialog_layout(const std::string &host_path) {
    try {
        styler::read_layout(host_path);
        return "";
    } catch (const styler::LayoutError &e) {
        return e.what();
    }
}

}  // namespace nxhost

using namespace nxhost;
using namespace nxhost::styler;

namespace {

constexpr const char *kCreate = "UF_STYLER_create_dialog";

bool dialog_callback_type(int type) {
    return type == UF_STYLER_OK_CB || type == UF_STYLER_APPLY_CB || type == UF_STYLER_BACK_CB ||
           type == UF_STYLER_CANCEL_CB || type == UF_STYLER_CONSTRUCTOR_CB || type == UF_STYLER_DESTRUCTOR_CB ||
           type == UF_STYLER_FILEOP_CB || type == UF_STYLER_SWITCH_CB;
}

bool item_callback_type(int type) {
    return type == UF_STYLER_ACTIVATE_CB || type == UF_STYLER_VALUE_CHANGED_CB || type == UF_STYLER_DRAG_CB ||
           type == UF_STYLER_DOUBLE_CLICK_CB;
}

// Takes exactly number_of_cbs entries; the closing UF_STYLER_NULL_OBJECT entry, where the
// add-on counts it, registers nothing.
void register_callbacks(Dialog &dialog, const UF_STYLER_callback_info_t *cbs, int number_of_cbs) {
    for (int i = 0; i < number_of_cbs; ++i) {
        const UF_STYLER_callback_info_t &entry = cbs[i];
        if (!entry.object_id || std::strcmp(entry.object_id, UF_STYLER_NULL_OBJECT) == 0 ||
            entry.cb_type == UF_STYLER_NO_CB)
            continue;
        const std::string object = entry.object_id;
        const std::string where = "callback entry " + std::to_string(i) + " of " + dialog.name + " (" + object + ")";
        bool on_dialog = object == UF_STYLER_DIALOG_INDEX;
        if (!on_dialog && !dialog.item(object)) {
            misuse(kCreate, where + " names an item the dialog does not have");
            continue;
        }
        if (on_dialog ? !dialog_callback_type(entry.cb_type) : !item_callback_type(entry.cb_type)) {
            misuse(kCreate, where + " has callback type " + std::to_string(entry.cb_type) + ", which " +
                                (on_dialog ? "the dialog itself" : "an item") + " does not call");
            continue;
        }
        if (!entry.callback_proc) {
            misuse(kCreate, where + " has no function");
            continue;
        }
        if (!dialog.callback(object, entry.cb_type)) dialog.callbacks.push_back({object, entry.cb_type, entry.callback_proc});
    }
}

std::unique_ptr<Dialog> build(const std::string &name, Layout layout, void *client_data) {
    auto dialog = std::make_unique<Dialog>();
    dialog->id = next_dialog_id();
    dialog->name = name;
    dialog->title = layout.title;
    dialog->items = std::move(layout.items);
    for (const std::string &button : layout.buttons) dialog->nav.push_back({button, nav_index(button)});
    dialog->client_data = client_data;
    return dialog;
}

// Leaves the registry right when a scenario error unwinds through the dialog.
struct Forget {
    int id;
    ~Forget() { forget_dialog(id); }
};

}  // namespace

extern "C" int UF_STYLER_create_dialog(const char *dialog_file, UF_STYLER_callback_info_t *cbs, int number_of_cbs,
                                       void *client_data, int *response) {
    NXHOST_ENTER(kCreate);
    if (!dialog_file || !response || number_of_cbs < 0 || (number_of_cbs > 0 && !cbs)) {
        misuse(kCreate, "needs a dialog file, a response pointer and number_of_cbs callback entries");
        return kBadArgument;
    }
    const std::string name = dialog_base_name(dialog_file);
    const std::string path = find_dialog_file(dialog_file);
    if (path.empty()) {
        show("dialog", "cannot open " + name + ": dialog file not found");
        return kDialogFileNotFound;
    }
    Layout layout;
    try {
        layout = read_layout(path);
    } catch (const LayoutError &e) {
        show("dialog", "cannot open " + name + ": " + e.what());
        return kLayoutUnreadable;
    }

    Dialog &dialog = open_dialog(build(name, std::move(layout), client_data));
    Forget forget{dialog.id};
    register_callbacks(dialog, cbs, number_of_cbs);

    show("dialog", "open " + name + " " + quote_text(dialog.title));
    // What a constructor returns does not close the dialog: it is not shown yet.
    run_callback(dialog, UF_STYLER_DIALOG_INDEX, UF_STYLER_CONSTRUCTOR_CB, {}, 0, false);
    for (const std::string &line : snapshot_lines(dialog)) show("dialog", line);

    const script::Line *closing = play_interaction(dialog, script::answer("dialog " + name, {"dialog", "cancel", "back"}));

    // A dialog that closed goes away whole, its destructor run, before the scenario hears that
    // actions were left for it.
    run_callback(dialog, UF_STYLER_DIALOG_INDEX, UF_STYLER_DESTRUCTOR_CB, {}, 0, false);
    show("dialog", "close " + name + " (response " + std::to_string(dialog.response) + ")");
    check_no_action_left(dialog, closing);
    *response = dialog.response;
    return 0;
}
