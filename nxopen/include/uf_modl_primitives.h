/* Primitive features: the block. */
#ifndef UF_MODL_PRIMITIVES_H_INCLUDED
#define UF_MODL_PRIMITIVES_H_INCLUDED

#include "uf_defs.h"
#include "uf_modl_types.h"

UF_BEGIN_C

/* A block feature: corner_pt in absolute coordinates, edges along the WCS
 * axes, edge_len three expressions ("25.4", "10"). UF_NULLSIGN makes a new
 * body; the body is UF_MODL_ask_feat_body of *blk_obj_id. The stand-in
 * makes new bodies only (UF_NULLSIGN, UF_NO_BOOLEAN). */
extern UFUNEXPORT int UF_MODL_create_block1(UF_FEATURE_SIGN sign, double corner_pt[3], char *edge_len[3],
                                            tag_t *blk_obj_id);

UF_END_C

#endif
