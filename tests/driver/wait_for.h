#pragma once

#include <chrono>
#include <functional>
#include <optional>

namespace gui_driver {

using Millis = std::chrono::milliseconds;

// Wine on a shared two-core machine can take seconds for what Windows does at once.
constexpr Millis kDefaultTimeout{15000};

// Polls until the predicate holds or the time is up; every wait in the driver is bounded, so a hung
// setup fails its test instead of holding ctest.
bool WaitFor(const std::function<bool()>& predicate, Millis timeout = kDefaultTimeout,
             Millis poll = Millis{25});

// Polls a probe until it yields a value.
template <typename T>
std::optional<T> WaitForValue(const std::function<std::optional<T>()>& probe,
                              Millis timeout = kDefaultTimeout) {
  std::optional<T> value;
  WaitFor([&] { return (value = probe()).has_value(); }, timeout);
  return value;
}

}  // namespace gui_driver
