#include "framework/views/workbench.h"

#include "platform/draw_objects.h"
#include "platform/region.h"

#include <algorithm>
#include <cstdlib>

namespace Kor {

namespace {
constexpr int kMaxSize = 1 << 30;  // content sizes stay far from int's limit
constexpr int kMaxMargin = 1 << 16;
}  // namespace

void Workbench::SetContentSize(int width, int height) {
    width = std::clamp(width, 0, kMaxSize);
    height = std::clamp(height, 0, kMaxSize);
    if (width == contentWidth_ && height == contentHeight_) return;
    contentWidth_ = width;
    contentHeight_ = height;
    ResetExtent();
    ContentSizeChanged();
}

void Workbench::SetMargin(int margin) {
    margin = std::clamp(margin, 0, kMaxMargin);
    if (margin == margin_) return;
    margin_ = margin;
    ResetExtent();
}

void Workbench::ResetExtent() {
    extentWidth_ = contentWidth_ + 2 * margin_;
    extentHeight_ = contentHeight_ + 2 * margin_;
    UpdateScrollBars();
    ScrollTo(scrollX_, scrollY_, true);
    if (Exists()) InvalidateAll(false);
}

CRect Workbench::GetSheetRect() const {
    return CRect(CPoint(margin_ - scrollX_, margin_ - scrollY_), CSize(contentWidth_, contentHeight_));
}

void Workbench::UpdateScrollBars() {
    if (!Exists() || updatingBars_) return;
    updatingBars_ = true;
    const int bar = plat::kScrollBarSize;
    CRect client = GetClientRect();
    int width = client.Width() + (IsScrollBarShown(plat::SB_VERT) ? bar : 0);
    int height = client.Height() + (IsScrollBarShown(plat::SB_HORZ) ? bar : 0);
    // A bar can only make the other one needed; three rounds settle it.
    bool horz = false, vert = false;
    for (int round = 0; round < 3; ++round) {
        bool h = extentWidth_ > width - (vert ? bar : 0);
        bool v = extentHeight_ > height - (horz ? bar : 0);
        if (h == horz && v == vert) break;
        horz = h;
        vert = v;
    }
    int usable[2] = {width - (vert ? bar : 0), height - (horz ? bar : 0)};
    int extent[2] = {extentWidth_, extentHeight_};
    int pos[2] = {scrollX_, scrollY_};
    for (int b : {plat::SB_HORZ, plat::SB_VERT}) {
        plat::ScrollInfo si;
        si.min = 0;
        si.max = extent[b];
        int page = std::max(usable[b], 0);
        si.page = unsigned(page == extent[b] ? page + 1 : page);  // equal: no bar
        si.pos = pos[b];
        SetScrollInfo(b, si, true);
    }
    updatingBars_ = false;
}

void Workbench::ScrollTo(int x, int y, bool repaintAll) {
    CSize client = Exists() ? GetClientRect().GetSize() : CSize();
    auto place = [](int v, int clientSize, int extent) {
        if (clientSize > extent) return (extent - clientSize) / 2;
        return std::clamp(v, 0, extent - clientSize);
    };
    x = place(x, client.cx, extentWidth_);
    y = place(y, client.cy, extentHeight_);
    if (x == scrollX_ && y == scrollY_) return;
    int dx = scrollX_ - x, dy = scrollY_ - y;
    // Pixels drawn by inversion must not travel with the image: the tool
    // takes them off where they are and draws them again after.
    bool moveImage = Exists() && !repaintAll;
    Tool* tool = moveImage ? GetEffectiveTool() : nullptr;
    if (tool) tool->HideOverlay();
    scrollX_ = x;
    scrollY_ = y;
    UpdateScrollBars();
    if (moveImage)
        ScrollWindow(dx, dy);
    else if (Exists())
        InvalidateAll(false);
    if (tool) tool->ShowOverlay();
    ScrollPositionChanged();
}

void Workbench::PaintWorkbench(CDC* dc, const CRect& box) {
    CRect sheet = GetSheetRect();
    plat::Region outside(box);
    outside.Subtract(sheet);
    dc->FillRegion(outside, plat::Brush(plat::GetSysColor(plat::COLOR_APPWORKSPACE)));
    CRect inside = box.Intersection(sheet);
    if (!inside.IsEmpty()) {
        dc->Save();
        dc->IntersectClipRect(inside);
        DrawSheet(dc, inside);
        dc->Restore();
    }
    if (Tool* tool = GetEffectiveTool()) tool->PaintRect(dc, box);
}

void Workbench::DrawSheet(CDC* dc, const CRect& rect) { dc->FillSolidRect(rect, plat::Color(255, 255, 255)); }

void Workbench::OnSize(int cx, int cy) {
    BasicView::OnSize(cx, cy);
    if (updatingBars_) return;  // the bars' own change of the client size
    UpdateScrollBars();
    ScrollTo(scrollX_, scrollY_, true);
}

int Workbench::BarTarget(unsigned code, unsigned pos, int current, int client, int extent) const {
    switch (code) {
        case plat::SB_LINEUP:
            return current - kLineStep;
        case plat::SB_LINEDOWN:
            return current + kLineStep;
        case plat::SB_PAGEUP:
            return current - client;
        case plat::SB_PAGEDOWN:
            return current + client;
        case plat::SB_THUMBPOSITION:
        case plat::SB_THUMBTRACK:
            return int(pos);
        case plat::SB_TOP:
            return 0;
        case plat::SB_BOTTOM:
            return extent - client;
        default:
            return current;
    }
}

void Workbench::OnHScroll(unsigned code, unsigned pos, plat::Wnd* bar) {
    if (bar) return BasicView::OnHScroll(code, pos, bar);
    ScrollTo(BarTarget(code, pos, scrollX_, GetClientRect().Width(), extentWidth_), scrollY_, false);
}

void Workbench::OnVScroll(unsigned code, unsigned pos, plat::Wnd* bar) {
    if (bar) return BasicView::OnVScroll(code, pos, bar);
    ScrollTo(scrollX_, BarTarget(code, pos, scrollY_, GetClientRect().Height(), extentHeight_), false);
}

void Workbench::OnMouseWheel(unsigned flags, int delta, CPoint screen) {
    if (flags & plat::MK_SHIFT) return OnMouseHWheel(flags, -delta, screen);
    int pixels = wheel_[plat::SB_VERT].Take(delta * kWheelStep, plat::kWheelDelta);
    if (pixels) ScrollTo(scrollX_, scrollY_ - pixels, false);
}

void Workbench::OnMouseHWheel(unsigned flags, int delta, CPoint screen) {
    (void)flags, (void)screen;
    int pixels = wheel_[plat::SB_HORZ].Take(delta * kWheelStep, plat::kWheelDelta);
    if (pixels) ScrollTo(scrollX_ + pixels, scrollY_, false);
}

}  // namespace Kor
