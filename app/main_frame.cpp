#include "app/main_frame.h"

#include "app/about.h"
#include "app/doc.h"
#include "app/vexilo_strings.h"
#include "fitting/svg_text.h"
#include "framework/app/app_base.h"
#include "framework/app/command_ids.h"
#include "framework/views/view_command_ids.h"
#include "platform/file_dialog.h"
#include "platform/paths.h"

#include <cstdio>
#include <fstream>
#include <stdexcept>

namespace {
std::string S(unsigned id) { return Kor::AppBase::LoadString(id); }
}  // namespace

MainFrame::MainFrame(Doc& doc)
    : Kor::Frame(doc), view(doc), toolsPanel(*this, toolBar, 4), propertiesPanel(*this, propertyEditor, 0), doc_(doc) {
    // Kor::Frame listens to the document already (ProcessEvent below).
    // The program has no use for the bottom bar.
    if (IsBottomVisible()) ToggleBottomVisible();
    toolBar.SetButtonSize(Kor::CSize(kToolButtonSize, kToolButtonSize));
    toolBar.AddButton(Kor::ID_TOOL_HAND, "TOOL_HAND", "TOOL_HAND_MASK");
    toolBar.AddButton(Kor::ID_TOOL_ZOOM, "TOOL_ZOOM", "TOOL_ZOOM_MASK");
    toolBar.AddSeparator();
    toolBar.AddButton(ID_TOOL_PIN, "TOOL_PIN", "TOOL_PIN_MASK");
    toolsPanel.SetCaption(S(IDS_TOOLS_CAPTION));
    toolsPanel.SetAlignment(Kor::Panel::Fill);
    GetToolBar().AddPanel(toolsPanel);
    propertiesPanel.SetCaption(S(IDS_PROPERTIES_CAPTION));
    propertiesPanel.SetAlignment(Kor::Panel::Fill);
    GetRightBar().AddPanel(propertiesPanel);
    view.SetIndicatorSink([this](const std::string& text) { GetStatusBar().SetIndicator(text); });
    if (!doc.IsEmpty()) propertyEditor.Open(&doc);
}

MainFrame::~MainFrame() {
    if (Exists()) Destroy();
}

bool MainFrame::OnCreate() {
    if (!Kor::Frame::OnCreate()) return false;
    if (!view.Create(this, Kor::CRect(), plat::WS_CHILD | plat::WS_VISIBLE | plat::WS_BORDER, Kor::AFX_IDW_PANE_FIRST))
        return false;
    ModifyExStyle(0, plat::WS_EX_ACCEPTFILES);
    RecalcLayout();
    GetStatusBar().SetIndicator(view.IndicatorText());
    return true;
}

void MainFrame::OnDropFiles(const std::vector<std::string>& paths) {
    if (Kor::AppBase* app = Kor::GetApp()) app->OpenDocumentFile(paths.front().c_str());
}

void MainFrame::ProcessEvent(Kor::Event& e) {
    // The pins take part in the rows' visibility as much as the curve does.
    if (dynamic_cast<Doc::PolyBezierChange*>(&e) || dynamic_cast<Doc::AreasChange*>(&e)) {
        propertyEditor.Update();
        return;
    }
    if (dynamic_cast<Kor::Doc::FileNameChange*>(&e)) {
        if (doc_.IsEmpty())
            propertyEditor.Close();
        else
            propertyEditor.Open(&doc_);
    }
    // The title follows the file name.
    Kor::Frame::ProcessEvent(e);
}

// --- Commands ---

const plat::CommandTable* MainFrame::GetCommandTable() const {
    using T = plat::CommandTable;
    static const T table(nullptr, {
                                      T::Command(Kor::ID_APP_ABOUT, &MainFrame::OnAbout),
                                      T::Command(ID_POLYBEZIER_EXPORT_SVG, &MainFrame::OnExportSvg),
                                      T::Update(ID_POLYBEZIER_EXPORT_SVG, &MainFrame::OnUpdateExportSvg),
                                  });
    return &table;
}

void MainFrame::OnAbout() {
    AboutDlg about;
    about.DoModal(this);
}

void MainFrame::OnUpdateExportSvg(plat::CmdUI* ui) {
    // The SVG's page is the mask's: a curve kept after Close has none.
    ui->Enable(doc_.HasCurve() && !doc_.IsEmpty());
}

void MainFrame::OnExportSvg() {
    if (!doc_.HasCurve() || doc_.IsEmpty()) return;
    plat::FileDialog dlg;
    dlg.open = false;
    dlg.title = S(IDS_EXPORT_TITLE);
    dlg.filter = S(IDS_EXPORT_FILTER);
    dlg.defaultExt = S(IDS_EXPORT_DEFAULT_EXT);
    std::string mask = doc_.GetFileName();
    std::string::size_type dot = mask.rfind('.'), slash = mask.rfind('/');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) mask.erase(dot);
    dlg.initialPath = mask + "." + dlg.defaultExt;
    dlg.flags = plat::OFN_OVERWRITEPROMPT | plat::OFN_HIDEREADONLY | plat::OFN_ENABLESIZING;
    if (!dlg.Run(this)) return;
    ExportSvg(dlg.Path());
}

void MainFrame::ExportSvg(const std::string& path) {
    Kor::BeginActivity(S(IDS_EXPORTING_CURVE));
    std::string text = outline::svg_text(doc_.GetControlPoints(), doc_.GetBitmapWidth(), doc_.GetBitmapHeight());
    // Written beside the target and renamed over it: a failed write leaves
    // the file that was there.
    std::string part = path + ".part";
    bool written = false;
    {
        std::ofstream out(part, std::ios::binary | std::ios::trunc);
        written = out && (out << text) && out.flush();
    }
    if (!written || std::rename(part.c_str(), path.c_str()) != 0) {
        std::remove(part.c_str());
        throw std::runtime_error(Kor::FormatText(S(IDS_CANNOT_WRITE), plat::DisplayName(path)));
    }
    Kor::EndActivity();
}
