#include "framework/windows/window_tip_ctrl.h"

#include "platform/bitmap.h"

namespace Kor {

bool WindowTipCtrl::CreateFor(plat::Wnd* owner) {
    if (Exists()) return true;
    SetBackground(plat::GetSysColor(plat::COLOR_INFOBK));
    return Create(owner, plat::Rect(0, 0, 1, 1), plat::WS_POPUP | plat::WS_BORDER, 0, "", plat::WS_EX_TOOLWINDOW);
}

void WindowTipCtrl::ShowTip(const std::string& text, plat::Point screen) {
    if (text.empty() || !Exists()) {
        HideTip();
        return;
    }
    SetText(text);
    plat::Bitmap scratch(1, 1);
    plat::DC measure(scratch);
    plat::Size s = measure.GetTextExtent(text);
    MoveWindow(plat::Rect(screen, plat::Size(s.cx + 8, s.cy + 4)));
    InvalidateAll(true);
    ShowWindow(plat::SW_SHOWNOACTIVATE);
}

void WindowTipCtrl::HideTip() {
    if (Exists()) ShowWindow(plat::SW_HIDE);
}

void WindowTipCtrl::OnPaint(plat::DC& dc, const plat::Rect&) {
    plat::Rect r = GetClientRect();
    dc.FrameRect(r, plat::GetSysColor(plat::COLOR_INFOTEXT));
    dc.SetBkMode(plat::TRANSPARENT);
    dc.SetTextColor(plat::GetSysColor(plat::COLOR_INFOTEXT));
    dc.DrawText(GetText(), r, plat::DT_CENTER | plat::DT_VCENTER | plat::DT_SINGLELINE | plat::DT_NOPREFIX);
}

}  // namespace Kor
