// The leak checker of sanitizer builds reads this when the program starts, so this file is
// compiled into every program that can open windows: plughost (whose windows come from a module
// loaded later) and the tests that drive the windows directly. FLTK, Xlib, Xft and fontconfig keep
// their caches (fonts, atoms, the display connection) until the process ends and never free them;
// those are not leaks of this program. Only allocations made inside these libraries are passed
// over.
extern "C" __attribute__((visibility("default"))) const char* __lsan_default_suppressions() {
    return "leak:libfltk.so\n"
           "leak:libX11.so\n"
           "leak:libXft.so\n"
           "leak:libfontconfig.so\n"
           "leak:libxcb.so\n";
}
