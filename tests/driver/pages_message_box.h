#pragma once

#include <gtest/gtest.h>

#include "driver/message_box.h"

namespace gui_driver {

// Answers the box and waits until it has gone: a closing box is still found as a message box for a
// moment, which a check for "no message box" that follows at once would take for a new one.
testing::AssertionResult AnswerAndWaitGone(const MessageBoxWindow& box, int buttonId);

// True when no message box of the process comes up within `period`.
testing::AssertionResult NoMessageBoxWithin(DWORD processId, Millis period);

}  // namespace gui_driver
