#include "framework/controls/text_control.h"

#include "platform/cursor.h"
#include "platform/keys.h"
#include "platform/utf8.h"
#include "platform/wnd.h"

namespace Kor {

namespace {
constexpr int kTextMargin = 3;
constexpr unsigned kEditKey = plat::VK_F1 + 1;  // F2 edits a field
}  // namespace

TextControl::TextControl() = default;

TextControl::~TextControl() {
    closing_ = true;
    if (edit_) RemoveControl(edit_.get());
}

CRect TextControl::GetTextRect() const { return CRect(CPoint(), ClientSize()); }

void TextControl::LayoutControls() {
    if (edit_) edit_->SetBounds(GetTextRect());
}

void TextControl::OpenEdit() {
    if (edit_ || !GetWindow() || !Enabled() || !Visible()) return;
    retired_.reset();
    std::string text;
    if (!GetText(text)) text.clear();
    openedWith_ = plat::ValidUtf8(text);
    edit_ = std::make_unique<InplaceEdit>(*this);
    AddControl(edit_.get());
    edit_->SetBounds(GetTextRect());
    edit_->HandleWindowCreate();
    if (!edit_->Exists()) {
        RemoveControl(edit_.get());
        edit_.reset();
        return;
    }
    edit_->plat::Edit::SetText(openedWith_);
    edit_->SelectAll();
    // Last: taking the focus may commit another control's edit, whose
    // setter may free this control.
    edit_->SetFocus();
}

void TextControl::CommitEdit() {
    if (!edit_ || closing_) return;
    std::string text = edit_->plat::Edit::GetText();
    if (text != openedWith_) {
        std::weak_ptr<int> alive = alive_;
        try {
            SetText(text);
        } catch (...) {
            // A value that cannot be applied is dropped, as on Escape.
        }
        if (alive.expired()) return;  // the setter freed this control
    }
    CloseEdit();
}

void TextControl::CancelEdit() {
    if (!edit_ || closing_) return;
    CloseEdit();
}

void TextControl::CloseEdit() {
    if (!edit_) return;
    closing_ = true;
    bool hadFocus = plat::Wnd::GetFocus() == edit_.get();
    RemoveControl(edit_.get());
    if (edit_->Exists()) edit_->Destroy();
    retired_ = std::move(edit_);
    closing_ = false;
    Invalidate();
    // The keys go back to the window the control lies in.
    if (hadFocus) SetFocus();
}

CSize TextControl::PreferredSize() const {
    plat::Bitmap scratch(1, 1);
    CDC dc(scratch);
    if (const CFont* f = Font()) dc.SelectFont(*f);
    return CSize(0, dc.GetTextHeight() + 2 * kTextMargin + 2);
}

void TextControl::HandleLeftDown(unsigned, const CPoint& p) {
    if (edit_) {
        CommitEdit();
        return;
    }
    if (Enabled() && GetTextRect().Contains(p)) OpenEdit();
}

void TextControl::HandleKeyDown(unsigned key, unsigned, unsigned) {
    if (!edit_ && (key == plat::VK_RETURN || key == kEditKey)) OpenEdit();
}

bool TextControl::HandleCursor(unsigned, const CPoint& p) {
    bool text = Enabled() && !edit_ && GetTextRect().Contains(p);
    plat::SetCursor(plat::Cursor::Standard(text ? plat::StdCursor::IBeam : plat::StdCursor::Arrow));
    return true;
}

void TextControl::HandleVisible(bool visible) {
    if (!visible) CancelEdit();
}

void TextControl::HandleEnable(bool enabled) {
    if (!enabled) CancelEdit();
}

void TextControl::HandlePaint(CDC* dc, const CRect& rect) {
    CRect r = GetTextRect();
    dc->FillSolidRect(CRect(CPoint(), ClientSize()), plat::GetSysColor(plat::COLOR_BTNFACE));
    dc->FillSolidRect(r, plat::GetSysColor(Enabled() ? plat::COLOR_WINDOW : plat::COLOR_BTNFACE));
    dc->DrawEdge(r, true);
    std::string text;
    if (GetText(text)) {
        dc->SetBkMode(plat::TRANSPARENT);
        dc->SetTextColor(plat::GetSysColor(Enabled() ? plat::COLOR_WINDOWTEXT : plat::COLOR_GRAYTEXT));
        dc->DrawText(
            plat::ValidUtf8(text), CRect(r.left + kTextMargin + 1, r.top, r.right - kTextMargin, r.bottom),
            plat::DT_LEFT | plat::DT_VCENTER | plat::DT_SINGLELINE | plat::DT_END_ELLIPSIS | plat::DT_NOPREFIX);
    }
    PaintChildren(dc, rect);
}

}  // namespace Kor
