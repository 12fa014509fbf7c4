/* File names and directory scans.
 *
 * A scan is one channel at a time: uc4508 opens a directory, uc4518 steps to
 * the next entry, uc4519/uc4600/uc4601 describe the entry just read, uc4548
 * closes everything. Name buffers belong to the caller. File type codes
 * (ftype) of the name helpers are plain numbers: 2 part file (.prt), 4 native
 * text file, 100 directory, 0 no default extension. */
#ifndef UF_CFI_H_INCLUDED
#define UF_CFI_H_INCLUDED

#include "uf_defs.h"

UF_BEGIN_C

/* Opens a directory for reading. dmode is a bit mask: bit 11 = wcard holds a
 * wildcard template (e.g. "*.prt"), bit 12 = fspec itself has wildcards (not
 * with 11), bit 13 = names only (bits 0-7 clear), bit 10 = allow uc4509.
 * ftype is ignored. Returns the channel (>= 0) or a negative error. */
extern UFUNEXPORT int uc4508(const char *fspec, int dmode, int ftype, const char *wcard);

/* Descends into the directory just read (needs bit 10 at open). */
extern UFUNEXPORT int uc4509(void);

/* Reads the next entry: 0 entry read, 1 end of subdirectory, 2 end of
 * directory, < 0 error. */
extern UFUNEXPORT int uc4518(void);

/* Full file spec of the entry just read. */
extern UFUNEXPORT int uc4519(char fspec[MAX_FSPEC_BUFSIZE]);

/* Closes every directory opened by uc4508 and uc4509. */
extern UFUNEXPORT int uc4548(void);

/* Closes the subdirectory opened by uc4509. */
extern UFUNEXPORT int uc4549(void);

/* Simple name of fspec: directory and, for the given file type, extension
 * removed ("/DISK1/JOE/FOO.PRT", 2 gives "FOO"). */
extern UFUNEXPORT int uc4574(const char *fspec, int ftype, char fname[UF_CFI_MAX_FILE_NAME_BUFSIZE]);

/* Joins a directory and a file name, adding the type's default extension;
 * ftype 100 merges two directory specs. */
extern UFUNEXPORT int uc4575(const char *dspec, int ftype, const char *fname, char fspec[MAX_FSPEC_BUFSIZE]);

/* Splits fspec into directory and file name. */
extern UFUNEXPORT int uc4576(const char *fspec, int ftype, char dspec[MAX_FSPEC_BUFSIZE],
                             char fname[UF_CFI_MAX_FILE_NAME_BUFSIZE]);

/* fspec with the type's extension removed. */
extern UFUNEXPORT int uc4578(const char *fspec, int ftype, char dspec[MAX_FSPEC_BUFSIZE]);

/* Simple file name of the entry just read. */
extern UFUNEXPORT int uc4600(char fname[UF_CFI_MAX_FILE_NAME_BUFSIZE]);

/* File type of the entry just read (>= 0; 100-112 are directories), < 0 error. */
extern UFUNEXPORT int uc4601(void);

UF_END_C

#endif
