#include "driver/pages_message_box.h"

#include "driver/window_text.h"

namespace gui_driver {

testing::AssertionResult AnswerAndWaitGone(const MessageBoxWindow& box, int buttonId) {
  testing::AssertionResult answered = box.Answer(buttonId);
  if (!answered) return answered;
  if (WaitFor([&] { return !box.Exists() || !IsWindowVisible(box.Handle()); })) return testing::AssertionSuccess();
  return testing::AssertionFailure() << "the message box \"" << Utf8(box.Text()) << "\" did not close";
}

testing::AssertionResult NoMessageBoxWithin(DWORD processId, Millis period) {
  std::vector<MessageBoxWindow> boxes;
  if (!WaitFor([&] { return !(boxes = FindMessageBoxes(processId)).empty(); }, period)) {
    return testing::AssertionSuccess();
  }
  return testing::AssertionFailure() << "a message box came up: \"" << Utf8(boxes.front().Caption()) << "\": \""
                                     << Utf8(boxes.front().Text()) << "\"";
}

}  // namespace gui_driver
