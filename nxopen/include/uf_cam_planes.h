/* Clearance plane of an MCS group or an operation: the plane the tool
 * retracts to between cuts, given by a point on it and its normal. */
#ifndef UF_CAM_PLANES_H_INCLUDED
#define UF_CAM_PLANES_H_INCLUDED

#include "uf_defs.h"

UF_BEGIN_C

/* Point and normal in absolute coordinates; the normal need not be a unit
 * vector but must not be zero. */
extern UFUN_CAMEXPORT int UF_CAM_set_clear_plane_data(tag_t object_tag, double origin[3], double normal[3]);

/* An error when the object has no clearance plane of its own. */
extern UFUN_CAMEXPORT int UF_CAM_ask_clear_plane_data(tag_t object_tag, double origin[3], double normal[3]);

UF_END_C

#endif
