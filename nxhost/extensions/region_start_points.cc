// region_start_points: the cut-region start points of an operation, from point objects.
#include <vector>

#include "extension_key.h"
#include "uf_camgeom.h"
#include "uf_defs.h"

// Replaces the operation's cut-region start points by the points; 1 when done, 0 when NX
// refused them (or a bad call).
extern "C" DllExport int region_start_points(tag_t oper, int count, tag_t *points, int key) {
    if (key != QZ_EXTENSION_KEY || oper == NULL_TAG || count < 0 || (count > 0 && !points)) return 0;
    std::vector<UF_CAMGEOM_custom_point_t> records(static_cast<std::size_t>(count));
    std::vector<UF_CAMGEOM_custom_point_p_t> pointers;
    for (int i = 0; i < count; ++i) {
        UF_CAMGEOM_custom_point_t &r = records[static_cast<std::size_t>(i)];
        r = UF_CAMGEOM_custom_point_t{};
        r.point_tag = points[i];
        pointers.push_back(&r);
    }
    if (UF_CAMGEOM_delete_custom_points(oper, UF_CAMGEOM_cut_region_start_type) != 0) return 0;
    if (count == 0) return 1;
    return UF_CAMGEOM_append_custom_points(oper, UF_CAMGEOM_cut_region_start_type, count, pointers.data()) == 0 ? 1 : 0;
}
