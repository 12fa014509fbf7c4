// Loaded by the library tests through sys_load_library.
extern "C" int sys_test_add(int a, int b) { return a + b; }
