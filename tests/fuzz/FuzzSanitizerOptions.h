#pragma once

// Sanitizer settings for fuzz targets whose readers call into the system's
// libraries (Qt, fonts, images, compression). Include in the target's one
// source file.
//
// Those libraries are built without frame pointers: a stack read through
// them for every allocation picks up whatever their frames hold, so nearly
// every input adds stacks of its own to the record the address sanitizer
// keeps of them, and a long run grows without bound. Two frames (the
// allocating function and its caller) stay exact; the quarantine of freed
// memory stays small enough for long runs to be measured.
extern "C" const char* __asan_default_options() {
  return "malloc_context_size=2:quarantine_size_mb=32";
}

// Font lookups fill the font configuration library's caches, which the leak
// checker cannot trace to a root; those are not leaks of ours.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}
