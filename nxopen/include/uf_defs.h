/* Basic types and conventions shared by every NX Open C header.
 *
 * Conventions of the whole API: functions return int 0 on success and an NX
 * error code otherwise (UF_get_fail_message turns it into text). Arrays and
 * strings that NX allocates for the caller are released with UF_free unless a
 * function names another release call. A missing object is NULL_TAG. */
#ifndef UF_DEFS_H_INCLUDED
#define UF_DEFS_H_INCLUDED

#ifdef _WIN32
#define DllExport __declspec(dllexport)
#else
#define DllExport
#endif

/* Linkage decorations of the NX libraries; plain declarations here. */
#define UFUNEXPORT
#define UGOPENINTEXPORT
#define UFUN_CAMEXPORT
#define UGOPENINT_CAMEXPORT

#ifdef __cplusplus
#define UF_BEGIN_C extern "C" {
#define UF_END_C }
#else
#define UF_BEGIN_C
#define UF_END_C
#endif

typedef unsigned int tag_t;
typedef tag_t *tag_p_t;

#define NULL_TAG ((tag_t)0)
#define null_tag ((tag_t)0)

#ifdef __cplusplus
typedef bool logical;
#else
typedef unsigned char logical;
#ifndef true
#define true 1
#define false 0
#endif
#endif

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

#define ERROR_OK 0

#define PI 3.14159265358979324
#define TWOPI (2.0 * PI)
#define RADEG 57.29577951308235
#define DEGRA .01745329251994328

/* Buffer sizes: a text of N characters may take up to three bytes a character. */
#define NX_BUFSIZE(n) (3 * (n) + 1)
#define MAX_LINE_NCHARS 132
#define MAX_LINE_BUFSIZE NX_BUFSIZE(MAX_LINE_NCHARS)
#define MAX_LINE_SIZE (MAX_LINE_BUFSIZE - 1)
#define MAX_FSPEC_NCHARS 1156
#define MAX_FSPEC_BUFSIZE NX_BUFSIZE(MAX_FSPEC_NCHARS)
#define MAX_FSPEC_SIZE (MAX_FSPEC_BUFSIZE - 1)
#define UF_OBJ_NAME_NCHARS 128
#define UF_OBJ_NAME_BUFSIZE NX_BUFSIZE(UF_OBJ_NAME_NCHARS)
#define MAX_ENTITY_NAME_SIZE (UF_OBJ_NAME_BUFSIZE - 1)
#define UF_CFI_MAX_FILE_NAME_NCHARS 1148
#define UF_CFI_MAX_FILE_NAME_BUFSIZE NX_BUFSIZE(UF_CFI_MAX_FILE_NAME_NCHARS)
#define UF_CFI_MAX_FILE_NAME_SIZE (UF_CFI_MAX_FILE_NAME_BUFSIZE - 1)
#define UF_ATTR_MAX_TITLE_NCHARS 50
#define UF_ATTR_MAX_TITLE_BUFSIZE NX_BUFSIZE(UF_ATTR_MAX_TITLE_NCHARS)
#define UF_ATTR_MAX_STRING_NCHARS 132
#define UF_ATTR_MAX_STRING_BUFSIZE NX_BUFSIZE(UF_ATTR_MAX_STRING_NCHARS)
#define UF_UI_MAX_STRING_NCHARS 1000
#define UF_UI_MAX_STRING_BUFSIZE NX_BUFSIZE(UF_UI_MAX_STRING_NCHARS)
#define UF_MAX_EXP_NCHARS 1024
#define UF_MAX_EXP_BUFSIZE NX_BUFSIZE(UF_MAX_EXP_NCHARS)

/* Singly linked list of tags used by the modelling list functions. */
struct uf_list_s {
    tag_t eid;
    struct uf_list_s *next;
};
typedef struct uf_list_s uf_list_t, *uf_list_p_t;

#endif
