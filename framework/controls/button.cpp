#include "framework/controls/button.h"

#include <chrono>
#include <thread>

namespace Kor {

void Button::HandleClick() {
    if (onClick_) onClick_();
}

void Button::HandleLeftDown(unsigned flags, const CPoint& p) {
    if (!Enabled()) return;
    pressed_ = true;
    hot_ = Inside(p);
    CaptureMouse();
    Invalidate();
    Widget::HandleLeftDown(flags, p);
}

void Button::HandleMouseMove(unsigned flags, const CPoint& p) {
    if (!Enabled()) return;
    bool hot = Inside(p);
    if (hot != hot_) {
        hot_ = hot;
        Invalidate();
    }
    Widget::HandleMouseMove(flags, p);
}

void Button::HandleLeftUp(unsigned flags, const CPoint& p) {
    if (!Enabled()) return;
    bool click = pressed_ && hot_;
    pressed_ = false;
    ReleaseMouse();
    Invalidate();
    if (click) HandleClick();
    Widget::HandleLeftUp(flags, p);
}

void Button::HandleLeftDoubleClick(unsigned flags, const CPoint& p) {
    if (!Enabled()) return;
    // Shown to the user as a second click: pressed, a moment, released.
    HandleLeftDown(flags, p);
    Invalidate(true);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    HandleLeftUp(flags, p);
}

void Button::HandleMouseLeave() {
    if (!hot_ || pressed_) return;
    hot_ = false;
    Invalidate();
}

CRect Button::PaintFace(CDC* dc) const {
    CRect r(CPoint(), ClientSize());
    dc->FillSolidRect(r, plat::GetSysColor(plat::COLOR_BTNFACE));
    dc->DrawEdge(r, ShownDown());
    r.Deflate(2, 2);
    if (ShownDown()) r.Offset(1, 1);
    return r;
}

void Button::HandlePaint(CDC* dc, const CRect&) { PaintFace(dc); }

void TextButton::SetText(const std::string& text) {
    if (text == text_) return;
    text_ = text;
    Invalidate();
}

void TextButton::HandlePaint(CDC* dc, const CRect&) {
    CRect r = PaintFace(dc);
    dc->SetBkMode(plat::TRANSPARENT);
    dc->SetTextColor(plat::GetSysColor(Enabled() ? plat::COLOR_BTNTEXT : plat::COLOR_GRAYTEXT));
    dc->DrawText(text_, r, plat::DT_CENTER | plat::DT_VCENTER | plat::DT_SINGLELINE | plat::DT_END_ELLIPSIS);
}

}  // namespace Kor
