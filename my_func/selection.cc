// Interactive selection of faces, solids and a directory, and the solids the user can see.
#include <cstring>
#include <string>
#include <vector>

#include "my_func/my_func.h"
#include "uf.h"
#include "uf_disp.h"
#include "uf_layer.h"
#include "uf_modl.h"
#include "uf_obj.h"
#include "uf_object_types.h"
#include "uf_part.h"
#include "uf_ui.h"

namespace {

// The legacy class selection answers 3 for OK.
const int SELECT_OK = 3;
// Mask type that stands for faces in a selection mask.
const int FACE_MASK_TYPE = 71;
// Layers a visible solid may sit on.
const int LAST_VIEW_LAYER = 255;

// One class selection under one mask triple in the work part.
int select_by_mask(UF_UI_mask_t mask, tag_t **objects, int *count, const char *prompt) {
    if (!objects || !count) return 0;
    *objects = nullptr;
    *count = 0;

    std::string cue_text = prompt ? prompt : "";
    std::vector<char> cue(cue_text.begin(), cue_text.end());
    cue.push_back('\0');
    UF_UI_selection_options_t options{};
    options.num_mask_triples = 1;
    options.mask_triples = &mask;
    options.scope = UF_UI_SEL_SCOPE_WORK_PART;
    int response = 0;
    int picked_count = 0;
    tag_t *picked = nullptr;
    const int code = UF_CALL(UF_UI_select_by_class(cue.data(), &options, &response, &picked_count, &picked));
    if (code != 0 || response != SELECT_OK) {
        if (picked) UF_free(picked);
        return 0;
    }
    // NX leaves the selection highlighted; the caller's work should not show it so.
    for (int i = 0; i < picked_count; ++i) UF_CALL(UF_DISP_set_highlight(picked[i], 0));
    *objects = picked;
    *count = picked_count;
    return 1;
}

// A solid body that is shown: not blanked, on a layer 1..255 that is the work layer or
// selectable (a reference or hidden layer does not count).
bool is_visible_solid(tag_t object) {
    int type = 0;
    int subtype = -1;
    if (UF_CALL(UF_OBJ_ask_type_and_subtype(object, &type, &subtype)) != 0 || subtype != UF_solid_body_subtype)
        return false;
    int body_type = 0;
    if (UF_CALL(UF_MODL_ask_body_type(object, &body_type)) != 0 || body_type != UF_MODL_SOLID_BODY) return false;
    UF_OBJ_disp_props_t props{};
    if (UF_CALL(UF_OBJ_ask_display_properties(object, &props)) != 0 || props.blank_status != UF_OBJ_NOT_BLANKED)
        return false;
    if (props.layer < UF_LAYER_MIN_LAYER || props.layer > LAST_VIEW_LAYER) return false;
    int status = 0;
    if (UF_CALL(UF_LAYER_ask_status(props.layer, &status)) != 0) return false;
    return status == UF_LAYER_WORK_LAYER || status == UF_LAYER_ACTIVE_LAYER;
}

}  // namespace

int MY_select_faces(tag_t **faces, int *count, const char *prompt) {
    return select_by_mask({FACE_MASK_TYPE, 0, 0}, faces, count, prompt);
}

int MY_select_solids(tag_t **solids, int *count, const char *prompt) {
    return select_by_mask({UF_solid_type, 1, UF_UI_SEL_FEATURE_SOLID_BODY}, solids, count, prompt);
}

int MY_select_screen_view_solids(tag_t **solids, int *count) {
    if (!solids || !count) return 0;
    *solids = nullptr;
    *count = 0;
    const tag_t part = UF_PART_ask_display_part();
    if (part == NULL_TAG) return 1;  // nothing displayed, nothing to see

    tag_t *found = nullptr;
    int found_count = 0;
    tag_t object = NULL_TAG;
    // A failed step of the cycle ends it: the cursor would not move on.
    while (UF_CALL(UF_OBJ_cycle_objs_in_part(part, UF_solid_type, &object)) == 0 && object != NULL_TAG) {
        if (!is_visible_solid(object)) continue;
        int error = 0;
        const unsigned int bytes = static_cast<unsigned int>((found_count + 1) * sizeof(tag_t));
        auto *grown = static_cast<tag_t *>(UF_reallocate_memory(found, bytes, &error));
        report_nx_call(__FILE__, __LINE__, "UF_reallocate_memory(found, bytes, &error)", error);
        if (error != 0 || !grown) {
            // The old block is still ours when NX gave no new one.
            UF_free(grown ? grown : found);
            show_catalogue_text(MY_FUNC_LANG_FORMAT, "MY_select_screen_view_soli_01:");
            return 0;
        }
        found = grown;
        found[found_count++] = object;
    }
    *solids = found;
    *count = found_count;
    return 1;
}

int MY_select_directory(const char *start_dir, char *dir) {
    std::string default_name = start_dir && *start_dir ? start_dir : "D:";
    if (default_name.back() != '\\') default_name += '\\';
    default_name += 'a';
    if (default_name.size() > MAX_FSPEC_SIZE) default_name.resize(MAX_FSPEC_SIZE);
    std::vector<char> default_text(default_name.begin(), default_name.end());
    default_text.push_back('\0');
    char prompt[] = "Select directory\xa1\xa3";  // the full-width stop in code page 936
    char title[] = "Select directory";
    char filter[MAX_FSPEC_BUFSIZE] = "";
    char file_name[MAX_FSPEC_BUFSIZE] = "";
    int response = 0;
    if (UF_CALL(UF_UI_create_filebox(prompt, title, filter, default_text.data(), file_name, &response)) != 0) return 0;
    // A cancelled box leaves the caller's directory; any other answer names a file.
    if (response == UF_UI_CANCEL) return 0;
    char *last_backslash = std::strrchr(file_name, '\\');
    if (last_backslash) *last_backslash = '\0';
    if (dir) MY_copy_cut(dir, MAX_FSPEC_BUFSIZE, file_name);
    return 1;
}
