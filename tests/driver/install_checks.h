// What an installation test prepares and reads beyond files: the data file, the progress bar on the
// screen and the setup's memory.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "driver/files.h"
#include "driver/install_data_file.h"

namespace gui_driver {

testing::AssertionResult WriteDataFileAt(const std::wstring& path, const std::vector<install_tests::DataEntry>& entries,
                                         const install_tests::Damage& damage = {});

// Names are stored in code page 932; the tests write them from readable text.
std::string ToCodePage932(const std::wstring& text);

// The percentage bar as the screen shows it, read from its pixels: how far the highlight fill
// reaches along a row above the text, and whether text is drawn over the fill and over the rest.
struct BarPicture {
  int width = 0;
  int filled = 0;             // highlight columns from the left, counted on the top row
  bool textOverFill = false;  // window-coloured pixels inside the fill
  bool textOverRest = false;  // highlight-coloured pixels outside the fill
  int Percent() const { return width > 0 ? filled * 100 / width : -1; }
};
std::optional<BarPicture> ReadBarPicture(HWND bar);

// The peak working set of a running process, as the system's memory counters give it.
std::optional<SIZE_T> PeakWorkingSet(DWORD processId);

}  // namespace gui_driver
