#include "app/framework/rich_edit.h"

namespace win {

void RichEdit::FormatRange(LONG start, LONG end, LONG twips, bool protect) const {
    SetSel(start, end);
    CHARFORMATW cf{};
    cf.cbSize = sizeof(cf);
    GetSelectionCharFormat(cf);
    cf.dwMask = CFM_SIZE | (protect ? CFM_PROTECTED : 0);
    cf.yHeight = twips;
    cf.dwEffects = protect ? CFE_PROTECTED : 0;
    SetSelectionCharFormat(cf);
    SetSel(-1, -1);
}

}  // namespace win
