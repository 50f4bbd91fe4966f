// Arithmetic of the percentage progress bar: how much of it is filled, what it says,
// and when a new position is worth a repaint.
#pragma once

#include <string>

namespace pages {

struct BarRange {
    int minimum = 0;
    int maximum = 100;
};

// The filled width that SetPos compares with the last one, computed in floating point.
int FilledWidth(int position, BarRange range, int clientWidth);

// The width of the done part that the paint fills from the left edge.
int DoneWidth(int position, BarRange range, int left, int right);

// "42%": the whole percentage done.
std::u16string PercentText(int position, BarRange range);

// The filled width of the last repaint, so that a pass of many positions repaints at
// most once per pixel.
class FilledWidthMemo {
public:
    // Stores the width; true when it differs from the stored one and so needs a repaint.
    bool Update(int width);
    // After a size change the next Update repaints, whatever the width.
    void Forget() { width_ = kUnknown; }
    int Width() const { return width_; }

private:
    static constexpr int kUnknown = -1;
    int width_ = kUnknown;
};

}  // namespace pages
