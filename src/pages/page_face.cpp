#include "pages/page_face.h"

#include <cwchar>

#include "resources/names.h"
#include "resources/resource.h"

namespace pages {

namespace {

const wchar_t* const kPreferredFace = reinterpret_cast<const wchar_t*>(names::kPageFace);

struct FaceSearch {
    bool exact = false;
    std::wstring best;
    int bestScore = -1;
};

int CALLBACK CollectFace(const LOGFONTW* lf, const TEXTMETRICW*, DWORD, LPARAM lp) {
    auto* search = reinterpret_cast<FaceSearch*>(lp);
    const wchar_t* name = lf->lfFaceName;
    if (name[0] == L'@') return 1;  // vertical-writing variants
    if (std::wcscmp(name, kPreferredFace) == 0) {
        search->exact = true;
        return 0;
    }
    int score = 0;
    if ((lf->lfPitchAndFamily & 0x3) == VARIABLE_PITCH) score += 4;
    if (std::wcsstr(name, L"P") || std::wcsstr(name, L"\xFF30")) score += 2;  // proportional faces say P
    if (std::wcsstr(name, L"Gothic") || std::wcsstr(name, L"\x30B4\x30B7\x30C3\x30AF")) score += 1;
    if (score > search->bestScore) {
        try {
            search->best = name;
        } catch (...) {  // no memory for the name: keep the best so far rather than unwind into GDI
            return 0;
        }
        search->bestScore = score;
    }
    return 1;
}

std::wstring FindFace() {
    FaceSearch search;
    HDC dc = ::GetDC(nullptr);
    LOGFONTW lf{};
    lf.lfCharSet = SHIFTJIS_CHARSET;
    ::EnumFontFamiliesExW(dc, &lf, &CollectFace, reinterpret_cast<LPARAM>(&search), 0);
    if (!search.exact) {
        LOGFONTW named{};
        named.lfCharSet = DEFAULT_CHARSET;
        ::wcsncpy(named.lfFaceName, kPreferredFace, LF_FACESIZE - 1);
        ::EnumFontFamiliesExW(dc, &named, &CollectFace, reinterpret_cast<LPARAM>(&search), 0);
    }
    ::ReleaseDC(nullptr, dc);
    if (search.exact || search.best.empty()) return kPreferredFace;
    return search.best;
}

}  // namespace

const std::wstring& JapaneseProportionalFace() {
    static const std::wstring face = FindFace();
    return face;
}

HFONT TitleOrTextFont(int controlId, HFONT title, HFONT text) {
    if (controlId == IDC_TITLE) return title;
    if (controlId == IDC_TEXT) return text;
    return nullptr;
}

}  // namespace pages
