#include "app/child_view.h"

#include "app/doc.h"
#include "app/vexilo_strings.h"
#include "framework/app/app_base.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

using Kor::CPoint;
using Kor::CRect;

namespace {

const plat::Color kSheet(255, 255, 255);
const plat::Color kPolyline(0, 255, 0);
const plat::Color kSmoothPin(0, 0, 0);
const plat::Color kCornerPin(0, 0, 255);
const plat::Color kCurve(255, 0, 0);
const plat::Color kTangent(127, 0, 0);

plat::Pen SolidPen(plat::Color c) { return plat::Pen(plat::Pen::Solid, 1, c); }

}  // namespace

ChildView::ChildView(Doc& doc) : doc_(&doc), pinTool_(*this, doc) {
    doc_->AddListener(this);
    SetZoomLimits(kMinZoom, kMaxZoom);
    SetZoom(1.0f);
    SetMargin(1);
    UpdateSheet();
}

ChildView::~ChildView() {
    SetTool(nullptr);
    DropTool(&pinTool_);
    doc_->RemoveListener(this);
    if (Exists()) Destroy();
}

bool ChildView::ArePinsDrawn() const { return showPins_ || GetTool() == &pinTool_; }

// --- The document's changes ---

void ChildView::ProcessEvent(Kor::Event& e) {
    if (dynamic_cast<Kor::Doc::FileNameChange*>(&e)) {
        UpdateSheet();
    } else if (!dynamic_cast<Doc::PolyBezierChange*>(&e) && !dynamic_cast<Doc::AreasChange*>(&e)) {
        return Kor::ZoomView::ProcessEvent(e);
    }
    if (Exists()) InvalidateAll(false);
}

void ChildView::UpdateSheet() {
    // The sheet is 0 by 0 until the document has a file; each import only
    // changes its size, the zoom stays.
    if (doc_->IsEmpty())
        SetWorkbenchSize(0, 0);
    else
        SetWorkbenchSize(float(doc_->GetBitmapWidth()), float(doc_->GetBitmapHeight()));
}

void ChildView::ToolChanged() {
    // The pin tool shows the pins even while their layer is off.
    if (!showPins_ && !doc_->GetAreas().empty() && Exists()) InvalidateAll(false);
}

// --- Drawing ---

void ChildView::DrawSheet(Kor::CDC* dc, const CRect& rect) {
    // The sheet is filled where it lies in the window: a rectangle taken to
    // mask coordinates and back could miss a pixel row at odd zooms.
    CRect sheet = GetSheetRect().Intersection(rect);
    if (!sheet.IsEmpty()) dc->FillSolidRect(sheet, kSheet);
    if (showPolyline_) DrawPolyline(dc);
    if (ArePinsDrawn()) DrawPins(dc);
    if (doc_->HasCurve()) DrawCurve(dc);
}

void ChildView::DrawPolyline(Kor::CDC* dc) {
    const auto& polyline = doc_->GetPolyline();
    if (polyline.size() < 2) return;
    std::vector<CPoint> points;
    points.reserve(polyline.size());
    for (const outline::node& n : polyline) points.push_back(ToWindow(types::point<float>(n.x, n.y)));
    plat::Pen old = dc->SelectPen(SolidPen(kPolyline));
    dc->Polyline(points);
    dc->SelectPen(old);
}

void ChildView::DrawPins(Kor::CDC* dc) {
    plat::Brush oldBrush = dc->SelectBrush(plat::Brush::Hollow());
    plat::Pen oldPen = dc->GetPen();
    for (const outline::area& a : doc_->GetAreas()) {
        plat::Color colour = a.smooth ? kSmoothPin : kCornerPin;
        CPoint c = ToWindow(types::point<float>(a.x, a.y));
        // Pasted radii are at most a million pixels; the window's reach is
        // what limits the drawing.
        double r = std::min(std::trunc(double(GetZoom()) * a.radius), ZoomView::kMaxWindowCoordinate);
        int ri = int(r);
        if (ri <= 0) {
            dc->FillSolidRect(CRect(c.x, c.y, c.x + 1, c.y + 1), colour);
            continue;
        }
        dc->SelectPen(SolidPen(colour));
        dc->Ellipse(CRect(c.x - ri, c.y - ri, c.x + ri + 1, c.y + ri + 1));
    }
    dc->SelectPen(oldPen);
    dc->SelectBrush(oldBrush);
}

void ChildView::DrawCurve(Kor::CDC* dc) {
    const auto& controls = doc_->GetControlPoints();
    std::vector<CPoint> points;
    points.reserve(controls.size());
    for (const outline::real_point& p : controls) points.push_back(ToWindow(types::point<float>(p.x, p.y)));
    plat::Pen oldPen = dc->GetPen();
    plat::Brush oldBrush = dc->GetBrush();
    if (showTangents_) {
        dc->SelectPen(SolidPen(kTangent));
        for (std::size_t k = 0; k + 3 < points.size(); k += 3) {
            dc->MoveTo(points[k]);
            dc->LineTo(points[k + 1]);
            dc->MoveTo(points[k + 2]);
            dc->LineTo(points[k + 3]);
        }
    }
    dc->SelectPen(SolidPen(kCurve));
    if (showKnots_) {
        dc->SelectBrush(plat::Brush(kCurve));
        for (std::size_t k = 0; k < points.size(); k += 3)
            dc->Ellipse(CRect(points[k].x - 2, points[k].y - 2, points[k].x + 2, points[k].y + 2));
    }
    dc->PolyBezier(points);
    dc->SelectBrush(oldBrush);
    dc->SelectPen(oldPen);
}

// --- The status bar's indicator ---

std::string ChildView::IndicatorText() const {
    char text[64];
    int n = std::snprintf(text, sizeof text, "%.0f%%", double(GetZoom()) * 100.0);
    if (pointerInside_ && !GetWorkbenchSize().empty()) {
        types::point<float> d = ToDocument(pointer_);
        std::snprintf(text + n, sizeof text - std::size_t(n), "  %.0f, %.0f", std::floor(double(d.x)),
                      std::floor(double(d.y)));
    }
    return text;
}

void ChildView::ShowIndicator() {
    if (indicatorSink_) indicatorSink_(IndicatorText());
}

void ChildView::HandleMouseMove(unsigned flags, const CPoint& p) {
    pointerInside_ = true;
    pointer_ = p;
    ShowIndicator();
    Kor::ZoomView::HandleMouseMove(flags, p);
}

void ChildView::HandleMouseLeave() {
    pointerInside_ = false;
    ShowIndicator();
    Kor::ZoomView::HandleMouseLeave();
}

void ChildView::ZoomChanged() { ShowIndicator(); }

// --- Commands ---

const plat::CommandTable* ChildView::GetCommandTable() const {
    using T = plat::CommandTable;
    static const T table(Kor::ZoomView::GetCommandTable(),
                         {
                             T::Command(ID_VIEW_POLYLINE, &ChildView::OnViewPolyline),
                             T::Command(ID_VIEW_KNOTS, &ChildView::OnViewKnots),
                             T::Command(ID_VIEW_TANGENTS, &ChildView::OnViewTangents),
                             T::Command(ID_VIEW_PINS, &ChildView::OnViewPins),
                             T::Command(ID_TOOL_PIN, &ChildView::OnToolPin),
                             T::Update(ID_VIEW_POLYLINE, &ChildView::OnUpdateViewPolyline),
                             T::Update(ID_VIEW_KNOTS, &ChildView::OnUpdateViewKnots),
                             T::Update(ID_VIEW_TANGENTS, &ChildView::OnUpdateViewTangents),
                             T::Update(ID_VIEW_PINS, &ChildView::OnUpdateViewPins),
                             T::Update(ID_TOOL_PIN, &ChildView::OnUpdateToolPin),
                         });
    return &table;
}

void ChildView::OnViewPolyline() {
    showPolyline_ = !showPolyline_;
    InvalidateAll(false);
}

void ChildView::OnViewKnots() {
    showKnots_ = !showKnots_;
    InvalidateAll(false);
}

void ChildView::OnViewTangents() {
    showTangents_ = !showTangents_;
    InvalidateAll(false);
}

void ChildView::OnViewPins() {
    showPins_ = !showPins_;
    // Hiding the pins puts the pin tool away too.
    if (!showPins_ && GetTool() == &pinTool_) SetTool(nullptr);
    InvalidateAll(false);
}

void ChildView::OnToolPin() { SetTool(&pinTool_); }

void ChildView::OnUpdateViewPolyline(plat::CmdUI* ui) {
    ui->Enable(doc_->GetPolyline().size() >= 2);
    ui->SetCheck(showPolyline_ ? 1 : 0);
}

void ChildView::OnUpdateViewKnots(plat::CmdUI* ui) {
    ui->Enable(doc_->HasCurve());
    ui->SetCheck(showKnots_ ? 1 : 0);
}

void ChildView::OnUpdateViewTangents(plat::CmdUI* ui) {
    ui->Enable(doc_->HasCurve());
    ui->SetCheck(showTangents_ ? 1 : 0);
}

void ChildView::OnUpdateViewPins(plat::CmdUI* ui) {
    ui->Enable(!doc_->GetAreas().empty());
    ui->SetCheck(showPins_ ? 1 : 0);
}

void ChildView::OnUpdateToolPin(plat::CmdUI* ui) {
    ui->Enable(!doc_->IsEmpty());
    ui->SetCheck(GetTool() == &pinTool_ ? 1 : 0);
    // The tool bar's tip comes from here, not from a prompt string.
    if (!ui->GetMenu()) ui->SetText(Kor::AppBase::LoadString(IDS_PIN_TOOL_TIP));
}
