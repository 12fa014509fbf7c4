/* Attribute type codes and the value record of the attribute calls. */
#ifndef UF_ATTR_TYPES_H_INCLUDED
#define UF_ATTR_TYPES_H_INCLUDED

#include "uf_defs.h"

#define UF_ATTR_integer 1
#define UF_ATTR_real 2
#define UF_ATTR_time 3
#define UF_ATTR_null 4
#define UF_ATTR_string 5
#define UF_ATTR_any 6       /* lookups only: matches every type */
#define UF_ATTR_reference 7
#define UF_ATTR_bool 8

/* The member in use is named by the enclosing record's type. */
union UF_ATTR_value_u {
    logical boolean;
    int integer;
    double real;
    int time[2];            /* [0] date, [1] time of day */
    char *string;
    char *reference;
};
typedef union UF_ATTR_value_u UF_ATTR_value_u_t;

struct UF_ATTR_value_s {
    int type;               /* UF_ATTR_* code */
    UF_ATTR_value_u_t value;
};
typedef struct UF_ATTR_value_s UF_ATTR_value_t, *UF_ATTR_value_p_t;

#endif
