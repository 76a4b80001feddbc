// The floating-point environment of every call: the library's own inside
// (round to nearest, nothing trapping, nothing flushed), the caller's given
// back bit for bit on leaving. One class, FloatingPointScope, per CPU
// family.
#pragma once

#if defined(__x86_64__) || defined(__i386__)
#include "frame/floating_point_scope_x86.h"
#elif defined(__aarch64__)
#include "frame/floating_point_scope_arm64.h"
#elif defined(__arm__)
#include "frame/floating_point_scope_arm32.h"
#else
#error "no floating-point scope for this CPU"
#endif
