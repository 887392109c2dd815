// Under LeakSanitizer: fontconfig and GLib keep process-lifetime caches
// (font patterns, type registrations) that are never freed by design; they
// are not leaks of ours.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n"
           "leak:libglib-2.0.so\n"
           "leak:libgobject-2.0.so\n";
}

// Under ThreadSanitizer: Pango starts fontconfig's initialisation on a
// thread of its own, and neither library is built for the sanitizer, so
// their own hand-over looks like a race.
extern "C" const char* __tsan_default_suppressions() {
    return "race:libfontconfig.so\n"
           "race:libglib-2.0.so\n";
}
