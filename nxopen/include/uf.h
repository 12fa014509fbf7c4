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

UF_END_C

#endif
