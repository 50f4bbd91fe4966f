// Fonts in points for the screen.
#pragma once

#include <windows.h>

#include <string>

#include "framework/handles.h"

namespace win {

// A font of `tenths` tenths of a point for the screen: height -(tenths * dpi / 720).
UniqueFont CreatePointFont(int tenths, const std::wstring& face);
// The same, then read back and made again with weight 700.
UniqueFont CreateBoldPointFont(int tenths, const std::wstring& face);

}  // namespace win
