// MainFrame: the program's main window. Around the workbench view (the
// central pane) it shows a "Tools" panel with the tool bar (hand, zoom,
// pin) at the left and a "Properties" panel with the document's property
// editor at the right; the bottom bar stays hidden. The editor shows the
// document while a file is open and re-reads its rows whenever the curve
// or the pins change (the rows' visibility follows both). The frame also
// shows the About box, exports the curve as SVG, opens a mask dropped on
// the window and keeps the status bar's indicator (zoom, pointer).
#pragma once

#include "app/child_view.h"
#include "framework/controls/tool_bar.h"
#include "framework/frame/frame.h"
#include "framework/frame/widget_panel.h"
#include "framework/property_editor/p_editor.h"

#include <string>
#include <vector>

class Doc;

class MainFrame : public Kor::Frame {
public:
    static constexpr int kToolButtonSize = 21;

    explicit MainFrame(Doc& doc);
    ~MainFrame() override;

    ChildView view;
    Kor::ToolBar toolBar;
    Kor::WidgetPanel toolsPanel;
    Kor::PEditor propertyEditor;
    Kor::WidgetPanel propertiesPanel;

    plat::Wnd* GetView() const override { return const_cast<ChildView*>(&view); }
    void ProcessEvent(Kor::Event& e) override;

    // Writes the curve as an SVG document to `path`; throws with a readable
    // message when the file cannot be written.
    void ExportSvg(const std::string& path);

protected:
    bool OnCreate() override;
    // A mask dropped on the window is opened (the first of several files).
    void OnDropFiles(const std::vector<std::string>& paths) override;
    const plat::CommandTable* GetCommandTable() const override;

private:
    void OnAbout();
    void OnExportSvg();
    void OnUpdateExportSvg(plat::CmdUI* ui);

    Doc& doc_;
};
