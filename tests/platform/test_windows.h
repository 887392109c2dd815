// A window that records the messages it receives, for the platform tests.
#pragma once

#include "platform/app.h"
#include "platform/headless/headless_backend.h"
#include "platform/wnd.h"
#include "tests/platform/temp_folder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace plattest {

using namespace plat;

inline std::string Pt(Point p) { return std::to_string(p.x) + "," + std::to_string(p.y); }

class RecordingWnd : public Wnd {
public:
    std::vector<std::string> log;
    std::vector<Rect> paints;
    Color fill{255, 0, 0};

    void Clear() {
        log.clear();
        paints.clear();
    }

protected:
    void OnPaint(DC& dc, const Rect& box) override {
        paints.push_back(box);
        dc.FillSolidRect(GetClientRect(), fill);
    }
    void OnSize(int cx, int cy) override { log.push_back("size " + std::to_string(cx) + "," + std::to_string(cy)); }
    void OnLButtonDown(unsigned, Point p) override { log.push_back("ldown " + Pt(p)); }
    void OnLButtonUp(unsigned, Point p) override { log.push_back("lup " + Pt(p)); }
    void OnLButtonDblClk(unsigned, Point p) override { log.push_back("ldbl " + Pt(p)); }
    void OnRButtonDown(unsigned, Point p) override { log.push_back("rdown " + Pt(p)); }
    void OnMouseMove(unsigned, Point p) override { log.push_back("move " + Pt(p)); }
    void OnMouseLeave() override { log.push_back("leave"); }
    void OnKeyDown(unsigned k, unsigned, unsigned) override { log.push_back("key " + std::to_string(k)); }
    void OnChar(unsigned c, unsigned, unsigned) override { log.push_back("char " + std::to_string(c)); }
    void OnSetFocus(Wnd*) override { log.push_back("setfocus"); }
    void OnKillFocus(Wnd*) override { log.push_back("killfocus"); }
    void OnCaptureChanged(Wnd*) override { log.push_back("capturechanged"); }
    void OnTimer(unsigned id) override { log.push_back("timer " + std::to_string(id)); }
    void OnVScroll(unsigned code, unsigned pos, Wnd*) override {
        log.push_back("vscroll " + std::to_string(code) + " " + std::to_string(pos));
    }
    void OnActivate(bool a) override { log.push_back(a ? "activate" : "deactivate"); }
};

// A headless application per test, so that no state leaks between tests.
class HeadlessTest : public ::testing::Test {
protected:
    App app{BackendKind::Headless};
    headless::Driver& drv = headless::Driver::Get();

    // A shown top-level window of 300 by 200 pixels at (100, 100).
    void MakeTop(Wnd& w, unsigned style = 0) {
        ASSERT_TRUE(w.Create(nullptr, Rect(100, 100, 400, 300), WS_OVERLAPPEDWINDOW | WS_VISIBLE | style));
    }
    void MakeChild(Wnd& w, Wnd& parent, const Rect& r, unsigned style = 0, unsigned ex = 0) {
        ASSERT_TRUE(w.Create(&parent, r, WS_CHILD | WS_VISIBLE | style, 0, "", ex));
    }
};

}  // namespace plattest
