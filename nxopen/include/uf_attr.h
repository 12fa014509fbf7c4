/* Attributes. The title-based calls live in uf_retiring.h and come with this
 * header, as older programs expect. */
#ifndef UF_ATTR_H_INCLUDED
#define UF_ATTR_H_INCLUDED

#include "uf_defs.h"
#include "uf_attr_types.h"
#include "uf_retiring.h"

#endif
