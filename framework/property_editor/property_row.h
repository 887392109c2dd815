// A row of the property editor: the name of a property in the name column
// (indented by its level, with the expander of a row that has rows below
// it) and the control the property made for the edited objects in the
// column to the right. It owns its child rows, one per sub-property, and
// hands its control back to the property when it goes.
//
// Expansion: Expand puts the child rows into the list right after the row
// and expands again each child that was expanded when the row last
// collapsed; Collapse takes them out, remembering in each child whether it
// was expanded. A row without children neither expands nor collapses. What
// the user does (Toggle) is marked, and only then does the editor remember
// the row's state for its property at Close.
#pragma once

#include "framework/property_editor/row_control.h"
#include "framework/windows/container.h"

#include <string>
#include <vector>

namespace Kor {

class PEditor;
class PropertyBase;
class PropertyList;

class PropertyRow : public StdRowControl, public Container {
public:
    static constexpr int kIndent = 13;       // of a top-level row's name
    static constexpr int kLevelIndent = 16;  // more for each level
    static constexpr int kExpanderWidth = 11;

    PropertyRow(PEditor& editor, PropertyList& list, std::string name, PropertyBase& property, PropertyRow* parent);
    ~PropertyRow() override;

    PropertyBase& GetProperty() const { return property_; }
    const std::string& GetName() const { return name_; }
    Widget* GetControl() const { return control_; }
    PropertyRow* GetParentRow() const { return parent_; }
    const std::vector<PropertyRow*>& GetChildRows() const { return children_; }

    bool IsExpandable() const override { return !children_.empty(); }
    bool IsExpanded() const override { return expanded_; }
    void Expand() override;
    void Collapse() override;
    int GetLevel() const override { return parent_ ? parent_->GetLevel() + 1 : 0; }
    // The user expands or collapses the row.
    void Toggle();
    bool ToggledByUser() const { return toggled_; }
    bool WasExpanded() const { return wasExpanded_; }
    void SetWasExpanded(bool expanded) { wasExpanded_ = expanded; }
    // Tells the editor the state of this row and of those below it, for
    // the rows the user toggled (while the rows are still in the list).
    void RecordExpansion() const;

    // Where the name starts, and the expander's box (row coordinates).
    int NameIndent() const { return kIndent + kLevelIndent * GetLevel(); }
    CRect ExpanderRect() const;
    // Makes this row the active row and gives the list the keys.
    void Activate();

    void LayoutControls() override;
    void ProcessEvent(Event& e) override;
    void HandleLeftDown(unsigned flags, const CPoint& p) override;
    void HandleLeftDoubleClick(unsigned flags, const CPoint& p) override;
    void HandleKeyDown(unsigned key, unsigned repeat, unsigned flags) override;
    void HandlePaint(CDC* dc, const CRect& rect) override;
    void HandleRemoved() override;

private:
    PEditor& editor_;
    PropertyList& list_;
    std::string name_;
    PropertyBase& property_;
    Widget* control_ = nullptr;
    PropertyRow* parent_;
    std::vector<PropertyRow*> children_;
    bool expanded_ = false, toggled_ = false, wasExpanded_ = false;
};

}  // namespace Kor
