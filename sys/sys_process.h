// Child processes.
#ifndef SYS_PROCESS_H_INCLUDED
#define SYS_PROCESS_H_INCLUDED

// Runs a command line through the command processor (cmd.exe on Windows, /bin/sh on POSIX)
// and waits for it. A first word that is a Windows path is mapped as sys_native_path does; a
// program that cannot be found is the command processor's failure, reported in its exit code.
// Returns the command's exit code (on POSIX 128 + the signal number when a signal ended it),
// or -1 when the command processor could not be started.
int sys_run_command(const char *command_line);

#endif
