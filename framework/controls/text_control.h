// A control that shows a value as text and edits it in place: a press on
// the text (or Enter or F2 while the control has the keys) opens an
// InplaceEdit over it; Enter or losing the focus applies the edited text
// (SetText), Escape drops it. Only a text that differs from the one the
// edit opened with is applied, so opening and leaving an edit never writes.
// A failed apply (an exception from SetText) closes the edit and leaves the
// value as it was. Hiding or disabling the control drops an open edit.
// Typed controls supply GetText and SetText.
#pragma once

#include "framework/controls/inplace_edit.h"
#include "framework/windows/container.h"
#include "framework/windows/widget.h"

#include <memory>
#include <string>

namespace Kor {

class TextControl : public Container, public virtual Widget {
public:
    TextControl();
    ~TextControl() override;

    // The value as text; false shows no text.
    virtual bool GetText(std::string& text) = 0;
    // Applies an edited text. It may free this control (a setter that
    // closes the editor the control lies in).
    virtual void SetText(const std::string& text) = 0;
    // Places the open edit over the text area.
    void LayoutControls() override;
    // Where the text shows and a press opens the edit (control coordinates).
    virtual CRect GetTextRect() const;

    bool IsEditing() const { return edit_ != nullptr; }
    InplaceEdit* GetEdit() const { return edit_.get(); }
    void OpenEdit();
    void CommitEdit();
    void CancelEdit();

    CSize PreferredSize() const override;
    void HandleLeftDown(unsigned flags, const CPoint& p) override;
    // A quick second press acts as a press.
    void HandleLeftDoubleClick(unsigned flags, const CPoint& p) override { HandleLeftDown(flags, p); }
    void HandleKeyDown(unsigned key, unsigned repeat, unsigned flags) override;
    bool HandleCursor(unsigned flags, const CPoint& p) override;
    void HandlePaint(CDC* dc, const CRect& rect) override;
    void HandleVisible(bool visible) override;
    void HandleEnable(bool enabled) override;

private:
    void CloseEdit();

    std::unique_ptr<InplaceEdit> edit_;
    // A closed edit, kept until the next one opens: it may be closing from
    // inside one of its own handlers.
    std::unique_ptr<InplaceEdit> retired_;
    std::string openedWith_;  // the text the open edit started with
    bool closing_ = false;
    // Expires when the control goes away (SetText may free it).
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

}  // namespace Kor
