#include "framework/views/zoom_view.h"

#include "framework/views/view_command_ids.h"
#include "platform/keys.h"

#include <algorithm>
#include <cmath>

namespace Kor {

namespace {
bool Usable(float v) { return std::isfinite(v) && v > 0; }
}  // namespace

ZoomView::ZoomView() : zoomTool_(*this) {}

ZoomView::~ZoomView() { DropTool(&zoomTool_); }

void ZoomView::SetZoom(float zoom) {
    if (!Usable(zoom)) return;
    zoom = std::clamp(zoom, minZoom_, maxZoom_);
    if (zoom == zoom_) return;
    zoom_ = zoom;
    zoomTool_.ZoomChanged();
    UpdateContentSize();
    // The sheet's drawing scales even when its size in pixels stays.
    if (Exists()) InvalidateAll(false);
    ZoomChanged();
}

void ZoomView::SetZoomLimits(float minZoom, float maxZoom) {
    if (!Usable(minZoom) || !Usable(maxZoom) || minZoom > maxZoom) return;
    minZoom_ = minZoom;
    maxZoom_ = maxZoom;
    SetZoom(zoom_);  // clamped into the new limits
}

void ZoomView::ZoomAt(float zoom, std::optional<CPoint> p) {
    CPoint at = p ? *p : (Exists() ? GetClientRect().Center() : CPoint());
    types::point<float> d = ToDocument(at);
    SetZoom(zoom);
    ScrollDocumentPointTo(d, at);
}

void ZoomView::ZoomBy(float factor, std::optional<CPoint> p) { ZoomAt(zoom_ * factor, p); }

void ZoomView::ZoomToFit() {
    for (int round = 0; round < kFitRounds; ++round) {
        CSize client = Exists() ? GetClientRect().GetSize() : CSize();
        double room[2] = {double(client.cx) - 2.0 * GetMargin(), double(client.cy) - 2.0 * GetMargin()};
        double size[2] = {workbenchWidth_, workbenchHeight_};
        double candidate[2];
        for (int axis = 0; axis < 2; ++axis) candidate[axis] = size[axis] > 0 ? room[axis] / size[axis] : 1.0;
        double fit = std::min(candidate[0], candidate[1]);
        // No room at all (a minimised window) fits at the smallest zoom.
        float zoom = fit > 0 ? std::clamp(float(fit), minZoom_, maxZoom_) : minZoom_;
        // The content rounds up: a zoom a hair too large for the room would
        // bring the scroll bars back.
        for (int axis = 0; axis < 2; ++axis)
            while (zoom > minZoom_ && size[axis] > 0 && room[axis] > 0 && std::ceil(size[axis] * zoom) > room[axis])
                zoom = std::max(minZoom_, std::nextafter(zoom, 0.0f));
        if (zoom == zoom_) break;
        SetZoom(zoom);
    }
}

void ZoomView::SetWorkbenchSize(float width, float height) {
    if (!(width >= 0) || !std::isfinite(width)) width = 0;
    if (!(height >= 0) || !std::isfinite(height)) height = 0;
    if (width == workbenchWidth_ && height == workbenchHeight_) return;
    workbenchWidth_ = width;
    workbenchHeight_ = height;
    UpdateContentSize();
}

void ZoomView::UpdateContentSize() {
    auto pixels = [this](float units) {
        double v = std::ceil(double(units) * double(zoom_));
        return int(std::min(v, double(1 << 30)));
    };
    SetContentSize(pixels(workbenchWidth_), pixels(workbenchHeight_));
}

double ZoomView::WindowX(double documentX) const {
    double content = std::floor(documentX * zoom_ + 0.5);
    double w = content + GetMargin() - GetScrollPosition().x;
    return std::clamp(w, -kMaxWindowCoordinate, kMaxWindowCoordinate);
}

double ZoomView::WindowY(double documentY) const {
    double content = std::floor(documentY * zoom_ + 0.5);
    double w = content + GetMargin() - GetScrollPosition().y;
    return std::clamp(w, -kMaxWindowCoordinate, kMaxWindowCoordinate);
}

CPoint ZoomView::ToWindow(types::point<float> d) const {
    // A NaN clamps to NaN: it counts as the far edge.
    double x = WindowX(d.x), y = WindowY(d.y);
    return CPoint(std::isnan(x) ? int(kMaxWindowCoordinate) : int(x),
                  std::isnan(y) ? int(kMaxWindowCoordinate) : int(y));
}

types::point<float> ZoomView::ToDocument(CPoint w) const {
    CPoint s = GetScrollPosition();
    float scale = 1.0f / zoom_;
    return types::point<float>(float(w.x - GetMargin() + s.x) * scale, float(w.y - GetMargin() + s.y) * scale);
}

types::rect<float> ZoomView::ToDocument(const CRect& r) const {
    types::point<float> a = ToDocument(r.TopLeft()), b = ToDocument(r.BottomRight());
    return types::rect<float>(a.x, a.y, b.x, b.y);
}

CRect ZoomView::ToWindow(const types::rect<float>& r) const {
    CPoint a = ToWindow(types::point<float>(r.left, r.top)), b = ToWindow(types::point<float>(r.right, r.bottom));
    return CRect(a.x, a.y, b.x, b.y);
}

void ZoomView::ScrollDocumentPointTo(types::point<float> d, CPoint p) {
    CPoint s = GetScrollPosition(), w = ToWindow(d);
    ScrollTo(s.x + (w.x - p.x), s.y + (w.y - p.y), false);
}

void ZoomView::UpdateTemporaryTool() {
    bool ctrl = plat::IsKeyDown(plat::VK_CONTROL), alt = plat::IsKeyDown(plat::VK_MENU);
    bool space = plat::IsKeyDown(plat::VK_SPACE);
    Tool* wanted = nullptr;
    if (ctrl || space) wanted = alt ? static_cast<Tool*>(&zoomTool_) : &GetPanTool();
    SetTemporaryTool(wanted);
}

void ZoomView::HandleKeyDown(unsigned key, unsigned repeat, unsigned flags) {
    UpdateTemporaryTool();
    PanView::HandleKeyDown(key, repeat, flags);
}

void ZoomView::HandleKeyUp(unsigned key, unsigned repeat, unsigned flags) {
    UpdateTemporaryTool();
    PanView::HandleKeyUp(key, repeat, flags);
}

bool ZoomView::HasSheet() const { return workbenchWidth_ != 0 || workbenchHeight_ != 0; }

const plat::CommandTable* ZoomView::GetCommandTable() const {
    using T = plat::CommandTable;
    static const T table(PanView::GetCommandTable(), {
                                                         T::Command(ID_TOOL_ZOOM, &ZoomView::OnToolZoom),
                                                         T::Update(ID_TOOL_ZOOM, &ZoomView::OnUpdateToolZoom),
                                                     });
    return &table;
}

void ZoomView::OnToolZoom() { SetTool(&zoomTool_); }

void ZoomView::OnUpdateToolZoom(plat::CmdUI* ui) {
    ui->SetCheck(GetTool() == &zoomTool_ ? 1 : 0);
    ui->Enable(HasSheet());
}

void ZoomView::OnMouseWheel(unsigned flags, int delta, CPoint screen) {
    if (!(flags & plat::MK_CONTROL)) return PanView::OnMouseWheel(flags, delta, screen);
    // Not while a button is held: a band or a stroke is in progress.
    if (flags & (plat::MK_LBUTTON | plat::MK_RBUTTON | plat::MK_MBUTTON)) return;
    int notches = zoomWheel_.Take(delta, plat::kWheelDelta);
    if (notches) ZoomBy(float(std::pow(2.0, notches)), ScreenToClient(screen));
}

}  // namespace Kor
