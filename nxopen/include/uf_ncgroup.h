/* CAM groups: program, geometry, machine tool and method groups, their
 * members, and the creation of new groups. A new group or operation belongs
 * to no group until a parent accepts it. */
#ifndef UF_NCGROUP_H_INCLUDED
#define UF_NCGROUP_H_INCLUDED

#include "uf_defs.h"

#define UF_NCGROUP_MAX_REASON_NCHARS 1024
#define UF_NCGROUP_MAX_REASON_BUFSIZE NX_BUFSIZE(UF_NCGROUP_MAX_REASON_NCHARS)
#define UF_NCGROUP_MAX_REASON_LEN UF_NCGROUP_MAX_REASON_NCHARS

/* Where UF_NCGROUP_insert_member places the member relative to the sibling. */
enum UF_NCGROUP_position_e { /* unverified: tag name */
    UF_NCGROUP_POSITION_BEFORE,
    UF_NCGROUP_POSITION_AFTER
};
typedef enum UF_NCGROUP_position_e UF_NCGROUP_position_t;

/* Called for each member by UF_NCGROUP_cycle_members; return true to go on,
 * false to stop. */
typedef logical (*UF_NCGROUP_cycle_cb_f_t)(tag_t tag, void *data);

UF_BEGIN_C

extern UFUN_CAMEXPORT int UF_NCGROUP_is_group(tag_t obj_tag, logical *answer);

/* Whether obj1 (a group) can take obj2; when not, reason says why. */
extern UFUN_CAMEXPORT int UF_NCGROUP_can_accept_member(tag_t obj1, tag_t obj2, logical *answer,
                                                       char reason[UF_NCGROUP_MAX_REASON_BUFSIZE]);

/* Direct members in order; *list is allocated by NX (free with UF_free). */
extern UFUN_CAMEXPORT int UF_NCGROUP_ask_member_list(tag_t obj_tag, int *count, tag_t **list);

/* Appends member as the last member; an error if parent cannot take it. */
extern UFUN_CAMEXPORT int UF_NCGROUP_accept_member(tag_t parent, tag_t member);

/* *answer false when member is not a direct member; *index is its position. */
extern UFUN_CAMEXPORT int UF_NCGROUP_is_a_member(tag_t group, tag_t member, logical *answer, int *index);

/* Inserts before or after sibling; sibling NULL_TAG appends. */
extern UFUN_CAMEXPORT int UF_NCGROUP_insert_member(tag_t parent, tag_t member, tag_t sibling,
                                                   UF_NCGROUP_position_t where);

/* The index-th direct member (zero-based). */
extern UFUN_CAMEXPORT int UF_NCGROUP_ask_member_in_list(tag_t parent, int index, tag_t *member);

/* Calls cb for each member until it returns false. */
extern UFUN_CAMEXPORT int UF_NCGROUP_cycle_members(tag_t group, UF_NCGROUP_cycle_cb_f_t cb, void *data);

/* Object of that name under obj_tag; NULL_TAG when there is none (unverified). */
extern UFUN_CAMEXPORT int UF_NCGROUP_ask_object_of_name(tag_t obj_tag, char *name, tag_t *obj_with_name);

/* Root of the view the object belongs to. */
extern UFUN_CAMEXPORT int UF_NCGROUP_ask_root_of_object(tag_t obj_tag, tag_t *root_tag);

/* New program, geometry or method group of a template type and subtype
 * (names as in the template set); it is in no group yet. */
extern UFUN_CAMEXPORT int UF_NCPROG_create(char *type_name, char *subtype_name, tag_t *new_object);
extern UFUN_CAMEXPORT int UF_NCGEOM_create(char *type_name, char *subtype_name, tag_t *new_object);
extern UFUN_CAMEXPORT int UF_NCMTHD_create(char *type_name, char *subtype_name, tag_t *new_object);

UF_END_C

#endif
