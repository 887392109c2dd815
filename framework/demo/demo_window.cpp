#include "demo_window.h"

#include "framework/events/event.h"
#include "framework/windows/box_layout.h"
#include "platform/message_box.h"
#include "platform/resources.h"

namespace demo {

namespace {
constexpr unsigned kLaterTimer = 99;
}  // namespace

using Kor::CPoint;
using Kor::CRect;

// --- Label ---

void Label::SetText(const std::string& t) {
    if (t == text_) return;
    text_ = t;
    Invalidate();
}

void Label::HandlePaint(Kor::CDC* dc, const CRect&) {
    CRect r(CPoint(), ClientSize());
    dc->FillSolidRect(r, plat::GetSysColor(plat::COLOR_BTNFACE));
    dc->SetBkMode(plat::TRANSPARENT);
    dc->SetTextColor(plat::GetSysColor(plat::COLOR_BTNTEXT));
    dc->DrawText(text_, r, plat::DT_LEFT | plat::DT_VCENTER | plat::DT_SINGLELINE | plat::DT_END_ELLIPSIS |
                               plat::DT_NOPREFIX);
}

// --- Swatch ---

const plat::Color Swatch::kColors[3] = {plat::Color(200, 30, 30), plat::Color(30, 170, 60), plat::Color(40, 70, 200)};

std::string Swatch::HintText() const { return plat::LoadString(102); }

void Swatch::HandleLeftDown(unsigned, const CPoint&) {
    index_ = (index_ + 1) % 3;
    Invalidate();
}

bool Swatch::HandleCursor(unsigned, const CPoint&) {
    plat::SetCursor(plat::Cursor::Standard(plat::StdCursor::Hand));
    return true;
}

void Swatch::HandlePaint(Kor::CDC* dc, const CRect&) {
    CRect r(CPoint(), ClientSize());
    dc->FillSolidRect(r, GetColor());
    dc->DrawEdge(r, true);
    dc->SetBkMode(plat::TRANSPARENT);
    dc->SetTextColor(plat::Color(255, 255, 255));
    dc->SelectFont(plat::Font("DejaVu Sans", 16, plat::FW_BOLD));
    dc->DrawText("Click me", CRect(r.left, r.top, r.right, r.top + 40), plat::DT_CENTER | plat::DT_VCENTER | plat::DT_SINGLELINE);
}

// --- CounterButton ---

std::string CounterButton::HintText() const { return plat::LoadString(103); }

void CounterButton::HandleLeftDown(unsigned, const CPoint&) {
    pressed_ = hot_ = true;
    CaptureMouse();
    Invalidate();
}

void CounterButton::HandleMouseMove(unsigned, const CPoint& p) {
    bool hot = CRect(CPoint(), ClientSize()).Contains(p);
    if (hot == hot_) return;
    hot_ = hot;
    Invalidate();
}

void CounterButton::HandleLeftUp(unsigned, const CPoint& p) {
    if (!pressed_) return;
    if (CRect(CPoint(), ClientSize()).Contains(p)) ++clicks_;
    pressed_ = false;
    ReleaseMouse();
    Invalidate();
}

void CounterButton::HandlePaint(Kor::CDC* dc, const CRect&) {
    CRect r(CPoint(), ClientSize());
    bool down = pressed_ && hot_;
    dc->FillSolidRect(r, plat::GetSysColor(plat::COLOR_BTNFACE));
    dc->DrawEdge(r, down);
    if (down) r.Offset(1, 1);
    dc->SetBkMode(plat::TRANSPARENT);
    dc->SetTextColor(plat::GetSysColor(plat::COLOR_BTNTEXT));
    std::string text = clicks_ == 0 ? "Press me" : "Clicked " + std::to_string(clicks_) + (clicks_ == 1 ? " time" : " times");
    dc->DrawText(text, r, plat::DT_CENTER | plat::DT_VCENTER | plat::DT_SINGLELINE | plat::DT_NOPREFIX);
}

// --- DemoWindow ---

DemoWindow::DemoWindow() {
    AddControl(&swatch);
    AddControl(&button);
    AddControl(&field);
    AddControl(&status);
    AddControl(&clock);
    auto layout = std::make_shared<Kor::BoxLayout>(Kor::BoxLayout::Vertical, 10, 8);
    layout->SetStretch(&swatch);
    SetLayout(layout);
    timer_.AddListener(&ticker_);
}

DemoWindow::~DemoWindow() {
    // The window goes before the menu it shows.
    if (Exists()) Destroy();
    timer_.RemoveListener(&ticker_);
}

bool DemoWindow::CreateAt(const plat::Rect& screen) {
    return Create(nullptr, screen, plat::WS_OVERLAPPEDWINDOW | plat::WS_VISIBLE, 0, plat::LoadString(100));
}

bool DemoWindow::OnCreate() {
    if (!Kor::CustomWindow<plat::Wnd>::OnCreate()) return false;
    menu_ = plat::Menu::FromResource("demo");
    SetMenu(menu_.get());
    field.SetText("Type here");
    status.SetText(plat::LoadString(101));
    clock.SetText("Running for 0 s");
    timer_.Start();
    return true;
}

void DemoWindow::ProcessEvent(Kor::Event& e) {
    Kor::CustomWindow<plat::Wnd>::ProcessEvent(e);
    if (dynamic_cast<Kor::MouseMoveEvent*>(&e)) {
        Kor::Control* hover = GetHoverChild();
        std::string hint = hover ? hover->HintText() : std::string();
        status.SetText(hint.empty() ? plat::LoadString(101) : hint);
    }
}

void DemoWindow::RunLater(unsigned ms, std::function<void()> fn) {
    later_ = std::move(fn);
    SetTimer(kLaterTimer, ms);
}

void DemoWindow::OnTimer(unsigned id) {
    if (id != kLaterTimer) return;
    KillTimer(id);
    if (auto fn = std::move(later_)) fn();
}

void DemoWindow::Ticker::ProcessEvent(Kor::Event& e) {
    if (!dynamic_cast<Kor::TimerEvent*>(&e)) return;
    ++w_.seconds_;
    w_.clock.SetText("Running for " + std::to_string(w_.seconds_) + " s");
}

void DemoWindow::OnMenuSelect(unsigned id) {
    status.SetText(id ? plat::CommandPrompt(id) : plat::LoadString(101));
}

const plat::CommandTable* DemoWindow::GetCommandTable() const {
    static const plat::CommandTable table(nullptr, {
        plat::CommandTable::Command(57665, &DemoWindow::OnExit),
        plat::CommandTable::Command(57664, &DemoWindow::OnAbout),
    });
    return &table;
}

void DemoWindow::OnExit() { Destroy(); }

void DemoWindow::OnAbout() {
    plat::MessageBox(this, "Korvane demonstration\nThe window and its controls are drawn by Korvane.", "",
                     plat::MB_OK | plat::MB_ICONINFORMATION);
}

}  // namespace demo
