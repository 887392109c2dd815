// A drop-down list: a field that shows the selected item with an arrow
// button at its right; a press (or F4, Alt+Down, Space or Enter while it has
// the keys) opens the list of items below it, and choosing an item selects
// it. While the list is open the drop-down has the keys and passes them to
// it; the list closes when the drop-down is hidden, disabled or its window
// loses the activation. The items and the selection are read and changed
// through overridable operations, so a subclass can take them from
// elsewhere (a property's value).
#pragma once

#include "framework/controls/popup_chooser.h"
#include "framework/windows/widget.h"

#include <functional>
#include <string>
#include <vector>

namespace Kor {

class DropDown : public Widget {
public:
    DropDown() = default;
    explicit DropDown(std::vector<std::string> items, int selection = -1);

    virtual int GetItemCount() const { return int(items_.size()); }
    virtual std::string GetItemText(int index) const;
    // The selected item; -1: none.
    virtual int GetCurSel() const { return selection_; }
    // The user chose `index`; the default selects it and calls the
    // SetOnSelect callback. It may free the drop-down.
    virtual void HandleSelect(int index);

    void SetItems(std::vector<std::string> items);
    void SetCurSel(int index);
    void SetOnSelect(std::function<void(int)> fn) { onSelect_ = std::move(fn); }

    void OpenList();
    void CloseList() { chooser_.Close(); }
    bool IsListOpen() const { return chooser_.IsOpen(); }
    plat::PopupList& GetList() { return chooser_.GetList(); }
    // The arrow button at the right (control coordinates).
    CRect ButtonRect() const;

    bool CanGetFocus() const override { return IsListOpen(); }
    CSize PreferredSize() const override;
    void HandleLeftDown(unsigned flags, const CPoint& p) override;
    void HandleLeftDoubleClick(unsigned flags, const CPoint& p) override { HandleLeftDown(flags, p); }
    void HandleKeyDown(unsigned key, unsigned repeat, unsigned flags) override;
    void HandleActivate() override;
    void HandleVisible(bool visible) override;
    void HandleEnable(bool enabled) override;
    void HandlePaint(CDC* dc, const CRect& rect) override;

private:
    std::vector<std::string> items_;
    int selection_ = -1;
    std::function<void(int)> onSelect_;
    PopupChooser chooser_;
};

}  // namespace Kor
