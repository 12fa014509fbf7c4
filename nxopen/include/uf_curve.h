/* Points and lines. */
#ifndef UF_CURVE_H_INCLUDED
#define UF_CURVE_H_INCLUDED

#include "uf_defs.h"

/* A line from start_point to end_point, absolute coordinates. */
struct UF_CURVE_line_s {
    double start_point[3];
    double end_point[3];
};
typedef struct UF_CURVE_line_s UF_CURVE_line_t, *UF_CURVE_line_p_t;

UF_BEGIN_C

/* A point object of the work part. */
extern UFUNEXPORT int UF_CURVE_create_point(double point_coords[3], tag_t *point);
extern UFUNEXPORT int UF_CURVE_ask_point_data(tag_t point, double point_coords[3]);

/* A line object of the work part. */
extern UFUNEXPORT int UF_CURVE_create_line(UF_CURVE_line_p_t line_coords, tag_t *line);
extern UFUNEXPORT int UF_CURVE_ask_line_data(tag_t line, UF_CURVE_line_p_t line_coords);

UF_END_C

#endif
