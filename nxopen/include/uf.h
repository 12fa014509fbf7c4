/* Session, release, fail messages and NX memory.
 * Memory handed out by NX (arrays, strings) is released with UF_free. */
#ifndef UF_H_INCLUDED
#define UF_H_INCLUDED

#include "uf_defs.h"

#define ERROR_UF_base 1105000
#define UF_err_program_not_initialized (ERROR_UF_base)
#define UF_err_bad_parameter_number_1 (ERROR_UF_base + 4)
#define UF_err_bad_parameter_number_2 (ERROR_UF_base + 5)
#define UF_err_operation_aborted (ERROR_UF_base + 32)

/* What NX knows of the session's machine, user and program. Every text is
 * allocated by NX: release the record's contents with UF_free_system_info,
 * never with UF_free. The last two fields came with NX 6. */
struct UF_system_info_s {
    char *date_buf;      /* current date and time */
    char *user_name;
    char *program_name;
    char *node_name;     /* network name of the machine */
    char *machine_type;
    char *os_name;
    char *os_version;
    long physical_memory; /* bytes */
    char **bundles_used; /* number_of_bundles texts */
    int number_of_bundles;
};
typedef struct UF_system_info_s UF_system_info_t, *UF_system_info_p_t;

UF_BEGIN_C

/* Opens the API session; every other call fails with
 * UF_err_program_not_initialized before it. */
extern UFUNEXPORT int UF_initialize(void);
extern UFUNEXPORT int UF_terminate(void);

/* Release text such as "V12.0.2.9"; the caller frees it with UF_free. */
extern UFUNEXPORT int UF_get_release(char **release);

/* Text of an error code; non-zero when NX has none for it. */
extern UFUNEXPORT int UF_get_fail_message(int fail_code, char message[133]);

extern UFUNEXPORT void UF_free(void *data);
extern UFUNEXPORT void UF_free_string_array(int n_strings, char **string_array);

/* nbytes 0 gives NULL; *error_code is 0 on success. */
extern UFUNEXPORT void *UF_allocate_memory(unsigned int nbytes, int *error_code);
extern UFUNEXPORT void *UF_reallocate_memory(void *data, unsigned int nbytes, int *error_code);

/* Value of an environment variable of the NX session ("UGII_BASE_DIR": the
 * NX installation folder); *translation is NULL when it is not set. The text
 * belongs to NX: do not change or free it. */
extern UFUNEXPORT int UF_translate_variable(const char *variable, char **translation);

/* Fills *info; its texts belong to the caller until UF_free_system_info. */
extern UFUNEXPORT int UF_ask_system_info(UF_system_info_p_t info);
extern UFUNEXPORT int UF_free_system_info(UF_system_info_p_t info);

UF_END_C

#endif
