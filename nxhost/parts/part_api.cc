// UF_PART_* and the work-part calls of UF_ASSEM_*.
#include <cstring>

#include "nxhost/core/guard.h"
#include "nxhost/core/session.h"
#include "nxhost/parts/part_session.h"
#include "nxhost/parts/parts.h"
#include "sys/sys_path.h"
#include "uf.h"
#include "uf_assem.h"
#include "uf_object_types.h"
#include "uf_part.h"

using namespace nxhost;

namespace {

const Object *loaded_part(const char *call, tag_t part) { return lookup_kind(call, part, UF_part_type); }

void clear_status(UF_PART_load_status_t *status) {
    if (!status) return;
    status->failed = false;
    status->user_abort = false;
    status->n_parts = 0;
    status->file_names = nullptr;
    status->statuses = nullptr;
}

void fill_failure(UF_PART_load_status_t *status, const std::string &file, int code) {
    if (!status) return;
    status->failed = true;
    status->n_parts = 1;
    status->file_names = static_cast<char **>(nx_alloc(sizeof(char *)));
    status->file_names[0] = nx_strdup(file);
    status->statuses = static_cast<int *>(nx_alloc(sizeof(int)));
    status->statuses[0] = code;
}

int open_common(const char *call, const char *part_name, tag_t *part, UF_PART_load_status_t *status,
                bool make_display) {
    clear_status(status);
    if (part) *part = NULL_TAG;
    int rc = enter(call);
    if (rc) {
        if (status) status->failed = true;
        return rc;
    }
    if (!part_name || !part || !status) {
        misuse(call, "part name, part and load status must not be NULL");
        return kBadArgument;
    }
    LoadFailure failure;
    tag_t opened = open_part(part_name, &failure);
    if (opened == NULL_TAG) {
        report_failure(call, failure.message);
        fill_failure(status, part_name, failure.code);
        return failure.code;
    }
    if (make_display) set_display_part(opened);
    *part = opened;
    return 0;
}

}  // namespace

extern "C" tag_t UF_PART_ask_display_part(void) {
    if (enter("UF_PART_ask_display_part")) return NULL_TAG;
    return display_part();
}

extern "C" int UF_PART_ask_part_name(tag_t part, char part_fspec[MAX_FSPEC_BUFSIZE]) {
    NXHOST_ENTER("UF_PART_ask_part_name");
    if (!part_fspec) return kBadArgument;
    part_fspec[0] = '\0';
    const Object *obj = loaded_part("UF_PART_ask_part_name", part);
    if (!obj) return kBadTag;
    std::strncpy(part_fspec, obj->name.c_str(), MAX_FSPEC_BUFSIZE - 1);
    part_fspec[MAX_FSPEC_BUFSIZE - 1] = '\0';
    return 0;
}

extern "C" int UF_PART_is_loaded(const char *part_name) {
    NXHOST_ENTER("UF_PART_is_loaded");
    if (!part_name) {
        misuse("UF_PART_is_loaded", "part name must not be NULL");
        return kBadArgument;
    }
    return find_loaded_part(part_name) != NULL_TAG ? 1 : 0;
}

extern "C" tag_t UF_PART_ask_part_tag(const char *part_name) {
    if (enter("UF_PART_ask_part_tag")) return NULL_TAG;
    return part_name ? find_loaded_part(part_name) : NULL_TAG;
}

extern "C" int UF_PART_open(const char *part_name, tag_t *part, UF_PART_load_status_t *error_status) {
    return open_common("UF_PART_open", part_name, part, error_status, true);
}

extern "C" int UF_PART_open_quiet(const char *part_name, tag_t *part, UF_PART_load_status_t *error_status) {
    return open_common("UF_PART_open_quiet", part_name, part, error_status, false);
}

extern "C" int UF_PART_free_load_status(UF_PART_load_status_p_t load_status) {
    NXHOST_ENTER("UF_PART_free_load_status");
    if (!load_status) return kBadArgument;
    if (load_status->file_names) UF_free_string_array(load_status->n_parts, load_status->file_names);
    UF_free(load_status->statuses);
    load_status->file_names = nullptr;
    load_status->statuses = nullptr;
    load_status->n_parts = 0;
    return 0;
}

extern "C" int UF_PART_set_display_part(tag_t part) {
    NXHOST_ENTER("UF_PART_set_display_part");
    if (part == NULL_TAG) part = work_part();
    if (part == NULL_TAG) return 0;
    if (!loaded_part("UF_PART_set_display_part", part)) return kBadTag;
    set_display_part(part);
    return 0;
}

extern "C" int UF_PART_save(void) {
    NXHOST_ENTER("UF_PART_save");
    tag_t part = work_part();
    if (part == NULL_TAG) return kNoPart;
    std::string error;
    // A part whose own file lies on a read-only share cannot be saved there.
    if (saves_in_place() && sys_read_only_path(part_name(part).c_str())) {
        report_failure("UF_PART_save", part_name(part) + ": the folder is read-only");
        return kFileNotWritten;
    }
    if (!save_part_as(part, save_target(part), &error)) {
        report_failure("UF_PART_save", error);
        return kFileNotWritten;
    }
    return 0;
}

extern "C" int UF_PART_close(tag_t part, int scope, int mode) {
    NXHOST_ENTER("UF_PART_close");
    if (!loaded_part("UF_PART_close", part)) return kBadTag;
    if (scope < 0 || scope > 1 || mode < 0 || mode > 2) {
        misuse("UF_PART_close", "scope must be 0 or 1 and mode 0, 1 or 2");
        return kBadArgument;
    }
    if (mode == 2 && store().is_modified(part)) return 1;
    close_part(part);
    return 0;
}

extern "C" int UF_PART_close_all(void) {
    NXHOST_ENTER("UF_PART_close_all");
    for (tag_t part : loaded_parts()) close_part(part);
    return 0;
}

extern "C" int UF_ASSEM_set_work_part(tag_t part) {
    NXHOST_ENTER("UF_ASSEM_set_work_part");
    if (part == NULL_TAG || part == display_part()) {
        set_work_part(display_part());
        return 0;
    }
    if (!loaded_part("UF_ASSEM_set_work_part", part)) return kBadTag;
    misuse("UF_ASSEM_set_work_part", "part " + part_name(part) + " is not the display part nor in its assembly");
    return kBadArgument;
}

extern "C" tag_t UF_ASSEM_ask_work_part(void) {
    if (enter("UF_ASSEM_ask_work_part")) return NULL_TAG;
    return work_part();
}
