// The main window of a Korvane application. Around the application's view
// (the child window AFX_IDW_PANE_FIRST) it lays out the tool bar at the
// left, the right and bottom panel bars with their splitters and grips,
// and the status bar. It listens to the document to keep its title
// ("name.ext * - App"), offers commands to the view first (its layers and
// tools), then to the document, then to its own controls and the
// application, hands the view the keyboard focus when it gets it itself,
// remembers its layout in the profile section "Layout", and closes only
// when the document closes.
#pragma once

#include "framework/frame/bar_resizers.h"
#include "framework/frame/panel_bar.h"
#include "framework/frame/status_bar.h"
#include "framework/windows/custom_window.h"
#include "platform/accel.h"
#include "platform/menu.h"

#include <memory>
#include <string>
#include <vector>

namespace Kor {

class Doc;

class Frame : public CustomWindow<plat::Wnd> {
public:
    static constexpr int kSplitterSize = 5;

    explicit Frame(Doc& doc);
    ~Frame() override;

    Doc& GetDoc() const { return doc_; }
    PanelBar& GetToolBar() { return toolBar_; }
    PanelBar& GetRightBar() { return rightBar_; }
    PanelBar& GetBottomBar() { return bottomBar_; }
    StatusBar& GetStatusBar() { return statusBar_; }

    void ToggleRightVisible();
    void ToggleBottomVisible();
    bool IsRightVisible() const { return rightVisible_; }
    bool IsBottomVisible() const { return bottomVisible_; }
    bool IsStatusBarVisible() const { return statusBar_.Visible(); }
    void SetStatusBarVisible(bool visible);
    int GetRightWidth() const { return rightWidth_; }
    int GetBottomHeight() const { return bottomHeight_; }
    // Sets the bars' sizes and visibility, each size limited so that the
    // view keeps 20 pixels and at least 10 and the bar's minimum size.
    void SetSplit(int rightWidth, int bottomHeight, bool rightVisible, bool bottomVisible);
    // Places the bars, the view, the splitters and the status bar;
    // `notify`: and repaints the window now.
    void RecalcLayout(int notify = 1);
    void UpdateTitle();
    // The view's place in the last layout (client coordinates).
    CRect GetViewRect() const { return viewRect_; }
    // The application's view: by default the child window
    // AFX_IDW_PANE_FIRST. Commands and the focus go to it.
    virtual plat::Wnd* GetView() const;
    virtual CSize GetPreferredViewSize() const { return CSize(); }
    // More targets that get the commands after the view and before the
    // document (an editor working on the view), in the order added. Not
    // owned; a target removes itself before it goes.
    void AddCommandTarget(plat::CmdTarget* target);
    void RemoveCommandTarget(plat::CmdTarget* target);

    // The font of every control of the frame.
    const CFont* Font() const override { return &font_; }
    // The status bar's text (a prompt; empty: the idle message).
    void SetMessageText(const std::string& text);
    // Closes as the close button does: only once the document is closed.
    void RequestClose();

    void ProcessEvent(Event& e) override;
    void LayoutControls() override { RecalcLayout(0); }

protected:
    bool OnCreate() override;
    void OnDestroy() override;
    void OnClose() override { RequestClose(); }
    bool OnCmdMsg(unsigned id, int code, plat::CmdUI* ui) override;
    void OnMenuSelect(unsigned id) override;
    void OnSetFocus(plat::Wnd* old) override;

private:
    friend class AppBase;

    Doc& doc_;
    CFont font_;
    ToolPanelBar toolBar_;
    RightPanelBar rightBar_;
    BottomPanelBar bottomBar_;
    StatusBar statusBar_;
    RightSplitter rightSplitter_;
    BottomSplitter bottomSplitter_;
    RightGrip rightGrip_;
    BottomGrip bottomGrip_;
    CornerGrip cornerGrip_;
    int rightWidth_ = 0, bottomHeight_ = 0;
    bool rightVisible_ = false, bottomVisible_ = false;
    bool inLayout_ = false;
    CRect viewRect_;
    std::unique_ptr<plat::Menu> menu_;
    std::unique_ptr<plat::AccelTable> accel_;
    std::vector<plat::CmdTarget*> commandTargets_;
};

}  // namespace Kor
