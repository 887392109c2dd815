// ChildView: the frame's central pane, the workbench on which the document
// is drawn. On the framework's zoom view (sheet, margin, scrolling, zoom,
// the hand and the zoom tool) it shows the imported mask's extent as a
// white sheet and draws on it, in this order: the polyline (green), the
// pins (black when smooth, blue for corners), and the curve (red) with its
// tangents (dark red) and junction knots. It owns the pin tool and the
// View menu's layer switches.
//
// The sheet has the mask's size once the document has a file; 0 by 0
// before (the hand, zoom and pin tools are disabled then). Pins are drawn
// while their layer is on or the pin tool is the current tool.
#pragma once

#include "app/pin_tool.h"
#include "framework/events/event_listener.h"
#include "framework/views/zoom_view.h"

#include <functional>
#include <string>

class Doc;

class ChildView : public Kor::ZoomView {
public:
    static constexpr float kMinZoom = 0.01f;
    static constexpr float kMaxZoom = 100.0f;

    explicit ChildView(Doc& doc);
    ~ChildView() override;

    Doc& GetDoc() const { return *doc_; }
    PinTool& GetPinTool() { return pinTool_; }

    bool IsPolylineShown() const { return showPolyline_; }
    bool AreKnotsShown() const { return showKnots_; }
    bool AreTangentsShown() const { return showTangents_; }
    bool ArePinsShown() const { return showPins_; }
    // Pins are drawn: their layer is on, or the pin tool is selected.
    bool ArePinsDrawn() const;

    // The status bar's indicator: the zoom in percent and, while the
    // pointer is over the view, its position in mask pixels ("200%  12, 34").
    std::string IndicatorText() const;
    // Told whenever the indicator's text may have changed.
    void SetIndicatorSink(std::function<void(const std::string&)> sink) { indicatorSink_ = std::move(sink); }

    void ProcessEvent(Kor::Event& e) override;

    void HandleMouseMove(unsigned flags, const Kor::CPoint& p) override;
    void HandleMouseLeave() override;

protected:
    void DrawSheet(Kor::CDC* dc, const Kor::CRect& rect) override;
    void ToolChanged() override;
    void ZoomChanged() override;
    const plat::CommandTable* GetCommandTable() const override;

private:
    void DrawPolyline(Kor::CDC* dc);
    void DrawPins(Kor::CDC* dc);
    void DrawCurve(Kor::CDC* dc);
    void UpdateSheet();
    void ShowIndicator();

    void OnViewPolyline();
    void OnViewKnots();
    void OnViewTangents();
    void OnViewPins();
    void OnToolPin();
    void OnUpdateViewPolyline(plat::CmdUI* ui);
    void OnUpdateViewKnots(plat::CmdUI* ui);
    void OnUpdateViewTangents(plat::CmdUI* ui);
    void OnUpdateViewPins(plat::CmdUI* ui);
    void OnUpdateToolPin(plat::CmdUI* ui);

    Doc* doc_;
    PinTool pinTool_;
    bool showPolyline_ = true;
    bool showKnots_ = true;
    bool showTangents_ = false;
    bool showPins_ = true;
    bool pointerInside_ = false;
    Kor::CPoint pointer_;
    std::function<void(const std::string&)> indicatorSink_;
};
