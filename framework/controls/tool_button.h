// A button of a tool bar: a command number and a glyph. Its enabled and
// ticked states and its tool tip come from the command's state handler
// (through ToolButtonCmdUI); a click sends the command to the window.
#pragma once

#include "framework/controls/button.h"
#include "framework/controls/grayed_glyph.h"
#include "framework/controls/sys_color_glyph.h"
#include "platform/cmd_target.h"

#include <string>

namespace Kor {

class ToolButton : public Button {
public:
    ToolButton(unsigned command, const std::string& glyph, const std::string& mask = std::string());

    unsigned GetCommand() const { return command_; }
    bool IsTicked() const { return ticked_; }
    void SetTicked(bool ticked);
    // The tool tip: the text a state handler set, else the command's tip.
    void SetHint(const std::string& hint) { hint_ = hint; }
    std::string HintText() const override;

    void HandleClick() override;
    void HandleMouseEnter(unsigned flags, const CPoint& p) override;
    void HandleMouseLeave() override;
    void HandleLeftDown(unsigned flags, const CPoint& p) override;
    void HandlePaint(CDC* dc, const CRect& rect) override;

private:
    unsigned command_;
    SysColorGlyph glyph_;
    GrayedGlyph grayed_;
    bool ticked_ = false;
    std::string hint_;
};

// The state of one tool button as the command-state handlers report it.
class ToolButtonCmdUI : public plat::CmdUI {
public:
    explicit ToolButtonCmdUI(ToolButton& b) : plat::CmdUI(b.GetCommand()), button_(b) {}
    void Enable(bool on = true) override;
    void SetCheck(int check = 1) override;
    void SetRadio(bool on = true) override;
    void SetText(const std::string& text) override;

private:
    ToolButton& button_;
};

}  // namespace Kor
