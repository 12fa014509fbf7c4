/* Text geometry of engraving operations: drafting notes and labels whose
 * characters the tool follows. */
#ifndef UF_CAMTEXT_H_INCLUDED
#define UF_CAMTEXT_H_INCLUDED

#include "uf_defs.h"

typedef void *UF_CAMTEXT_item_t;

UF_BEGIN_C

/* Appends notes or labels; any other entity appends nothing. */
extern UFUN_CAMEXPORT int UF_CAMTEXT_append_items(tag_t object_tag, int count, tag_t *entity_list);

/* *items is freed with UF_free. */
extern UFUN_CAMEXPORT int UF_CAMTEXT_ask_items(tag_t object_tag, int *count, UF_CAMTEXT_item_t **items);
extern UFUN_CAMEXPORT int UF_CAMTEXT_ask_item_entity(UF_CAMTEXT_item_t item, tag_t *entity);
extern UFUN_CAMEXPORT int UF_CAMTEXT_delete_item(tag_t object_tag, UF_CAMTEXT_item_t item);
extern UFUN_CAMEXPORT int UF_CAMTEXT_delete_geometry(tag_t object_tag);

UF_END_C

#endif
