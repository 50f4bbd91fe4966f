// The face of the pages' titles and texts: the preferred Japanese proportional face when
// installed, otherwise the nearest installed Japanese proportional face.
#pragma once

#include <windows.h>

#include <string>

namespace pages {

const std::wstring& JapaneseProportionalFace();

}  // namespace pages
