#include "framework/fonts.h"

#include <cwchar>

namespace win {

UniqueFont CreatePointFont(int tenths, const std::wstring& face) {
    HDC dc = ::GetDC(nullptr);
    int dpi = ::GetDeviceCaps(dc, LOGPIXELSY);
    ::ReleaseDC(nullptr, dc);
    LOGFONTW lf{};
    lf.lfHeight = -(tenths * dpi / 720);
    lf.lfCharSet = DEFAULT_CHARSET;
    ::wcsncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    return UniqueFont(::CreateFontIndirectW(&lf));
}

UniqueFont CreateBoldPointFont(int tenths, const std::wstring& face) {
    UniqueFont plain = CreatePointFont(tenths, face);
    LOGFONTW lf{};
    if (!plain || !::GetObjectW(plain.Get(), sizeof(lf), &lf)) return UniqueFont();
    lf.lfWeight = FW_BOLD;
    return UniqueFont(::CreateFontIndirectW(&lf));
}

}  // namespace win
