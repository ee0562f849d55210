// Built into sanitizer builds only. Fontconfig, which FLTK uses to draw the message boxes, keeps
// its font cache for the whole life of the process: not a leak of ours.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}
