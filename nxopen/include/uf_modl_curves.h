/* Points along curves and edges, and isocline curves of faces. */
#ifndef UF_MODL_CURVES_H_INCLUDED
#define UF_MODL_CURVES_H_INCLUDED

#include "uf_defs.h"

UF_BEGIN_C

/* Points along a curve or edge, from its start to its end: no chord strays
 * more than ctol from the curve, the tangent angles at a chord's ends add up
 * to at most atol (radians), no chord is longer than stol. A tolerance of 0
 * is not used. *pts holds 3 * *numpts doubles, allocated by NX (free with
 * UF_free). Returns 1 for an object that is no curve, 2 when no points can be
 * made within the tolerances (none given, or too many points). */
extern UFUNEXPORT int UF_MODL_ask_curve_points(tag_t curve_id, double ctol, double atol, double stol, int *numpts,
                                               double **pts);

/* Curves on the face where the face meets direction at the draft angle
 * (degrees, -90 to 90; 0: where the face runs along the direction), within
 * dist_tol. New curve objects of the work part; *isocurve_id is allocated by
 * NX (free with UF_free, NULL when *isocurve_cnt is 0); delete the curves
 * with UF_OBJ_delete_array_of_objects when done. */
extern UFUNEXPORT int UF_MODL_create_isocline_curves(tag_t face_id, double direction[3], double angle,
                                                     double dist_tol, tag_t **isocurve_id, int *isocurve_cnt);

UF_END_C

#endif
