/* Coordinate systems, their orientation matrices and the WCS.
 *
 * A matrix is 9 doubles, one axis a row: X axis 0-2, Y axis 3-5, Z axis 6-8,
 * in absolute coordinates. */
#ifndef UF_CSYS_H_INCLUDED
#define UF_CSYS_H_INCLUDED

#include "uf_defs.h"

/* Coordinates of UF_CSYS_map_point: absolute of the displayed part, absolute
 * of the work part, and the WCS of the displayed part. */
#define UF_CSYS_ROOT_COORDS 1
#define UF_CSYS_WORK_COORDS 2
#define UF_CSYS_ROOT_WCS_COORDS 3

#define ERROR_UF_CSYS_base 1100000
/* A coordinates code that is none of the three. */
#define UF_CSYS_ERR_INVALID_COORDS (ERROR_UF_CSYS_base + 0)

UF_BEGIN_C

/* The coordinate system the WCS of the work part is set to. */
extern UFUNEXPORT int UF_CSYS_ask_wcs(tag_t *wcs_id);

/* Makes the WCS coincide with csys_id (a coordinate system of the part, not
 * an occurrence). */
extern UFUNEXPORT int UF_CSYS_set_wcs(tag_t csys_id);

/* A matrix object from orthonormal values. */
extern UFUNEXPORT int UF_CSYS_create_matrix(const double matrix_values[9], tag_t *matrix_id);

/* A coordinate system that is not saved with the part. */
extern UFUNEXPORT int UF_CSYS_create_temp_csys(const double csys_origin[3], tag_t matrix_id, tag_t *csys_id);

/* A coordinate system object of the work part. */
extern UFUNEXPORT int UF_CSYS_create_csys(const double csys_origin[3], tag_t matrix_id, tag_t *csys_id);

/* The matrix of an object that has one (a coordinate system); NULL_TAG
 * otherwise. */
extern UFUNEXPORT int UF_CSYS_ask_matrix_of_object(tag_t object_id, tag_t *matrix_id);

extern UFUNEXPORT int UF_CSYS_ask_matrix_values(tag_t matrix_id, double matrix_values[9]);

/* Matrix and origin of a coordinate system. */
extern UFUNEXPORT int UF_CSYS_ask_csys_info(tag_t csys_id, tag_t *matrix_id, double csys_origin[3]);

/* input_point given in input_csys coordinates, in output_csys coordinates
 * (UF_CSYS_ROOT_COORDS, UF_CSYS_WORK_COORDS, UF_CSYS_ROOT_WCS_COORDS). */
extern UFUNEXPORT int UF_CSYS_map_point(int input_csys, double input_point[3], int output_csys,
                                        double output_point[3]);

UF_END_C

#endif
