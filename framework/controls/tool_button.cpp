#include "framework/controls/tool_button.h"

#include "framework/windows/window_tip_ctrl.h"
#include "platform/resources.h"
#include "platform/wnd.h"

namespace Kor {

ToolButton::ToolButton(unsigned command, const std::string& glyph, const std::string& mask)
    : command_(command), glyph_(glyph, mask), grayed_(glyph, mask) {}

void ToolButton::SetTicked(bool ticked) {
    if (ticked == ticked_) return;
    ticked_ = ticked;
    Invalidate();
}

std::string ToolButton::HintText() const { return hint_.empty() ? plat::CommandTip(command_) : hint_; }

void ToolButton::HandleClick() {
    plat::Wnd* w = GetWindow();
    if (plat::Wnd* top = w ? w->GetTopLevel() : nullptr) top->SendCommand(command_);
    Button::HandleClick();
}

void ToolButton::HandleMouseEnter(unsigned flags, const CPoint& p) {
    Button::HandleMouseEnter(flags, p);
    plat::Wnd* w = GetWindow();
    WindowTipCtrl* tip = GetHintWindow();
    if (!w || !tip) return;
    // Below the button, so that the tip does not cover it.
    CRect r = GetWindowRect();
    tip->ShowTip(HintText(), w->ClientToScreen(CPoint(r.left, r.bottom + 2)));
}

void ToolButton::HandleMouseLeave() {
    Button::HandleMouseLeave();
    if (WindowTipCtrl* tip = GetHintWindow()) tip->HideTip();
}

void ToolButton::HandleLeftDown(unsigned flags, const CPoint& p) {
    if (WindowTipCtrl* tip = GetHintWindow()) tip->HideTip();
    Button::HandleLeftDown(flags, p);
}

void ToolButton::HandlePaint(CDC* dc, const CRect&) {
    CRect r(CPoint(), ClientSize());
    bool down = ShownDown() || ticked_;
    dc->FillSolidRect(r, plat::GetSysColor(ticked_ && !ShownDown() ? plat::COLOR_3DLIGHT : plat::COLOR_BTNFACE));
    // Flat until the pointer is over it, pressed or ticked.
    if (down) dc->Draw3dRect(r, plat::GetSysColor(plat::COLOR_BTNSHADOW), plat::GetSysColor(plat::COLOR_BTNHIGHLIGHT));
    else if (IsHot() && Enabled()) dc->Draw3dRect(r, plat::GetSysColor(plat::COLOR_BTNHIGHLIGHT), plat::GetSysColor(plat::COLOR_BTNSHADOW));
    if (down) r.Offset(1, 1);
    (Enabled() ? static_cast<const Glyph&>(glyph_) : grayed_).Draw(*dc, r, GLYPH_CENTER);
}

void ToolButtonCmdUI::Enable(bool on) {
    plat::CmdUI::Enable(on);
    button_.SetEnabled(on);
}

void ToolButtonCmdUI::SetCheck(int check) {
    plat::CmdUI::SetCheck(check);
    button_.SetTicked(check != 0);
}

void ToolButtonCmdUI::SetRadio(bool on) {
    plat::CmdUI::SetRadio(on);
    button_.SetTicked(on);
}

void ToolButtonCmdUI::SetText(const std::string& text) {
    plat::CmdUI::SetText(text);
    button_.SetHint(text);
}

}  // namespace Kor
