// Linked into the Qt test executables: the font library keeps caches for the life of the
// process, which the leak checker would otherwise report at exit.

extern "C" const char* __lsan_default_suppressions();
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
