// A bar of tool buttons, laid out in rows from the left, wrapping where the
// bar ends; a separator leaves a gap. At idle time it asks the command
// routing of its window for each button's state.
#pragma once

#include "framework/controls/tool_button.h"
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

    // The rows wrap at this width in the preferred size (0: one row).
    void SetMaxRowWidth(int width) { maxRowWidth_ = width; }
    // The buttons in rows no wider than the maximum row width.
    CSize PreferredSize() const override;
    void LayoutControls() override;
    void HandleUpdateUI() override;
    void HandlePaint(CDC* dc, const CRect& rect) override;

private:
    // Places the items in rows of `width`; gives the size they take.
    CSize Flow(int width, bool place) const;

    CSize buttonSize_{23, 22};
    int maxRowWidth_ = 0;
    std::vector<std::unique_ptr<ToolButton>> items_;  // null: a separator
};

}  // namespace Kor
