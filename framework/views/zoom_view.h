// ZoomView: the top layer of the framework's views. It shows a sheet of
// workbenchWidth by workbenchHeight document units (the image's pixels) at a
// zoom factor (pixels per unit, within [minZoom, maxZoom], both 1.0 until
// set), owns the zoom tool and its command ID_TOOL_ZOOM, and lends the hand
// or the zoom tool while modifier keys are held: Ctrl or Space gives the
// hand, with Alt too the zoom tool.
//
// Coordinates:
//   document  float x, y in image pixels, y downwards
//   content   cx = floor(x * zoom + 0.5), cy alike: pixels of the zoomed sheet
//   window    wx = cx + margin - scrollX, wy alike: the view's client pixels
// and from the window back to the document x = (wx - margin + scrollX) / zoom
// (no half-pixel correction that way). Window coordinates are computed in
// double and kept within +-2^23, which every drawing can take.
#pragma once

#include "framework/tools/zoom_tool.h"
#include "framework/views/pan_view.h"
#include "framework/views/types.h"

#include <optional>

namespace Kor {

class ZoomView : public PanView {
public:
    // The largest window coordinate ToWindow gives, either way.
    static constexpr double kMaxWindowCoordinate = 8388608.0;  // 2^23
    // ZoomToFit settles within this many rounds (a scroll bar that comes or
    // goes changes the room once or twice).
    static constexpr int kFitRounds = 4;

    ZoomView();
    ~ZoomView() override;

    // Ignores values that are not finite and positive; clamps the rest to
    // the limits. A change resizes the content and repaints the view.
    void SetZoom(float zoom);
    // Zooms to `zoom` keeping the document point under `p` (default: the
    // centre of the client area) where it is.
    void ZoomAt(float zoom, std::optional<CPoint> p = std::nullopt);
    void ZoomBy(float factor, std::optional<CPoint> p = std::nullopt);
    // The zoom at which the whole sheet fits in the client area (within the
    // limits).
    void ZoomToFit();
    float GetZoom() const { return zoom_; }
    // Sets both limits (min <= max, both positive) and clamps the zoom.
    void SetZoomLimits(float minZoom, float maxZoom);
    float GetMinZoom() const { return minZoom_; }
    float GetMaxZoom() const { return maxZoom_; }

    void SetWorkbenchSize(float width, float height);
    types::extent<float> GetWorkbenchSize() const { return {workbenchWidth_, workbenchHeight_}; }

    CPoint ToWindow(types::point<float> d) const;
    types::point<float> ToDocument(CPoint w) const;
    types::rect<float> ToDocument(const CRect& r) const;
    CRect ToWindow(const types::rect<float>& r) const;
    // Scrolls so that the document point `d` lies under the window point `p`.
    void ScrollDocumentPointTo(types::point<float> d, CPoint p);

    ZoomTool& GetZoomTool() { return zoomTool_; }

    // Every key first decides the temporary tool from the modifiers held.
    void HandleKeyDown(unsigned key, unsigned repeat, unsigned flags) override;
    void HandleKeyUp(unsigned key, unsigned repeat, unsigned flags) override;

protected:
    // Notification to the layer above.
    virtual void ZoomChanged() {}
    // The hand with Ctrl or Space, the zoom tool with Alt as well, or none.
    void UpdateTemporaryTool();

    bool HasSheet() const override;
    const plat::CommandTable* GetCommandTable() const override;
    // Ctrl with the wheel zooms about the pointer, a notch twice or half.
    void OnMouseWheel(unsigned flags, int delta, CPoint screen) override;

private:
    void OnToolZoom();
    void OnUpdateToolZoom(plat::CmdUI* ui);
    void UpdateContentSize();
    double WindowX(double documentX) const;
    double WindowY(double documentY) const;

    float workbenchWidth_ = 0, workbenchHeight_ = 0;
    float zoom_ = 1.0f;
    ZoomTool zoomTool_;
    float minZoom_ = 1.0f, maxZoom_ = 1.0f;
    plat::WheelAccumulator zoomWheel_;
};

}  // namespace Kor
