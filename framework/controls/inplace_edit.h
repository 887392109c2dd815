// The single-line edit window that a TextControl opens over its text:
// Enter commits, Escape cancels, losing the focus commits.
#pragma once

#include "framework/windows/widget.h"
#include "framework/windows/window.h"
#include "platform/edit.h"

namespace Kor {

class TextControl;

class InplaceEdit : public Window<plat::Edit>, public Widget {
public:
    explicit InplaceEdit(TextControl& owner);

    // The window's own answers win over the stored ones of Widget.
    CRect Bounds() const override { return Window<plat::Edit>::Bounds(); }
    bool Visible() const override { return Window<plat::Edit>::Visible(); }
    bool Enabled() const override { return Window<plat::Edit>::Enabled(); }
    CSize ClientSize() const override { return Window<plat::Edit>::ClientSize(); }
    void SetBounds(const CRect& r) override { Window<plat::Edit>::SetBounds(r); }
    bool CanGetFocus() const override { return true; }
    void SetFocus() override { Window<plat::Edit>::SetFocus(); }
    bool HasFocus() const override { return Window<plat::Edit>::HasFocus(); }
    CPoint GetWindowOffset() const override { return Window<plat::Edit>::GetWindowOffset(); }
    CRect GetWindowRect() const override { return Window<plat::Edit>::GetWindowRect(); }
    plat::Wnd* GetWindow() const override { return Window<plat::Edit>::GetWindow(); }
    WindowTipCtrl* GetHintWindow() const override { return Window<plat::Edit>::GetHintWindow(); }
    const CFont* Font() const override { return Window<plat::Edit>::Font(); }
    bool HasCapture() const override { return Window<plat::Edit>::HasCapture(); }
    void HandlePaint(CDC* dc, const CRect& rect) override { Window<plat::Edit>::HandlePaint(dc, rect); }

    void HandleKeyDown(unsigned key, unsigned repeat, unsigned flags) override;

protected:
    void OnKillFocus(plat::Wnd* next) override;

private:
    TextControl& owner_;
};

}  // namespace Kor
