// CustomWindow<T>: a Window<T> that paints through an off-screen bitmap, so
// nothing flickers: the control tree paints the update rectangle into the
// bitmap, and exactly that rectangle is copied to the window. The bitmap
// grows with the window and never shrinks, so resizing does not reallocate
// it at every step.
#pragma once

#include "framework/windows/window.h"
#include "platform/bitmap.h"

#include <algorithm>
#include <memory>

namespace Kor {

template <class T>
class CustomWindow : public Window<T> {
public:
    CDC* GetOffDC() { return offDC_.get(); }
    CSize OffscreenSize() const { return CSize(offWidth_, offHeight_); }

    void UpdateOffscreenDC(int width, int height) {
        int w = std::max(offWidth_, width), h = std::max(offHeight_, height);
        if (w == offWidth_ && h == offHeight_) return;
        offDC_.reset();
        offBitmap_ = plat::Bitmap(w, h);
        offDC_ = std::make_unique<CDC>(offBitmap_);
        offWidth_ = w;
        offHeight_ = h;
    }

    // A child CustomWindow goes to its layout rectangle at once.
    void UpdateBounds() override {
        Window<T>::InvalidateWindowBounds();
        Window<T>::UpdateWindowBounds();
    }

protected:
    bool OnCreate() override {
        if (!Window<T>::OnCreate()) return false;
        offDC_.reset();
        offBitmap_ = plat::Bitmap(1, 1);
        offDC_ = std::make_unique<CDC>(offBitmap_);
        offWidth_ = offHeight_ = 1;
        return true;
    }

    void OnSize(int cx, int cy) override {
        T::OnSize(cx, cy);
        UpdateOffscreenDC(cx, cy);
        this->LayoutControls();
    }

    void OnPaint(plat::DC& dc, const CRect& update) override {
        if (!offDC_) return;
        offDC_->Save();
        offDC_->SelectClipRegion(nullptr);
        offDC_->IntersectClipRect(update);
        this->Paint(offDC_.get(), update);
        offDC_->Restore();
        dc.BitBlt(update.left, update.top, update.Width(), update.Height(), *offDC_, update.left, update.top);
    }

    void OnActivate(bool active) override {
        T::OnActivate(active);
        ActivateEvent e(active);
        this->ProcessEvent(e);
    }

private:
    plat::Bitmap offBitmap_;
    std::unique_ptr<CDC> offDC_;
    int offWidth_ = 0, offHeight_ = 0;
};

}  // namespace Kor
