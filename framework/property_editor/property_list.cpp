#include "framework/property_editor/property_list.h"

#include "framework/property_editor/p_editor.h"
#include "framework/property_editor/property_row.h"

namespace Kor {

namespace {
constexpr int kSplitterHalf = 2;
}

PropertyList::PropertyList(PEditor& editor, std::shared_ptr<int> busy) : editor_(editor), busy_(std::move(busy)) {
    AddControl(&splitter_);
}

PropertyRow* PropertyList::GetPropertyRow(unsigned index) const { return static_cast<PropertyRow*>(GetRow(index)); }

PropertyRow* PropertyList::GetActivePropertyRow() const { return static_cast<PropertyRow*>(GetActiveRowPtr()); }

void PropertyList::LayoutControls() {
    ListControl::LayoutControls();
    int x = editor_.GetCaptionWidth();
    splitter_.SetBounds(CRect(x - kSplitterHalf, 0, x + kSplitterHalf, ClientHeight()));
    for (unsigned i = 0; i < GetRowCount(); ++i) GetRow(i)->Invalidate();
    for (unsigned i = 0; i < GetRowCount(); ++i)
        if (auto* row = GetPropertyRow(i)) row->LayoutControls();
}

void PropertyList::ProcessEvent(Event& e) {
    std::shared_ptr<int> busy = busy_;  // the list may go away meanwhile
    ++*busy;
    ListControl::ProcessEvent(e);
    --*busy;
}

void PropertyList::HandleActiveRowChanged() { editor_.InvalidateInfo(); }

void PropertyList::HandleRowsChanged() {
    // The splitter stays above the rows.
    RemoveControl(&splitter_);
    AddControl(&splitter_);
}

}  // namespace Kor
