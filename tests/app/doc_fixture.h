// The program's document in a headless application, with a small frame
// that shows the document's rows in a property editor (as the program's
// frame does), the masks the tests open, and the batch command as the
// oracle of every curve.
#pragma once

#include "app/doc.h"
#include "framework/app/app.h"
#include "framework/frame/frame.h"
#include "framework/frame/widget_panel.h"
#include "framework/progress/progress_dlg.h"
#include "framework/property_editor/p_editor.h"
#include "framework/property_editor/property_row.h"
#include "platform/headless/headless_backend.h"
#include "tests/cli/run_program.h"
#include "tests/platform/temp_folder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace apptest {

// A frame with the "Properties" panel at the right, open on the document.
class TestFrame : public Kor::Frame {
public:
    explicit TestFrame(Doc& doc) : Kor::Frame(doc), propertiesPanel(*this, properties, 0) {
        propertiesPanel.SetAlignment(Kor::Panel::Fill);
        GetRightBar().AddPanel(propertiesPanel);
        properties.Open(&doc);
    }
    ~TestFrame() override {
        properties.Close();
        if (Exists()) Destroy();
    }
    Kor::PEditor properties;
    Kor::WidgetPanel propertiesPanel;
};

using TestApp = Kor::App<Doc, TestFrame>;

// The path of an example mask or pins file of the repository.
std::string Example(const std::string& name);
// A mask drawn as text ('#' set) written as a BMP into the test's folder.
std::string MaskFile(const std::vector<std::string>& art, const std::string& name);

// vexilo-fit's control points for the file with the arguments (empty when
// it found no curve); fails the test when it cannot run.
std::string FitText(const std::vector<std::string>& args);

class DocTest : public ::testing::Test {
protected:
    plattest::ConfigHome config;
    TestApp app{plat::BackendKind::Headless};
    plat::headless::Driver& drv = plat::headless::Driver::Get();
    Doc& doc = app.GetDoc();

    void SetUp() override {
        ASSERT_TRUE(app.InitApplication());
        drv.Resize(app.GetFrame(), plat::Size(900, 640));
        drv.Flush();
    }
    void Open(const std::string& path) { ASSERT_TRUE(app.OpenFile(path, 0)) << path; }
    std::vector<std::string> Messages() const {
        std::vector<std::string> out;
        for (const auto& m : drv.MessageBoxes()) out.push_back(m.text);
        return out;
    }
    bool Enabled(unsigned id) {
        plat::CmdUI ui(id);
        doc.OnCmdMsg(id, plat::CN_UPDATE_COMMAND_UI, &ui);
        return ui.IsEnabled();
    }
    // The progress dialog while a build runs, else null.
    Kor::ProgressDlg* Progress() {
        for (plat::Wnd* w : app.TopLevels())
            if (auto* p = dynamic_cast<Kor::ProgressDlg*>(w)) return p;
        return nullptr;
    }
    // The property editor's row of that name (the first one), or null.
    Kor::PropertyRow* Row(const std::string& name, int level = -1) {
        Kor::PropertyList& list = app.GetFrame().properties.GetList();
        for (unsigned i = 0; i < list.GetRowCount(); ++i) {
            Kor::PropertyRow* r = list.GetPropertyRow(i);
            if (r->GetName() == name && (level < 0 || r->GetLevel() == level)) return r;
        }
        return nullptr;
    }
};

}  // namespace apptest
