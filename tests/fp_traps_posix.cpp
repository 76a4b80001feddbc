// SIGFPE leaves the trapping call by siglongjmp: its frames are abandoned,
// which only the test's own bookkeeping notices.
#include <csetjmp>
#include <csignal>

#include "fp_environment.h"
#include "fp_traps.h"

namespace udfzel_test {
namespace {

thread_local sigjmp_buf trapExit;

void OnTrap(int) {
  siglongjmp(trapExit, 1);
}

}  // namespace

bool RunCatchingTraps(void (*body)(void*), void* context) {
  struct sigaction action {};
  struct sigaction previous {};
  action.sa_handler = OnTrap;
  sigemptyset(&action.sa_mask);
  sigaction(SIGFPE, &action, &previous);
  bool completed = false;
  if (sigsetjmp(trapExit, 1) == 0) {
    body(context);
    completed = true;
  } else {
    ResetUnits();
  }
  sigaction(SIGFPE, &previous, nullptr);
  return completed;
}

}  // namespace udfzel_test
