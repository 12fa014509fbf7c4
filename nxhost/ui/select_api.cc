// Interactive selection, points and the file box, answered by the scenario script.
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "nxhost/core/guard.h"
#include "nxhost/core/session.h"
#include "nxhost/objects/store.h"
#include "nxhost/parts/parts.h"
#include "nxhost/script/script.h"
#include "nxhost/ui/pick.h"
#include "nxhost/ui/transcript.h"
#include "uf_ui.h"

using namespace nxhost;

namespace {

// Legacy numeric responses of UF_UI_select_by_class.
constexpr int kSelectBack = 1;
constexpr int kSelectCancel = 2;
constexpr int kSelectOk = 3;

std::vector<MaskTriple> masks_of(const UF_UI_selection_options_p_t opts) {
    std::vector<MaskTriple> masks;
    if (!opts || opts->num_mask_triples <= 0 || !opts->mask_triples) return masks;
    for (int i = 0; i < opts->num_mask_triples; ++i)
        masks.push_back({opts->mask_triples[i].object_type, opts->mask_triples[i].object_subtype,
                         opts->mask_triples[i].solid_type});
    return masks;
}

void set_selection(const std::vector<tag_t> &picked, int *count, tag_p_t *objects) {
    for (tag_t t : picked) store().find(t)->highlighted = true;  // NX leaves the selection highlighted
    *count = static_cast<int>(picked.size());
    *objects = nx_tag_array(picked.data(), picked.size());
}

}  // namespace

extern "C" int UF_UI_select_by_class(char *message, UF_UI_selection_options_p_t opts, int *response, int *count,
                                     tag_p_t *object) {
    NXHOST_ENTER("UF_UI_select_by_class");
    if (!response || !count || !object) return kBadArgument;
    *count = 0;
    *object = nullptr;
    const std::string cue = message ? message : "";
    show("prompt", cue);
    const script::Interaction &answer =
        script::answer("a selection (\"" + cue + "\")", {"pick", "cancel", "back"});
    if (answer.head.verb() != "pick") {
        *response = answer.head.verb() == "cancel" ? kSelectCancel : kSelectBack;
        show("select", answer.head.verb());
        return 0;
    }
    std::vector<tag_t> picked = resolve_pick(answer.head, masks_of(opts), display_part());
    show("select", describe_pick(picked));
    set_selection(picked, count, object);
    *response = kSelectOk;
    return 0;
}

namespace {

// Point subfunction answers.
constexpr int kPointBack = 1;
constexpr int kPointCancel = 2;
constexpr int kPointGiven = 5;

int answer_point(const char *call, const char *cue, double point[3]) {
    show("prompt", cue ? cue : "");
    const script::Interaction &answer =
        script::answer(std::string("a point (\"") + (cue ? cue : "") + "\")", {"point", "cancel", "back"});
    if (answer.head.verb() == "cancel") return kPointCancel;
    if (answer.head.verb() == "back") return kPointBack;
    if (!point) {
        misuse(call, "null point");
        return kPointCancel;
    }
    for (int i = 0; i < 3; ++i) point[i] = std::strtod(answer.head.arg(i).c_str(), nullptr);
    show("select", "point " + answer.head.arg(0) + " " + answer.head.arg(1) + " " + answer.head.arg(2));
    return kPointGiven;
}

}  // namespace

extern "C" int uc1615(const char *cue, double point[3]) {
    int rc = enter("uc1615");
    if (rc) return rc;
    return answer_point("uc1615", cue, point);
}

extern "C" int uc1616(const char *cue, int mode[2], int, double point[3]) {
    int rc = enter("uc1616");
    if (rc) return rc;
    (void)mode;
    return answer_point("uc1616", cue, point);
}

extern "C" int UF_UI_create_filebox(char *prompt_string, char *title_string, char filter_string[MAX_FSPEC_BUFSIZE],
                                    char *default_name, char filename[MAX_FSPEC_BUFSIZE], int *response) {
    NXHOST_ENTER("UF_UI_create_filebox");
    if (!filename || !response) return kBadArgument;
    const std::string title = title_string ? title_string : "";
    show("dialog", "file box \"" + title + "\" prompt \"" + (prompt_string ? prompt_string : "") + "\" filter \"" +
                       (filter_string ? filter_string : "") + "\" default \"" + (default_name ? default_name : "") +
                       "\"");
    const script::Interaction &answer =
        script::answer("a file box (\"" + title + "\")", {"filebox", "cancel", "back"});
    const std::string &verb = answer.head.verb();
    if (verb != "filebox") {
        *response = verb == "cancel" ? UF_UI_CANCEL : UF_UI_BACK;
        filename[0] = '\0';
        show("select", verb);
        return 0;
    }
    const std::string chosen = answer.head.arg(0);
    if (chosen.size() >= MAX_FSPEC_BUFSIZE) script::fatal(script::where(answer.head) + ": the file name is too long");
    std::strcpy(filename, chosen.c_str());
    *response = UF_UI_OK;
    show("select", "file " + chosen);
    return 0;
}
