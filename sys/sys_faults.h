// Failures of the file layer made to order, for tests of what the add-on does when a share
// refuses a file or a disk runs full. Only the POSIX emulation has them; on Windows the real
// file system answers. The add-on never calls these.
#ifndef SYS_FAULTS_H_INCLUDED
#define SYS_FAULTS_H_INCLUDED

#ifndef _WIN32

// The nth counted file call from now on fails with EACCES as a refusing share would (1 = the
// next one); 0 = none. Counted: sys_fopen, sys_remove, sys_rename and sys_make_directory on a
// path that is mounted.
void sys_fault_fail_call(long n);

// The next counted file call on this Windows path (letter case ignored; of a rename, its source)
// fails with EACCES; NULL or "" = none.
void sys_fault_fail_path(const char *path);

// File calls counted since the last sys_fault_reset, and those made to fail.
long sys_fault_calls_made(void);
long sys_fault_calls_failed(void);

// Binary streams opened for writing from now on share a disk with this many free bytes: a write
// beyond them stores what fits and fails with ENOSPC. Negative = no limit.
void sys_fault_disk_space(long bytes);

// No failure pending, no limit, counters at 0.
void sys_fault_reset(void);

#endif

#endif
