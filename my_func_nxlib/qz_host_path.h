// host_root_path of qz_host_path, the library beside the add-on that names NX's folder.
#ifndef MY_FUNC_NXLIB_QZ_HOST_PATH_H_INCLUDED
#define MY_FUNC_NXLIB_QZ_HOST_PATH_H_INCLUDED

#ifdef _WIN32
#define QZ_HOST_PATH_IMPORT __declspec(dllimport)
#else
#define QZ_HOST_PATH_IMPORT
#endif

// Writes the NX folder without a final backslash into root (at least MAX_FSPEC_BUFSIZE bytes);
// 1, or 0 with root empty when NX names none.
extern "C" QZ_HOST_PATH_IMPORT int host_root_path(char *root);

#endif
