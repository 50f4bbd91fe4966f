// Arithmetic of the percentage progress bar (positions 0..100): how much of it is filled,
// what it says, and when a new position is worth a repaint.
#pragma once

#include <atomic>
#include <string>

namespace pages {

// The width of the done part, filled from the left edge: what the paint fills and what
// SetPos compares with the width of the last repaint.
int FilledWidth(int position, int clientWidth);

// "42%": the whole percentage done.
std::u16string PercentText(int position);

// The filled width of the last repaint, so that a pass of many positions repaints at
// most once per pixel. The worker updates it and the window thread forgets it on a resize.
class FilledWidthMemo {
public:
    // Stores the width; true when it differs from the stored one and so needs a repaint.
    bool Update(int width);
    // After a size change the next Update repaints, whatever the width.
    void Forget() { width_.store(kUnknown); }

private:
    static constexpr int kUnknown = -1;
    std::atomic<int> width_{kUnknown};
};

}  // namespace pages
