// The program on the headless backend, driven as a user drives it: menus,
// keys, the tool bar, the pointer over the view, the clipboard. Settings go
// to a temporary folder.
#pragma once

#include "app/vexilo.h"
#include "app/vexilo_strings.h"
#include "framework/app/command_ids.h"
#include "platform/cmd_target.h"
#include "platform/headless/headless_backend.h"
#include "tests/platform/temp_folder.h"

#include <gtest/gtest.h>

#include <string>

namespace apptest {

// The state a menu item or tool button would show for a command.
struct CommandState {
    bool enabled = false;
    int check = 0;
    std::string text;
};

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(app.InitInstance());
        drv.Resize(frame(), plat::Size(900, 640));
        drv.Flush();
    }
    void TearDown() override { drv.ClearMessageBoxes(); }

    MainFrame& frame() { return app.GetFrame(); }
    ChildView& view() { return frame().view; }

    // File › Open with the dialog answered.
    void Open(const std::string& path) {
        drv.AnswerFileDialog(path);
        ASSERT_TRUE(drv.ChooseMenuCommand(frame(), Kor::ID_FILE_OPEN));
        drv.Flush();
    }
    CommandState State(unsigned id) {
        plat::CmdUI ui(id);
        static_cast<plat::CmdTarget&>(frame()).OnCmdMsg(id, plat::CN_UPDATE_COMMAND_UI, &ui);
        return {ui.EnableWasSet() && ui.IsEnabled(), ui.GetCheck(), ui.GetText()};
    }
    // Idle time: the tool bar asks for its buttons' states.
    void Idle() {
        app.GetBackend().RequestIdle();
        drv.Flush();
    }
    // The view's window point over a node of the polyline.
    Kor::CPoint OverNode(std::size_t i) {
        const outline::node& n = app.GetDoc().GetPolyline().at(i);
        return view().ToWindow(types::point<float>(n.x, n.y));
    }
    std::string Clipboard() const {
        std::string text = drv.ClipboardText(), out;
        for (char c : text)
            if (c != '\r') out += c;  // the clipboard's line ends are CR LF
        return out;
    }

    plattest::ConfigHome config;
    Vexilo app{plat::BackendKind::Headless};
    plat::headless::Driver& drv = plat::headless::Driver::Get();
};

}  // namespace apptest
