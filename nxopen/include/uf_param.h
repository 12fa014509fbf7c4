/* Parameters of CAM objects (operations, groups, tools), addressed by the
 * UF_PARAM_* indices of uf_param_indices.h.
 *
 * An "ask" returns the value the object uses, inherited or its own; a "set"
 * gives the object its own value and so overrides inheritance. Asking with
 * an index the object does not have is an error. */
#ifndef UF_PARAM_H_INCLUDED
#define UF_PARAM_H_INCLUDED

#include "uf_defs.h"

UF_BEGIN_C

extern UFUN_CAMEXPORT int UF_PARAM_ask_int_value(tag_t param_tag, int param_index, int *value);
extern UFUN_CAMEXPORT int UF_PARAM_ask_double_value(tag_t param_tag, int param_index, double *value);

/* NULL_TAG when the parameter refers to nothing. */
extern UFUN_CAMEXPORT int UF_PARAM_ask_tag_value(tag_t param_tag, int param_index, tag_t *value);

/* Text into caller memory. */
extern UFUN_CAMEXPORT int UF_PARAM_ask_str_value(tag_t param_tag, int param_index, char value[MAX_LINE_BUFSIZE]);

extern UFUN_CAMEXPORT int UF_PARAM_ask_2d_value(tag_t param_tag, int param_index, double value[2]);

extern UFUN_CAMEXPORT int UF_PARAM_set_int_value(tag_t param_tag, int param_index, int value);
extern UFUN_CAMEXPORT int UF_PARAM_set_double_value(tag_t param_tag, int param_index, double value);
extern UFUN_CAMEXPORT int UF_PARAM_set_tag_value(tag_t param_tag, int param_index, tag_t value);

/* NX copies the text. */
extern UFUN_CAMEXPORT int UF_PARAM_set_str_value(tag_t param_tag, int param_index, char *value);

/* unverified: parameter form, mirrored from the ask call */
extern UFUN_CAMEXPORT int UF_PARAM_set_2d_value(tag_t param_tag, int param_index, double value[2]);

/* Sub-object parameters (feed rates: a UF_PARAM_feedrate_t): the value is
 * copied into, resp. from, the caller's record that value points at. */
extern UFUN_CAMEXPORT int UF_PARAM_ask_subobj_ptr_value(tag_t param_tag, int param_index, void *value);
extern UFUN_CAMEXPORT int UF_PARAM_set_subobj_ptr_value(tag_t param_tag, int param_index, void *value);

/* *is_ok is true when the operation (or every operation of the group) has
 * what generating its tool path needs. */
extern UFUN_CAMEXPORT int UF_PARAM_check(tag_t param, logical *is_ok);

/* Generates the tool path of an operation, or of every operation of a group
 * in program order; an error code names the first thing missing. */
extern UFUN_CAMEXPORT int UF_PARAM_generate(tag_t param_tag, logical *generated);

/* Shows the generated tool path again; an error when there is none. */
extern UFUN_CAMEXPORT int UF_PARAM_replay_path(tag_t param_tag);

UF_END_C

#endif
