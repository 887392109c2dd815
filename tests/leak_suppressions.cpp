// Under LeakSanitizer: fontconfig and GLib keep process-lifetime caches
// (font patterns, type registrations) that are never freed by design; they
// are not leaks of ours.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n"
           "leak:libglib-2.0.so\n"
           "leak:libgobject-2.0.so\n";
}
