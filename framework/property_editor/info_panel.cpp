#include "framework/property_editor/info_panel.h"

#include "framework/property_editor/p_editor.h"
#include "platform/utf8.h"

namespace Kor {

InfoPanel::InfoPanel(PEditor& editor) : editor_(editor), font_("Tahoma", 11, plat::FW_NORMAL), glyph_("INFO") {}

CRect InfoPanel::TextRect() const {
    CSize s = ClientSize();
    return CRect(glyph_.Width() + 6, 2, s.cx - 3, s.cy - 1);
}

void InfoPanel::HandlePaint(CDC* dc, const CRect&) {
    CSize s = ClientSize();
    dc->FillSolidRect(CRect(CPoint(), s), plat::GetSysColor(plat::COLOR_BTNFACE));
    dc->FillSolidRect(CRect(0, 0, s.cx, 1), plat::GetSysColor(plat::COLOR_BTNSHADOW));
    glyph_.Draw(*dc, CRect(2, 2, s.cx, s.cy), 0);
    std::string hint = plat::ValidUtf8(editor_.GetActiveHint());
    if (hint.empty()) return;
    dc->SetBkMode(plat::TRANSPARENT);
    dc->SetTextColor(plat::GetSysColor(plat::COLOR_BTNTEXT));
    unsigned format = s.cy == kOneLineHeight ? plat::DT_SINGLELINE | plat::DT_VCENTER | plat::DT_END_ELLIPSIS
                                             : plat::DT_WORDBREAK | plat::DT_WORD_ELLIPSIS;
    dc->DrawText(hint, TextRect(), format | plat::DT_LEFT | plat::DT_NOPREFIX);
}

}  // namespace Kor
