// The row list of the property editor: a ListControl of PropertyRows with
// the name splitter on top of the rows at the name column's right edge.
// While it handles an event (a press on a row's control, a key), the
// editor's busy count is up, so that rows closed meanwhile are freed only
// once the event is over.
#pragma once

#include "framework/property_editor/list_control.h"
#include "framework/property_editor/splitters.h"

#include <memory>

namespace Kor {

class PEditor;
class PropertyRow;

class PropertyList : public ListControl {
public:
    PropertyList(PEditor& editor, std::shared_ptr<int> busy);

    PEditor& GetEditor() const { return editor_; }
    PropertyRow* GetPropertyRow(unsigned index) const;
    PropertyRow* GetActivePropertyRow() const;
    VSplitter& GetNameSplitter() { return splitter_; }

    // Places the rows and the splitter.
    void LayoutControls() override;
    void ProcessEvent(Event& e) override;

protected:
    void HandleActiveRowChanged() override;
    void HandleRowsChanged() override;

private:
    PEditor& editor_;
    std::shared_ptr<int> busy_;
    VSplitter splitter_;
};

}  // namespace Kor
