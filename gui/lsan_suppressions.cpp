// Linked into the Qt executables (the program and its widget tests): the font library and the
// desktop bus library keep caches for the life of the process, which the leak checker of a
// sanitizer build would otherwise report at exit. Without the leak checker nothing calls this.

extern "C" const char* __lsan_default_suppressions();
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n"
           "leak:libdbus-1.so\n";
}
