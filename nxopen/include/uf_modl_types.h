/* Type codes of the modelling calls: bodies, faces, edges, boolean signs. */
#ifndef UF_MODL_TYPES_H_INCLUDED
#define UF_MODL_TYPES_H_INCLUDED

#include "uf_defs.h"

/* UF_MODL_ask_body_type; 0 means neither. */
#define UF_MODL_SOLID_BODY 5601
#define UF_MODL_SHEET_BODY 5602

/* UF_MODL_ask_face_type. */
#define UF_MODL_CYLINDRICAL_FACE 16
#define UF_MODL_CONICAL_FACE 17
#define UF_MODL_SPHERICAL_FACE 18
#define UF_MODL_TOROIDAL_FACE 19
#define UF_MODL_SWEPT_FACE 20
#define UF_MODL_PLANAR_FACE 22
#define UF_MODL_BLENDING_FACE 23
#define UF_MODL_PARAMETRIC_FACE 43
#define UF_MODL_OFFSET_FACE 65
#define UF_MODL_FOREIGN_FACE 66
#define UF_MODL_CONVERGENT_FACE 67

/* UF_MODL_ask_edge_type. */
#define UF_MODL_LINEAR_EDGE 3001
#define UF_MODL_CIRCULAR_EDGE 3002
#define UF_MODL_ELLIPTICAL_EDGE 3003
#define UF_MODL_INTERSECTION_EDGE 3004
#define UF_MODL_SPLINE_EDGE 3005
#define UF_MODL_SP_CURVE_EDGE 3006
#define UF_MODL_FOREIGN_EDGE 3007
#define UF_MODL_CONST_PARAMETER_EDGE 3008
#define UF_MODL_TRIMMED_CURVE_EDGE 3009
#define UF_MODL_CONVERGENT_EDGE 100007

/* How a new feature combines with the target body. */
enum UF_FEATURE_SIGNS {
    UF_NULLSIGN,          /* new body */
    UF_POSITIVE,          /* unite */
    UF_NEGATIVE,          /* subtract */
    UF_UNSIGNED,          /* intersect */
    UF_NO_BOOLEAN,
    UF_TOP_TARGET,
    UF_UNITE,
    UF_SUBTRACT,
    UF_INTERSECT,
    UF_DEFORM_POSITIVE,
    UF_DEFORM_NEGATIVE
};
typedef enum UF_FEATURE_SIGNS UF_FEATURE_SIGN;

#endif
