// How an entry point leaves the module under its plain name. An ELF module
// exports what has default visibility and its version script lists; a DLL
// exports what its module definition lists, so there it needs only C
// linkage (a visibility attribute means nothing to PE and GCC warns of it).
#pragma once

#if defined(_WIN32)
#define UDFZEL_EXPORT extern "C"
#else
#define UDFZEL_EXPORT extern "C" __attribute__((visibility("default")))
#endif
