// The floating-point environment a caller runs under, per CPU family: its
// default, a caller that enables traps, and one that also rounds another
// way, flushes denormals and has flags raised; read, written and reset as
// the test's caller does. (The library's own scope is in the frame.)
#pragma once

#if defined(__x86_64__) || defined(__i386__)
#include "fp_environment_x86.h"
#elif defined(__aarch64__)
#include "fp_environment_arm64.h"
#elif defined(__arm__)
#include "fp_environment_arm32.h"
#else
#error "no floating-point environment for this CPU"
#endif
