// Controls that record what reaches them, for the toolkit tests.
#pragma once

#include "framework/events/event.h"
#include "framework/windows/container.h"
#include "framework/windows/custom_window.h"
#include "framework/windows/widget.h"
#include "platform/app.h"
#include "platform/headless/headless_backend.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kortest {

using namespace Kor;
using Log = std::vector<std::string>;

inline std::string Pt(const CPoint& p) { return std::to_string(p.x) + "," + std::to_string(p.y); }

// A widget that logs its handlers as "name:handler[ x,y]".
class Probe : public Widget {
public:
    Probe(std::string name, Log& log, CRect bounds) : name_(std::move(name)), log_(log) { SetBounds(bounds); }
    bool focusable = false;
    bool takesCursor = false;
    unsigned handlesCommand = 0;

    bool CanGetFocus() const override { return focusable; }
    void HandleLeftDown(unsigned, const CPoint& p) override { Add("down " + Pt(p)); }
    void HandleLeftUp(unsigned, const CPoint& p) override { Add("up " + Pt(p)); }
    void HandleMouseMove(unsigned, const CPoint& p) override { Add("move " + Pt(p)); }
    void HandleMouseEnter(unsigned, const CPoint& p) override { Add("enter " + Pt(p)); }
    void HandleMouseLeave() override { Add("leave"); }
    void HandleKeyDown(unsigned k, unsigned, unsigned) override { Add("key " + std::to_string(k)); }
    void HandleFocus() override { Add("focus"); }
    void HandleUnfocus() override { Add("unfocus"); }
    bool HandleCursor(unsigned, const CPoint& p) override {
        Add("cursor " + Pt(p));
        if (takesCursor) plat::SetCursor(plat::Cursor::Standard(plat::StdCursor::Cross));
        return takesCursor;
    }
    void ProcessEvent(Event& e) override {
        if (auto* c = dynamic_cast<CommandEventBase*>(&e)) {
            Add("command " + std::to_string(c->commandId));
            if (c->commandId == handlesCommand) c->handled = true;
            return;
        }
        Widget::ProcessEvent(e);
    }
    void HandlePaint(CDC* dc, const CRect& rect) override {
        dc->FillSolidRect(CRect(CPoint(), ClientSize()), color);
        paints.push_back(rect);
    }
    plat::Color color{0, 0, 255};
    std::vector<CRect> paints;

private:
    void Add(const std::string& s) { log_.push_back(name_ + ":" + s); }
    std::string name_;
    Log& log_;
};

// A composite widget: a container with bounds.
class Group : public Widget, public Container {
public:
    Group(std::string name, Log& log, CRect bounds) : name_(std::move(name)), log_(log) { SetBounds(bounds); }
    void HandleMouseEnter(unsigned, const CPoint& p) override { log_.push_back(name_ + ":enter " + Pt(p)); }
    void HandleMouseLeave() override { log_.push_back(name_ + ":leave"); }
    void HandleMouseMove(unsigned, const CPoint& p) override { log_.push_back(name_ + ":move " + Pt(p)); }
    void HandleLeftUp(unsigned, const CPoint& p) override { log_.push_back(name_ + ":up " + Pt(p)); }
    void HandlePaint(CDC* dc, const CRect& rect) override { Container::HandlePaint(dc, rect); }

private:
    std::string name_;
    Log& log_;
};

// The platform window under a Korvane window, logging what reaches the
// platform's default processing.
class LogWnd : public plat::Wnd {
public:
    Log* log = nullptr;

protected:
    void OnKeyDown(unsigned k, unsigned r, unsigned f) override {
        if (log) log->push_back("platform:key " + std::to_string(k));
        plat::Wnd::OnKeyDown(k, r, f);
    }
    const plat::CommandTable* GetCommandTable() const override {
        static const plat::CommandTable table(nullptr, {plat::CommandTable::Command(7, &LogWnd::OnSeven)});
        return &table;
    }
    void OnSeven() {
        if (log) log->push_back("platform:command 7");
    }
};

class ToolkitTest : public ::testing::Test {
protected:
    plat::App app{plat::BackendKind::Headless};
    plat::headless::Driver& drv = plat::headless::Driver::Get();
    Log log;

    template <class W>
    void Show(W& w, CRect r = CRect(0, 0, 300, 200)) {
        ASSERT_TRUE(w.Create(nullptr, r, plat::WS_OVERLAPPEDWINDOW | plat::WS_VISIBLE));
        drv.Flush();
    }
};

}  // namespace kortest
