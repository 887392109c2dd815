// The demonstration window of Korvane: a CustomWindow holding a few controls
// laid out by a BoxLayout: a colour swatch that changes colour when clicked,
// a button that counts its clicks, an edit field (a child platform window in
// the control tree), a status line and a clock driven by a Kor::Timer.
#pragma once

#include "framework/events/timer.h"
#include "framework/windows/custom_window.h"
#include "framework/windows/widget.h"
#include "platform/edit.h"
#include "platform/menu.h"

#include <functional>
#include <memory>
#include <string>

namespace demo {

class Label : public Kor::Widget {
public:
    explicit Label(int height) : height_(height) {}
    void SetText(const std::string& t);
    const std::string& GetText() const { return text_; }
    Kor::CSize PreferredSize() const override { return Kor::CSize(0, height_); }
    void HandlePaint(Kor::CDC* dc, const Kor::CRect& rect) override;

private:
    std::string text_;
    int height_;
};

class Swatch : public Kor::Widget {
public:
    static const plat::Color kColors[3];
    plat::Color GetColor() const { return kColors[index_]; }
    std::string HintText() const override;
    void HandleLeftDown(unsigned flags, const Kor::CPoint& p) override;
    bool HandleCursor(unsigned flags, const Kor::CPoint& p) override;
    void HandlePaint(Kor::CDC* dc, const Kor::CRect& rect) override;

private:
    int index_ = 0;
};

class CounterButton : public Kor::Widget {
public:
    int Clicks() const { return clicks_; }
    Kor::CSize PreferredSize() const override { return Kor::CSize(0, 30); }
    std::string HintText() const override;
    void HandleLeftDown(unsigned flags, const Kor::CPoint& p) override;
    void HandleLeftDoubleClick(unsigned flags, const Kor::CPoint& p) override { HandleLeftDown(flags, p); }
    void HandleMouseMove(unsigned flags, const Kor::CPoint& p) override;
    void HandleLeftUp(unsigned flags, const Kor::CPoint& p) override;
    void HandlePaint(Kor::CDC* dc, const Kor::CRect& rect) override;

private:
    bool pressed_ = false, hot_ = false;
    int clicks_ = 0;
};

class TextField : public Kor::Window<plat::Edit> {
public:
    TextField() { SetWindowStyle(plat::WS_CHILD | plat::WS_VISIBLE | plat::WS_TABSTOP, plat::WS_EX_CLIENTEDGE); }
    Kor::CSize PreferredSize() const override { return Kor::CSize(0, 26); }
};

class DemoWindow : public Kor::CustomWindow<plat::Wnd> {
public:
    DemoWindow();
    ~DemoWindow() override;
    bool CreateAt(const plat::Rect& screen);

    Swatch swatch;
    CounterButton button;
    TextField field;
    Label status{20}, clock{20};

    // Runs `fn` once, `ms` milliseconds from now.
    void RunLater(unsigned ms, std::function<void()> fn);

    // After the usual routing, the status line shows the hint of the
    // control under the pointer.
    void ProcessEvent(Kor::Event& e) override;

protected:
    bool OnCreate() override;
    void OnTimer(unsigned id) override;
    void OnMenuSelect(unsigned id) override;
    const plat::CommandTable* GetCommandTable() const override;

private:
    class Ticker : public Kor::EventListener {
    public:
        explicit Ticker(DemoWindow& w) : w_(w) {}
        void ProcessEvent(Kor::Event& e) override;

    private:
        DemoWindow& w_;
    };

    void OnExit();
    void OnAbout();

    std::unique_ptr<plat::Menu> menu_;
    Kor::Timer timer_{1000};
    Ticker ticker_{*this};
    int seconds_ = 0;
    std::function<void()> later_;
};

}  // namespace demo
