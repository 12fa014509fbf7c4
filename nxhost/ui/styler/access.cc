#include "nxhost/ui/styler/access.h"

#include <cstring>
#include <map>

#include "nxhost/core/guard.h"
#include "nxhost/core/reset.h"
#include "nxhost/core/session.h"
#include "uf.h"

namespace nxhost::styler {
namespace {

// Every block handed out with a value, with the strings it points at, so that release never
// reads memory the add-on may already have freed or overwritten.
std::map<void *, std::vector<void *>> &given() {
    static std::map<void *, std::vector<void *>> blocks;
    return blocks;
}

const bool registered = register_reset([] { given().clear(); });

}  // namespace

int refuse(const char *call, const Target &target, int code, const std::string &what) {
    misuse(call, (target.name.empty() ? std::string() : target.name + ": ") + what);
    return code;
}

int find_target(const char *call, int dialog_id, const UF_STYLER_item_value_type_t *request, Target *target) {
    *target = Target{};
    if (!request) return refuse(call, *target, kBadArgument, "no value structure given");
    Dialog *dialog = live_dialog(dialog_id);
    if (!dialog) return refuse(call, *target, kNotInCallback, "dialog id " + std::to_string(dialog_id) + " is not open");
    target->dialog = dialog;
    if (dialog->running_callbacks == 0)
        return refuse(call, *target, kNotInCallback,
                      "dialog " + dialog->name + " is open but none of its callbacks is running");
    if (!request->item_id) return refuse(call, *target, kBadArgument, "no item id given");
    const std::string id = request->item_id;
    target->name = id + " of " + dialog->name;
    if (id == UF_STYLER_DIALOG_INDEX) {
        target->whole_dialog = true;
        target->name = dialog->name;
        return 0;
    }
    if (id == UF_STYLER_NAV_INDEX) {
        target->navigation = true;
        target->name = "navigation buttons of " + dialog->name;
        return 0;
    }
    target->item = dialog->item(id);
    if (!target->item) return refuse(call, *target, kItemNotFound, "the dialog has no such item");
    return 0;
}

void give_integer(UF_STYLER_item_value_type_t *out, int value) {
    out->indicator = UF_STYLER_INTEGER_VALUE;
    out->count = 1;
    out->value.integer = value;
}

void give_real(UF_STYLER_item_value_type_t *out, double value) {
    out->indicator = UF_STYLER_REAL_VALUE;
    out->count = 1;
    out->value.real = value;
}

void give_string(UF_STYLER_item_value_type_t *out, const std::string &value) {
    char *text = nx_strdup(value);
    given()[text] = {};
    out->indicator = UF_STYLER_STRING_VALUE;
    out->count = 1;
    out->value.string = text;
}

void give_strings(UF_STYLER_item_value_type_t *out, const std::vector<std::string> &values) {
    out->indicator = UF_STYLER_STRING_PTR_VALUE;
    out->count = static_cast<int>(values.size());
    out->value.strings = nullptr;
    if (values.empty()) return;
    auto **array = static_cast<char **>(nx_alloc(values.size() * sizeof(char *)));
    std::vector<void *> texts;
    for (std::size_t i = 0; i < values.size(); ++i) {
        array[i] = nx_strdup(values[i]);
        texts.push_back(array[i]);
    }
    given()[array] = texts;
    out->value.strings = array;
}

void give_integers(UF_STYLER_item_value_type_t *out, const std::vector<int> &values) {
    out->indicator = UF_STYLER_INTEGER_PTR_VALUE;
    out->count = static_cast<int>(values.size());
    out->value.integers = nullptr;
    if (values.empty()) return;
    auto *array = static_cast<int *>(nx_alloc(values.size() * sizeof(int)));
    std::memcpy(array, values.data(), values.size() * sizeof(int));
    given()[array] = {};
    out->value.integers = array;
}

void give_nothing(UF_STYLER_item_value_type_t *out) {
    out->count = 0;
    std::memset(&out->value, 0, sizeof out->value);
}

bool release_given(void *block) {
    auto it = given().find(block);
    if (it == given().end()) return false;
    for (void *text : it->second) UF_free(text);
    UF_free(block);
    given().erase(it);
    return true;
}

}  // namespace nxhost::styler
