#include "framework/controls/button.h"

#include "framework/events/timer.h"

namespace Kor {

Button::Button() = default;

Button::~Button() {
    if (releaseTimer_) releaseTimer_->RemoveListener(this);
}

void Button::HandleClick() {
    if (onClick_) onClick_();
}

void Button::HandleLeftDown(unsigned flags, const CPoint& p) {
    if (!Enabled()) return;
    if (releaseDue_) FinishDoubleClick();
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
    // The release of a double click's second press: the timer releases the
    // button when the pressed look is over.
    if (releaseDue_) return;
    Release(flags, p, pressed_ && hot_);
}

void Button::Release(unsigned flags, const CPoint& p, bool click) {
    pressed_ = false;
    ReleaseMouse();
    Invalidate();
    Widget::HandleLeftUp(flags, p);
    // Last: a click may destroy the button (a dialog's button that closes it).
    if (click) HandleClick();
}

void Button::HandleLeftDoubleClick(unsigned flags, const CPoint& p) {
    if (!Enabled()) return;
    // Shown to the user as a second click: pressed, a moment, released.
    HandleLeftDown(flags, p);
    Invalidate(true);
    if (!releaseTimer_) {
        releaseTimer_ = std::make_unique<Timer>(kDoubleClickPressMs);
        releaseTimer_->AddListener(this);
    }
    releaseDue_ = true;
    releaseFlags_ = flags;
    releasePoint_ = p;
    releaseTimer_->Start();
}

void Button::HandleTimer(Timer* timer) {
    if (timer != releaseTimer_.get()) return Widget::HandleTimer(timer);
    if (releaseDue_) FinishDoubleClick();
}

void Button::FinishDoubleClick() {
    releaseTimer_->Stop();
    releaseDue_ = false;
    // It clicks even if the pointer moved off meanwhile: the double click
    // itself was on the button. One that was disabled meanwhile does not.
    Release(releaseFlags_, releasePoint_, Enabled());
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
