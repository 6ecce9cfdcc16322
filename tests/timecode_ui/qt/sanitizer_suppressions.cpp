// The font configuration library keeps a cache for the life of the process, which
// the leak checker would otherwise report at exit of the widget tests.
extern "C" const char* __lsan_default_suppressions();
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
