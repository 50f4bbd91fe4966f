// The face of the pages' titles and texts: the preferred Japanese proportional face when
// installed, otherwise the nearest installed Japanese proportional face.
#pragma once

#include <windows.h>

#include <string>

namespace pages {

const std::wstring& JapaneseProportionalFace();

// The font of a page's title or text static, for a page that has only those two; null for any
// other control, which keeps the template font.
HFONT TitleOrTextFont(int controlId, HFONT title, HFONT text);

}  // namespace pages
