// WireTool: a tool for a zoomable view that shows where it acts as an
// outline, the wire, following the pointer. The wire is drawn by inverting
// pixels, so drawing it again at the same place takes it off without a
// repaint. While Alt is held the tool is in size mode: the wire is drawn two
// pixels wide and clicks change the size; [ and ] (and, in size mode, keypad
// + and -) change it too, in steps that grow while the key repeats.
//
// A stroke runs from the first button pressed until every button is up: at
// each press outside size mode, each move while a button is held and each
// release with another button still held, the tool repaints the wire's area
// and calls Select (the point and the buttons: 1 left, 2 right); when the
// last button comes up it calls Synchronize. The view holds the pointer
// during a stroke. A stroke that ends any other way (the release goes
// unheard, the capture is taken away, another tool takes over) still ends
// with one Synchronize.
//
// Concrete tools supply the wire's shape (IncreaseSize, GetWireRect,
// DrawWire; CircleTool does) and what a stroke does (Synchronize, Select).
#pragma once

#include "framework/views/tool.h"
#include "platform/cursor.h"

namespace Kor {

class ZoomView;

class WireTool : public Tool {
public:
    enum Buttons { LeftButton = 1, RightButton = 2 };
    enum WireStyle { NormalWire = 1, SizeModeWire = 2 };  // also the pen width

    explicit WireTool(ZoomView& bench);

    ZoomView& GetBench() { return *bench_; }
    const ZoomView& GetBench() const { return *bench_; }
    bool IsWireVisible() const { return wireShown_; }
    bool IsSizeMode() const { return sizeMode_; }
    int GetButtons() const { return buttons_; }
    CPoint GetWirePosition() const { return wirePosition_; }

    // Draws the wire at the pointer (when it is not shown, the pointer is
    // over the view and the tool is not suspended).
    void ShowWire();
    void ShowWire(CDC* dc);
    // Takes the wire off (when it is shown, the pointer is over the view and
    // the tool is not suspended).
    void HideWire();
    void HideWire(CDC* dc);
    // Moves the wire to the pointer.
    void RedrawWire();

    // What concrete tools provide.
    virtual void IncreaseSize(int delta) = 0;
    virtual CRect GetWireRect(CPoint p) const = 0;
    virtual void DrawWire(CDC* dc, CPoint p, int style) = 0;
    virtual void Synchronize() = 0;
    virtual void Select(CPoint p, int buttons) = 0;

    void Activate() override { Show(); }
    void Deactivate() override { Hide(); }
    void Show() override;
    void Hide() override;
    void OnKeyDown(unsigned key, unsigned repeat, unsigned flags) override;
    void OnKeyUp(unsigned key, unsigned repeat, unsigned flags) override;
    void OnLButtonDblClk(unsigned flags, CPoint p) override { OnLButtonDown(flags, p); }
    void OnLButtonDown(unsigned flags, CPoint p) override;
    void OnLButtonUp(unsigned flags, CPoint p) override;
    void OnMouseMove(unsigned flags, CPoint p) override;
    void OnMouseEnter(unsigned flags, CPoint p) override;
    void OnMouseLeave() override;
    void OnRButtonDblClk(unsigned flags, CPoint p) override { OnRButtonDown(flags, p); }
    void OnRButtonDown(unsigned flags, CPoint p) override;
    void OnRButtonUp(unsigned flags, CPoint p) override;
    bool OnSetCursor(plat::Wnd* wnd, unsigned hitTest, unsigned message) override;
    void PaintRect(CDC* dc, const CRect& rect) override;
    void HideOverlay() override { HideWire(); }
    void ShowOverlay() override { ShowWire(); }
    void OnCaptureLost() override;
    void OnKeyboardLost() override;

    // The size step of the n-th press of a size key since the last release.
    static int SizeStep(int presses);

private:
    void Press(int button, CPoint p);
    void Release(int button, CPoint p);
    // Repaints the wire's area at `p` and selects there.
    void Apply(CPoint p);
    // The wire's area with the pen's overhang: what a repaint must cover.
    CRect WireArea(CPoint p) const;
    // The stroke ends unfinished: every button counts as released.
    void AbandonStroke();
    void ChangeSize(int direction);
    void SetSizeMode(bool on);

    ZoomView* bench_;
    plat::Cursor cursor_;
    bool sizeMode_ = false;
    int buttons_ = 0;
    CPoint wirePosition_;
    int wireStyle_ = NormalWire;
    bool wireShown_ = false;
    bool pointerInside_ = true;
    bool suspended_ = false;
    int keyRepeat_ = 0;
};

}  // namespace Kor
