#include "driver/wait_for.h"

#include <windows.h>

namespace gui_driver {

bool WaitFor(const std::function<bool()>& predicate, Millis timeout, Millis poll) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (predicate()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    Sleep(static_cast<DWORD>(poll.count()));
  }
}

}  // namespace gui_driver
