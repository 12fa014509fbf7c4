// group_rename: gives a CAM group a new name in the Operation Navigator.
#include "extension_key.h"
#include "uf_defs.h"
#include "uf_obj.h"
#include "uf_ui_ont.h"

// *result is set non-zero when the group carries the new name; NX refuses a name another CAM
// object of the part already has.
extern "C" DllExport void group_rename(tag_t group, const char *new_name, int *result, int key) {
    if (!result) return;
    *result = 0;
    if (key != QZ_EXTENSION_KEY || group == NULL_TAG || !new_name || !*new_name) return;
    if (UF_OBJ_set_name(group, new_name) != 0) return;
    UF_UI_ONT_refresh();
    *result = 1;
}
