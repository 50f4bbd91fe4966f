// Fonts for the pages' titles and texts.
#pragma once

#include <windows.h>

#include <string>

#include "app/framework/handles.h"

namespace win {

// The Japanese proportional UI face: the preferred one when installed, otherwise the
// nearest installed Japanese proportional face.
const std::wstring& JapaneseProportionalFace();

// A font of `tenths` tenths of a point for the screen: height -(tenths * dpi / 720).
UniqueFont CreatePointFont(int tenths, const std::wstring& face);
// The same, then read back and made again with weight 700.
UniqueFont CreateBoldPointFont(int tenths, const std::wstring& face);

}  // namespace win
