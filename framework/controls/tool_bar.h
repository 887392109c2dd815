// A bar of tool buttons, laid out in rows from the left, wrapping where the
// bar ends; a separator leaves a gap. At idle time it asks the command
// routing of its window for each button's state.
#pragma once

#include "tool_button.h"
#include "framework/windows/container.h"
#include "framework/windows/widget.h"

#include <memory>
#include <string>
#include <vector>

namespace Kor {

class ToolBar : public Widget, public Container {
public:
    static constexpr int kSeparatorWidth = 6;

    void SetButtonSize(CSize s);
    CSize GetButtonSize() const { return buttonSize_; }
    ToolButton& AddButton(unsigned command, const std::string& glyph, const std::string& mask = std::string());
    void AddSeparator();
    // The buttons, in order (without the separators).
    std::vector<ToolButton*> Buttons() const;
    ToolButton* FindButton(unsigned command) const;

    // All buttons in one row.
    CSize PreferredSize() const override;
    void LayoutControls() override;
    void HandleUpdateUI() override;
    void HandlePaint(CDC* dc, const CRect& rect) override;

private:
    CSize buttonSize_{23, 22};
    std::vector<std::unique_ptr<ToolButton>> items_;  // null: a separator
};

}  // namespace Kor
