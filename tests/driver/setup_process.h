#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "driver/unique_handle.h"
#include "driver/wait_for.h"

namespace gui_driver {

// A running copy of the program under test. Ending the object ends a copy that is still running, so a
// failed test does not leave one behind that holds the single-instance mutex for the next test.
class SetupProcess {
 public:
  // Starts `exe` with `folder` as its current directory. The child gets none of the test's standard
  // handles: it must not hold ctest's output pipe open.
  static std::optional<SetupProcess> Start(const std::wstring& exe, const std::wstring& folder,
                                           std::wstring* error);

  SetupProcess(SetupProcess&&) = default;
  SetupProcess& operator=(SetupProcess&& other) noexcept {
    if (this != &other) {
      Terminate();
      process_ = std::move(other.process_);
      id_ = other.id_;
    }
    return *this;
  }
  ~SetupProcess();

  DWORD Id() const { return id_; }
  bool Running() const;
  // The exit code, or nothing when the process is still running after `timeout`.
  std::optional<DWORD> WaitForExit(Millis timeout = kDefaultTimeout);
  void Terminate();

 private:
  SetupProcess(UniqueHandle process, DWORD id) : process_(std::move(process)), id_(id) {}

  UniqueHandle process_;
  DWORD id_ = 0;
};

}  // namespace gui_driver
