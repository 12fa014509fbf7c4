/* Smart objects: geometry defined from other objects. Only the transform made
 * from plain numbers is declared here. */
#ifndef UF_SO_H_INCLUDED
#define UF_SO_H_INCLUDED

#include "uf_defs.h"

/* When a smart object follows changes of the objects it is defined from. */
enum UF_SO_update_option_e {
    UF_SO_dont_update,
    UF_SO_update_within_modeling,
    UF_SO_update_after_modeling,
    UF_SO_update_after_parent_body,
    UF_SO_update_mixed
};
typedef enum UF_SO_update_option_e UF_SO_update_option_t;

UF_BEGIN_C

/* A transform (an origin and two axes, scaled) in the part of object_in_part,
 * such as the floor plane of a planar milling operation. The axes need not be
 * unit vectors but must not be parallel. */
extern UFUNEXPORT int UF_SO_create_xform_doubles(const tag_t object_in_part, const UF_SO_update_option_t update_option,
                                                 const double point[3], const double x_direction[3],
                                                 const double y_direction[3], const double scale, tag_p_t xform);

UF_END_C

#endif
