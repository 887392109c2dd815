#include "framework/views/basic_view.h"

#include <algorithm>

namespace Kor {

BasicView::~BasicView() {
    // The tools belong to the layers above, which are gone by now.
    currentTool_ = temporaryTool_ = nullptr;
}

void BasicView::SetTool(Tool* tool) {
    if (tool == currentTool_) return;
    if (Tool* temporary = temporaryTool_) {
        temporaryTool_ = nullptr;
        temporary->Hide();
        if (currentTool_) currentTool_->Show();
        RefreshToolCursor();
        TemporaryToolChanged();
    }
    if (currentTool_) currentTool_->Deactivate();
    currentTool_ = tool;
    if (currentTool_) currentTool_->Activate();
    RefreshToolCursor();
    ToolChanged();
}

void BasicView::SetTemporaryTool(Tool* tool) {
    if (tool == temporaryTool_) return;
    if (Tool* before = GetEffectiveTool()) before->Hide();
    temporaryTool_ = tool;
    if (Tool* now = GetEffectiveTool()) now->Show();
    RefreshToolCursor();
    TemporaryToolChanged();
}

void BasicView::ForgetTool(Tool* tool) {
    if (!tool) return;
    if (temporaryTool_ == tool) SetTemporaryTool(nullptr);
    if (currentTool_ == tool) SetTool(nullptr);
}

void BasicView::DropTool(Tool* tool) {
    if (temporaryTool_ == tool) temporaryTool_ = nullptr;
    if (currentTool_ == tool) currentTool_ = nullptr;
}

void BasicView::RefreshToolCursor() {
    if (mouseInside_ && Exists()) RefreshCursor();
}

void BasicView::AddCommandTarget(plat::CmdTarget* target) {
    if (target && std::find(commandTargets_.begin(), commandTargets_.end(), target) == commandTargets_.end())
        commandTargets_.push_back(target);
}

void BasicView::RemoveCommandTarget(plat::CmdTarget* target) {
    commandTargets_.erase(std::remove(commandTargets_.begin(), commandTargets_.end(), target), commandTargets_.end());
}

void BasicView::CaptureMouse() {
    if (GetParent())
        Window::CaptureMouse();
    else
        SetCaptureControl(this);
}

void BasicView::ReleaseMouse() {
    if (GetParent())
        Window::ReleaseMouse();
    else
        SetCaptureControl(nullptr);
}

void BasicView::TakeFocus() {
    if (Exists() && !HasFocus()) SetFocus();
}

void BasicView::HandleKeyDown(unsigned key, unsigned repeat, unsigned flags) {
    if (Tool* t = GetEffectiveTool()) t->OnKeyDown(key, repeat, flags);
}

void BasicView::HandleKeyUp(unsigned key, unsigned repeat, unsigned flags) {
    if (Tool* t = GetEffectiveTool()) t->OnKeyUp(key, repeat, flags);
}

void BasicView::HandleLeftDoubleClick(unsigned flags, const CPoint& p) {
    TakeFocus();
    if (Tool* t = GetEffectiveTool()) t->OnLButtonDblClk(flags, p);
}

void BasicView::HandleLeftDown(unsigned flags, const CPoint& p) {
    TakeFocus();
    if (Tool* t = GetEffectiveTool()) t->OnLButtonDown(flags, p);
}

void BasicView::HandleLeftUp(unsigned flags, const CPoint& p) {
    if (Tool* t = GetEffectiveTool()) t->OnLButtonUp(flags, p);
}

void BasicView::HandleMouseMove(unsigned flags, const CPoint& p) {
    if (Tool* t = GetEffectiveTool()) t->OnMouseMove(flags, p);
}

void BasicView::HandleMouseEnter(unsigned flags, const CPoint& p) {
    mouseInside_ = true;
    if (Tool* t = GetEffectiveTool()) t->OnMouseEnter(flags, p);
}

void BasicView::HandleMouseLeave() {
    mouseInside_ = false;
    if (Tool* t = GetEffectiveTool()) t->OnMouseLeave();
}

void BasicView::HandleRightDoubleClick(unsigned flags, const CPoint& p) {
    TakeFocus();
    if (Tool* t = GetEffectiveTool()) t->OnRButtonDblClk(flags, p);
}

void BasicView::HandleRightDown(unsigned flags, const CPoint& p) {
    TakeFocus();
    if (Tool* t = GetEffectiveTool()) t->OnRButtonDown(flags, p);
}

void BasicView::HandleRightUp(unsigned flags, const CPoint& p) {
    if (Tool* t = GetEffectiveTool()) t->OnRButtonUp(flags, p);
}

void BasicView::KeyboardLost() {
    SetTemporaryTool(nullptr);
    if (Tool* t = GetEffectiveTool()) t->OnKeyboardLost();
}

bool BasicView::OnSetCursor(plat::Wnd* wnd, unsigned hitTest, unsigned message) {
    if (wnd == this && hitTest == plat::HTCLIENT)
        if (Tool* t = GetEffectiveTool(); t && t->OnSetCursor(wnd, hitTest, message)) return true;
    return Window::OnSetCursor(wnd, hitTest, message);
}

void BasicView::OnKillFocus(plat::Wnd* next) {
    Window::OnKillFocus(next);
    KeyboardLost();
}

void BasicView::OnCaptureChanged(plat::Wnd* next) {
    // Released through ReleaseMouse, the capture is already forgotten; still
    // held, it was taken away.
    bool taken = GetCaptureControl() != nullptr && next != this;
    Window::OnCaptureChanged(next);
    if (taken)
        if (Tool* t = GetEffectiveTool()) t->OnCaptureLost();
}

void BasicView::OnDestroy() {
    mouseInside_ = false;
    Window::OnDestroy();
}

bool BasicView::OnCmdMsg(unsigned id, int code, plat::CmdUI* ui) {
    if (Window::OnCmdMsg(id, code, ui)) return true;
    Tool* effective = GetEffectiveTool();
    if (effective && effective->OnCmdMsg(id, code, ui)) return true;
    if (currentTool_ && currentTool_ != effective && currentTool_->OnCmdMsg(id, code, ui)) return true;
    for (plat::CmdTarget* t : std::vector<plat::CmdTarget*>(commandTargets_))
        if (t->OnCmdMsg(id, code, ui)) return true;
    return false;
}

}  // namespace Kor
