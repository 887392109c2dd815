#include "framework/property_editor/list_control.h"

#include "platform/keys.h"

#include <algorithm>

namespace Kor {

ListControl::ListControl() {
    SetWindowStyle(plat::WS_CHILD | plat::WS_VISIBLE | plat::WS_VSCROLL, plat::WS_EX_CLIENTEDGE);
    SetBackground(plat::GetSysColor(plat::COLOR_WINDOW));
}

ListControl::~ListControl() {
    for (RowControl* r : rows_) {
        RemoveControl(r);
        r->index_ = -1;
    }
}

void ListControl::InsertRows(unsigned index, RowControl** rows, unsigned count) {
    if (!rows || count == 0) return;
    std::size_t at = std::min<std::size_t>(index, rows_.size());
    rows_.insert(rows_.begin() + std::ptrdiff_t(at), rows, rows + count);
    for (unsigned i = 0; i < count; ++i) AddControl(rows[i]);
    if (active_ >= int(at)) active_ += int(count);
    Reindex(at);
    HandleRowsChanged();
    LayoutRows();
}

void ListControl::RemoveRows(unsigned index, unsigned count) {
    if (index >= rows_.size() || count == 0) return;
    std::size_t end = std::min<std::size_t>(std::size_t(index) + count, rows_.size());
    std::vector<RowControl*> gone(rows_.begin() + index, rows_.begin() + std::ptrdiff_t(end));
    rows_.erase(rows_.begin() + index, rows_.begin() + std::ptrdiff_t(end));
    int removed = int(gone.size());
    int oldActive = active_;
    if (active_ >= int(index) + removed)
        active_ -= removed;
    else if (active_ >= int(index))
        active_ = rows_.empty() ? -1 : std::max(int(index) - 1, 0);
    for (RowControl* r : gone) {
        RemoveControl(r);
        r->index_ = -1;
        r->HandleRemoved();
    }
    Reindex(index);
    HandleRowsChanged();
    LayoutRows();
    Invalidate();
    if (active_ != oldActive) HandleActiveRowChanged();
}

void ListControl::RemoveAllRows() {
    RemoveRows(0, GetRowCount());
    offset_ = 0;
}

void ListControl::Reindex(std::size_t from) {
    int offset = from > 0 ? rows_[from - 1]->offset_ + rows_[from - 1]->height_ : 0;
    for (std::size_t i = from; i < rows_.size(); ++i) {
        rows_[i]->index_ = int(i);
        rows_[i]->offset_ = offset;
        offset += rows_[i]->height_;
    }
}

int ListControl::GetRange() const { return rows_.empty() ? 0 : rows_.back()->offset_ + rows_.back()->height_; }

int ListControl::RowFromOffset(int offset) const {
    if (offset < 0 || offset >= GetRange()) return -1;
    auto it =
        std::upper_bound(rows_.begin(), rows_.end(), offset, [](int y, const RowControl* r) { return y < r->offset_; });
    return int(it - rows_.begin()) - 1;
}

void ListControl::SetActiveRow(int index) {
    if (rows_.empty())
        index = -1;
    else
        index = std::max(-1, std::min(index, int(rows_.size()) - 1));
    if (index == active_) return;
    if (RowControl* old = GetActiveRowPtr()) old->Invalidate();
    active_ = index;
    if (RowControl* now = GetActiveRowPtr()) {
        now->Invalidate();
        ClampInView(index);
    }
    HandleActiveRowChanged();
}

void ListControl::SetOffset(int offset) {
    offset = std::max(0, std::min(offset, GetRange() - GetPage()));
    if (offset == offset_) return;
    offset_ = offset;
    LayoutRows();
    Invalidate();
}

void ListControl::ClampInView(int index) {
    RowControl* r = GetRow(unsigned(index));
    if (!r || index < 0) return;
    if (r->offset_ < offset_)
        SetOffset(r->offset_);
    else if (r->offset_ + r->height_ > offset_ + GetPage())
        SetOffset(r->offset_ + r->height_ - GetPage());
}

void ListControl::UpdateScrollBar() {
    if (!Exists()) return;
    plat::ScrollInfo si;
    si.max = std::max(GetRange() - 1, 0);
    si.page = unsigned(std::max(GetPage(), 0));
    si.pos = offset_;
    SetScrollInfo(plat::SB_VERT, si);
}

void ListControl::LayoutRows() {
    if (inLayout_) return;
    inLayout_ = true;
    UpdateScrollBar();  // may show or hide the bar, and so change the width
    offset_ = std::max(0, std::min(offset_, GetRange() - GetPage()));
    if (Exists()) SetScrollPos(plat::SB_VERT, offset_);
    int width = ClientWidth();
    for (RowControl* r : rows_) r->SetBounds(CRect(0, r->offset_ - offset_, width, r->offset_ - offset_ + r->height_));
    inLayout_ = false;
}

void ListControl::RowHeightChanged(int index) {
    if (index < 0 || index >= int(rows_.size())) return;
    Reindex(std::size_t(index));
    LayoutRows();
    Invalidate();
}

void ListControl::HandleKeyDown(unsigned key, unsigned repeat, unsigned flags) {
    RowControl* row = GetActiveRowPtr();
    if (!row) return CustomWindow<plat::Wnd>::HandleKeyDown(key, repeat, flags);
    int last = int(rows_.size()) - 1;
    int target;
    switch (key) {
        case plat::VK_UP:
            target = std::max(active_ - 1, 0);
            break;
        case plat::VK_DOWN:
            target = std::min(active_ + 1, last);
            break;
        case plat::VK_HOME:
            target = 0;
            break;
        case plat::VK_END:
            target = last;
            break;
        case plat::VK_PRIOR: {
            int i = RowFromOffset(row->offset_ - GetPage());
            target = i < 0 ? 0 : i;
            break;
        }
        case plat::VK_NEXT: {
            int i = RowFromOffset(row->offset_ + GetPage());
            target = i < 0 ? last : i;
            break;
        }
        default:
            return row->HandleKeyDown(key, repeat, flags);
    }
    SetActiveRow(target);
}

void ListControl::OnVScroll(unsigned code, unsigned pos, plat::Wnd*) {
    int line = rows_.empty() ? 16 : rows_.front()->height_;
    switch (code) {
        case plat::SB_LINEUP:
            SetOffset(offset_ - line);
            break;
        case plat::SB_LINEDOWN:
            SetOffset(offset_ + line);
            break;
        case plat::SB_PAGEUP:
            SetOffset(offset_ - GetPage());
            break;
        case plat::SB_PAGEDOWN:
            SetOffset(offset_ + GetPage());
            break;
        case plat::SB_THUMBTRACK:
        case plat::SB_THUMBPOSITION:
            SetOffset(int(pos));
            break;
        case plat::SB_TOP:
            SetOffset(0);
            break;
        case plat::SB_BOTTOM:
            SetOffset(GetRange());
            break;
        default:
            break;
    }
}

void ListControl::OnSetFocus(plat::Wnd* old) {
    CustomWindow<plat::Wnd>::OnSetFocus(old);
    if (RowControl* r = GetActiveRowPtr()) r->Invalidate();
}

void ListControl::OnKillFocus(plat::Wnd* next) {
    CustomWindow<plat::Wnd>::OnKillFocus(next);
    if (RowControl* r = GetActiveRowPtr()) r->Invalidate();
}

}  // namespace Kor
