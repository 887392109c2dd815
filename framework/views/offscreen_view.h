// OffscreenView: paints the workbench without flicker. The bounding box of
// what needs repainting is painted into an off-screen bitmap (of the client
// size; it grows with the window and never shrinks) and copied to the window
// in one plain copy; the window's background is never erased first.
#pragma once

#include "framework/views/workbench.h"
#include "platform/bitmap.h"

namespace Kor {

class OffscreenView : public Workbench {
public:
    CSize OffscreenSize() const { return offscreen_.GetSize(); }

protected:
    void OnPaint(plat::DC& dc, const CRect& updateBox) override;
    bool OnEraseBkgnd(plat::DC& dc) override;

private:
    plat::Bitmap offscreen_;
};

}  // namespace Kor
