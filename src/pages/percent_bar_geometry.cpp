#include "pages/percent_bar_geometry.h"

#include <cstdint>
#include <limits>
#include <string>

namespace pages {
namespace {

constexpr std::int64_t kBarMaximum = 100;

// The integer part of position / 100 * scale, exactly: in doubles 29 / 100.0 * 100 is
// 28.999..., which would paint 28% at position 29.
int Share(int position, std::int64_t scale) {
    const std::int64_t share = position * scale / kBarMaximum;
    if (share > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    if (share < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
    return static_cast<int>(share);
}

}  // namespace

int FilledWidth(int position, int clientWidth) { return Share(position, clientWidth); }

std::u16string PercentText(int position) {
    const std::string digits = std::to_string(Share(position, kBarMaximum));
    return std::u16string(digits.begin(), digits.end()) + u'%';
}

bool FilledWidthMemo::Update(int width) { return width_.exchange(width) != width; }

}  // namespace pages
