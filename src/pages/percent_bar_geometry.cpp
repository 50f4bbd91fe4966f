#include "pages/percent_bar_geometry.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>

namespace pages {
namespace {

int TruncateToInt(double value) {
    if (std::isnan(value)) return 0;
    if (value >= static_cast<double>(std::numeric_limits<int>::max())) {
        return std::numeric_limits<int>::max();
    }
    if (value <= static_cast<double>(std::numeric_limits<int>::min())) {
        return std::numeric_limits<int>::min();
    }
    return static_cast<int>(value);
}

// The integer part of (position - minimum) / (maximum - minimum) * scale, exactly: in
// doubles 29 / 100.0 * 100 is 28.999..., which would paint 28% at position 29.
int ExactShare(int position, BarRange range, std::int64_t scale) {
    const std::int64_t span = static_cast<std::int64_t>(range.maximum) - range.minimum;
    if (span == 0) return 0;
    const std::int64_t done = static_cast<std::int64_t>(position) - range.minimum;
    if (done != 0 && std::llabs(scale) > std::numeric_limits<std::int64_t>::max() / std::llabs(done)) {
        return TruncateToInt(static_cast<double>(done) / static_cast<double>(span) * scale);
    }
    return TruncateToInt(static_cast<double>(done * scale / span));
}

}  // namespace

int FilledWidth(int position, BarRange range, int clientWidth) {
    if (range.maximum == range.minimum) return 0;
    const double fraction = (static_cast<double>(position) - range.minimum) /
                            (static_cast<double>(range.maximum) - range.minimum);
    return TruncateToInt(fraction * clientWidth);
}

int DoneWidth(int position, BarRange range, int left, int right) {
    return ExactShare(position, range, static_cast<std::int64_t>(right) - left);
}

std::u16string PercentText(int position, BarRange range) {
    const std::string digits = std::to_string(ExactShare(position, range, 100));
    return std::u16string(digits.begin(), digits.end()) + u'%';
}

bool FilledWidthMemo::Update(int width) {
    if (width == width_) return false;
    width_ = width;
    return true;
}

}  // namespace pages
