// A list of rows in a platform window of its own, scrolled vertically: the
// rows are its child controls, placed one below the other. One row may be
// the active row; while there is one, the keys move it (Up, Down, Home,
// End, Page Up, Page Down: a page is the list's visible height) and pass
// every other key to it. The list scrolls just enough to show the active
// row whole. The list does not own its rows.
#pragma once

#include "framework/property_editor/row_control.h"
#include "framework/windows/custom_window.h"

#include <vector>

namespace Kor {

class ListControl : public CustomWindow<plat::Wnd> {
public:
    ListControl();
    ~ListControl() override;

    // Puts `count` rows at `index` (limited to the end of the list).
    void InsertRows(unsigned index, RowControl** rows, unsigned count);
    // Takes rows out (each hears HandleRemoved). An active row taken out
    // passes the activation to the row before the range, if any.
    void RemoveRows(unsigned index, unsigned count);
    void RemoveAllRows();
    RowControl* GetRow(unsigned index) const { return index < rows_.size() ? rows_[index] : nullptr; }
    unsigned GetRowCount() const { return unsigned(rows_.size()); }
    bool IsEmpty() const { return rows_.empty(); }

    int GetActiveRow() const { return active_; }
    RowControl* GetActiveRowPtr() const { return active_ >= 0 ? rows_[std::size_t(active_)] : nullptr; }
    // Makes row `index` active (limited to the rows; -1: none) and scrolls
    // it into view.
    void SetActiveRow(int index);
    // The row whose content range holds `offset`, or -1.
    int RowFromOffset(int offset) const;

    // The content's height, the visible height, the scroll position.
    int GetRange() const;
    int GetPage() const { return ClientHeight(); }
    int GetOffset() const { return offset_; }
    void SetOffset(int offset);
    // Scrolls just enough for row `index` to be fully visible.
    void ClampInView(int index);
    // Places the rows by their offsets and the scroll position.
    void LayoutRows();
    // Row `index` changed its height: the rows below it move.
    void RowHeightChanged(int index);
    void LayoutControls() override { LayoutRows(); }

    // The platform focus is on the list's window.
    bool ListHasFocus() const { return plat::Wnd::GetFocus() == this; }

    void HandleKeyDown(unsigned key, unsigned repeat, unsigned flags) override;

protected:
    // The active row changed (to -1 too).
    virtual void HandleActiveRowChanged() {}
    // Rows were inserted or removed.
    virtual void HandleRowsChanged() {}
    void OnVScroll(unsigned code, unsigned pos, plat::Wnd* bar) override;
    void OnSetFocus(plat::Wnd* old) override;
    void OnKillFocus(plat::Wnd* next) override;

private:
    void Reindex(std::size_t from);
    void UpdateScrollBar();

    std::vector<RowControl*> rows_;
    int active_ = -1;
    int offset_ = 0;
    bool inLayout_ = false;
};

}  // namespace Kor
