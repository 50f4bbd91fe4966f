// At most one event per interval, by the system's millisecond tick count. The count wraps after
// 49 days; the unsigned difference stays right across the wrap.
#pragma once

#include <cstdint>

namespace pages {

class Throttle {
public:
    explicit Throttle(std::uint32_t intervalMs) : interval_(intervalMs) {}
    // Milliseconds until the next event may happen; 0 when it may happen now.
    std::uint32_t Wait(std::uint32_t now) const {
        const std::uint32_t since = now - last_;
        return !marked_ || since >= interval_ ? 0 : interval_ - since;
    }
    void Mark(std::uint32_t now) {
        last_ = now;
        marked_ = true;
    }

private:
    std::uint32_t interval_;
    std::uint32_t last_ = 0;
    bool marked_ = false;
};

}  // namespace pages
