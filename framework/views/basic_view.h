// BasicView: the bottom layer of the view family, a platform view that owns
// no image yet but hosts the tools. It keeps the current tool and, while
// modifier keys are held, a temporary tool; the effective tool (the
// temporary one when set, else the current one) gets the view's keys, the
// pointer in client coordinates, the cursor requests and the commands the
// view does not take itself. The view takes the keyboard focus at every
// button press, so that the tools' keys reach it.
//
// The layers above (Workbench, OffscreenView, PanView, ZoomView and the
// program's own view) hear of tool changes through ToolChanged and
// TemporaryToolChanged.
#pragma once

#include "framework/views/tool.h"
#include "framework/windows/window.h"
#include "platform/wnd.h"

#include <vector>

namespace Kor {

class BasicView : public Window<plat::Wnd> {
public:
    BasicView() = default;
    ~BasicView() override;

    // Makes `tool` (or none) the current tool: a temporary tool gives way
    // first (Hide it, Show the current one), then the old current tool is
    // deactivated and the new one activated; the cursor follows when the
    // pointer is over the view.
    void SetTool(Tool* tool);
    // Makes `tool` (or none) the temporary tool: the tool that was in charge
    // hides, the one now in charge shows.
    void SetTemporaryTool(Tool* tool);
    Tool* GetTool() const { return currentTool_; }
    Tool* GetTemporaryTool() const { return temporaryTool_; }
    Tool* GetEffectiveTool() const { return temporaryTool_ ? temporaryTool_ : currentTool_; }
    // A tool that goes away stops being the current or the temporary tool
    // (deselected as SetTool and SetTemporaryTool do).
    void ForgetTool(Tool* tool);

    // The pointer is over the client area (between its first move there and
    // the leave notification).
    bool IsMouseInside() const { return mouseInside_; }
    // Asks the window to set its cursor again for its client area (which
    // ends in the effective tool's OnSetCursor); only while the pointer is
    // over the view, so that a key pressed elsewhere changes no cursor.
    void RefreshToolCursor();

    // More targets that the view offers the commands it and its tools do
    // not take (an editor working on the view). Not owned.
    void AddCommandTarget(plat::CmdTarget* target);
    void RemoveCommandTarget(plat::CmdTarget* target);

    // A view at the top of its control tree captures the pointer itself.
    void CaptureMouse() override;
    void ReleaseMouse() override;

    void HandleKeyDown(unsigned key, unsigned repeat, unsigned flags) override;
    void HandleKeyUp(unsigned key, unsigned repeat, unsigned flags) override;
    void HandleLeftDoubleClick(unsigned flags, const CPoint& p) override;
    void HandleLeftDown(unsigned flags, const CPoint& p) override;
    void HandleLeftUp(unsigned flags, const CPoint& p) override;
    void HandleMouseMove(unsigned flags, const CPoint& p) override;
    void HandleMouseEnter(unsigned flags, const CPoint& p) override;
    void HandleMouseLeave() override;
    void HandleRightDoubleClick(unsigned flags, const CPoint& p) override;
    void HandleRightDown(unsigned flags, const CPoint& p) override;
    void HandleRightUp(unsigned flags, const CPoint& p) override;

protected:
    // For the destructors of the layers that own tools: the view goes away,
    // so the tool is dropped without a word to any tool (the others may be
    // gone already).
    void DropTool(Tool* tool);
    // Notifications to the layers above.
    virtual void ToolChanged() {}
    virtual void TemporaryToolChanged() {}
    // The view lost the keyboard (the focus went elsewhere, or with the
    // window's activation): the temporary tool goes, the effective tool
    // forgets the keys it thought held.
    virtual void KeyboardLost();

    bool OnSetCursor(plat::Wnd* wnd, unsigned hitTest, unsigned message) override;
    void OnKillFocus(plat::Wnd* next) override;
    void OnCaptureChanged(plat::Wnd* next) override;
    void OnDestroy() override;
    bool OnCmdMsg(unsigned id, int code, plat::CmdUI* ui) override;

private:
    void TakeFocus();

    Tool* currentTool_ = nullptr;
    Tool* temporaryTool_ = nullptr;
    bool mouseInside_ = false;
    std::vector<plat::CmdTarget*> commandTargets_;
};

}  // namespace Kor
