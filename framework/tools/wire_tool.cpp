#include "framework/tools/wire_tool.h"

#include "framework/tools/tool_cursor.h"
#include "framework/views/zoom_view.h"
#include "platform/app.h"
#include "platform/keys.h"
#include "platform/wnd.h"

namespace Kor {

namespace {
// Keys the tool looks at lie in this range (Alt up to ]).
constexpr unsigned kFirstKey = plat::VK_MENU, kLastKey = plat::VK_OEM_6;
// The widest pen a wire is drawn with reaches this far outside its rectangle.
constexpr int kPenOverhang = WireTool::SizeModeWire;
}  // namespace

WireTool::WireTool(ZoomView& bench) : bench_(&bench), cursor_(LoadToolCursor("CROSS", plat::StdCursor::Cross)) {}

// --- The wire ---

void WireTool::ShowWire() {
    if (!bench_->Exists()) return;
    plat::ClientDC dc(*bench_);
    ShowWire(&dc);
}

void WireTool::ShowWire(CDC* dc) {
    if (wireShown_ || !pointerInside_ || suspended_) return;
    wireStyle_ = sizeMode_ ? SizeModeWire : NormalWire;
    plat::App* app = plat::App::Instance();
    wirePosition_ = bench_->ScreenToClient(app ? app->GetCursorPos() : CPoint());
    DrawWire(dc, wirePosition_, wireStyle_);
    wireShown_ = true;
}

void WireTool::HideWire() {
    if (!bench_->Exists()) return;
    plat::ClientDC dc(*bench_);
    HideWire(&dc);
}

void WireTool::HideWire(CDC* dc) {
    if (!wireShown_ || !pointerInside_ || suspended_) return;
    DrawWire(dc, wirePosition_, wireStyle_);
    wireShown_ = false;
}

void WireTool::RedrawWire() {
    HideWire();
    ShowWire();
}

void WireTool::PaintRect(CDC* dc, const CRect& rect) {
    (void)rect;  // the DC is clipped to it
    // The repaint has just covered the wire: draw it again there.
    if (wireShown_) DrawWire(dc, wirePosition_, wireStyle_);
}

// --- Life cycle ---

void WireTool::Show() {
    pointerInside_ = bench_->IsMouseInside();
    suspended_ = false;
    ShowWire();
}

void WireTool::Hide() {
    HideWire();
    AbandonStroke();
    sizeMode_ = false;
    pointerInside_ = false;
    suspended_ = true;
    wireShown_ = false;
}

void WireTool::OnMouseEnter(unsigned flags, CPoint p) {
    (void)flags, (void)p;
    pointerInside_ = true;
    ShowWire();
}

void WireTool::OnMouseLeave() {
    HideWire();
    pointerInside_ = false;
}

bool WireTool::OnSetCursor(plat::Wnd* wnd, unsigned hitTest, unsigned message) {
    (void)wnd, (void)hitTest, (void)message;
    plat::SetCursor(cursor_);
    return true;
}

// --- Strokes ---

CRect WireTool::WireArea(CPoint p) const { return GetWireRect(p).Inflate(kPenOverhang, kPenOverhang); }

void WireTool::Apply(CPoint p) {
    if (!bench_->Exists()) return;
    bench_->InvalidateRect(WireArea(p), true);
    plat::WndGuard guard(bench_);
    Select(p, buttons_);
    if (guard) bench_->UpdateWindow();
}

void WireTool::Press(int button, CPoint p) {
    if (sizeMode_) {
        IncreaseSize(button == LeftButton ? 1 : -1);
        return;
    }
    if (buttons_ == 0) bench_->CaptureMouse();
    buttons_ |= button;
    Apply(p);
}

void WireTool::Release(int button, CPoint p) {
    if (!(buttons_ & button)) return;
    buttons_ &= ~button;
    if (buttons_ != 0) return Apply(p);
    if (bench_->HasCapture()) bench_->ReleaseMouse();
    Synchronize();
}

void WireTool::AbandonStroke() {
    if (buttons_ == 0) return;
    buttons_ = 0;
    if (bench_->HasCapture()) bench_->ReleaseMouse();
    Synchronize();
}

void WireTool::OnLButtonDown(unsigned flags, CPoint p) {
    (void)flags;
    Press(LeftButton, p);
}

void WireTool::OnRButtonDown(unsigned flags, CPoint p) {
    (void)flags;
    Press(RightButton, p);
}

void WireTool::OnLButtonUp(unsigned flags, CPoint p) {
    (void)flags;
    Release(LeftButton, p);
}

void WireTool::OnRButtonUp(unsigned flags, CPoint p) {
    (void)flags;
    Release(RightButton, p);
}

void WireTool::OnMouseMove(unsigned flags, CPoint p) {
    // A button whose flag is gone came up where the view did not hear it.
    if ((buttons_ & LeftButton) && !(flags & plat::MK_LBUTTON)) Release(LeftButton, p);
    if ((buttons_ & RightButton) && !(flags & plat::MK_RBUTTON)) Release(RightButton, p);
    if (buttons_ != 0) {
        if (bench_->Exists()) bench_->InvalidateRect(WireArea(wirePosition_), true);
        wirePosition_ = p;
        Apply(p);
    } else if (pointerInside_ && !suspended_) {
        RedrawWire();  // shows it too, should anything have left it off
    }
}

void WireTool::OnCaptureLost() { AbandonStroke(); }

// --- Keys ---

int WireTool::SizeStep(int presses) {
    if (presses > 5) return 10;
    if (presses > 3) return 5;
    if (presses > 1) return 2;
    return 1;
}

void WireTool::ChangeSize(int direction) {
    ++keyRepeat_;
    IncreaseSize(direction * SizeStep(keyRepeat_));
}

void WireTool::SetSizeMode(bool on) {
    if (on == sizeMode_) return;
    HideWire();
    sizeMode_ = on;
    ShowWire();
}

void WireTool::OnKeyDown(unsigned key, unsigned repeat, unsigned flags) {
    (void)repeat, (void)flags;
    if (key < kFirstKey || key > kLastKey) return;
    switch (key) {
        case plat::VK_MENU:
            SetSizeMode(true);
            break;
        case plat::VK_ADD:
            if (sizeMode_) ChangeSize(+1);
            break;
        case plat::VK_SUBTRACT:
            if (sizeMode_) ChangeSize(-1);
            break;
        case plat::VK_OEM_4:
            ChangeSize(-1);
            break;
        case plat::VK_OEM_6:
            ChangeSize(+1);
            break;
        default:
            break;
    }
}

void WireTool::OnKeyUp(unsigned key, unsigned repeat, unsigned flags) {
    (void)repeat, (void)flags;
    keyRepeat_ = 0;
    if (key == plat::VK_MENU) SetSizeMode(false);
}

void WireTool::OnKeyboardLost() {
    keyRepeat_ = 0;
    SetSizeMode(false);
}

}  // namespace Kor
