// A floating-point trap caught around one call: the caller-environment test
// unmasks traps, and one that fires inside the library must fail that test,
// not end the test program. POSIX catches SIGFPE; Windows, the structured
// exception.
#pragma once

namespace udfzel_test {

// Runs `body(context)`; false when a floating-point trap fired inside it.
// After a trap the unit holds its default environment again.
bool RunCatchingTraps(void (*body)(void*), void* context);

template <class Body>
bool RunCatchingTraps(Body& body) {
  return RunCatchingTraps([](void* b) { (*static_cast<Body*>(b))(); }, &body);
}

}  // namespace udfzel_test
