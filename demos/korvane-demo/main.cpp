// korvane-demo: a small text program on Korvane's application framework.
//
//   korvane-demo [FILE]               opens the window (needs a display)
//   korvane-demo --report OUT [FILE]  also writes screen rectangles ("x y
//                                     width height") to OUT once the window is
//                                     shown: the colour box, the check box of
//                                     the "Line Numbers" property, the field
//                                     of the "Indent" property; and the view's
//                                     settings to OUT.settings whenever they
//                                     change ("numbers=0 indent=6")
//   korvane-demo --headless-png PNG   runs without a display: opens a text,
//                                     edits it through the menu, the line
//                                     field and the buttons, gives it a title
//                                     in the "Properties" panel, saves the
//                                     window as PNG and checks that it reacted
#include "demos/korvane-demo/demo_app.h"

#include "demos/korvane-demo/demo_strings.h"
#include "framework/app/command_ids.h"
#include "framework/events/timer.h"
#include "platform/headless/headless_backend.h"
#include "platform/paths.h"

#include <stdlib.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

namespace {

using demo::DemoApp;

int RunHeadless(const std::string& png) {
    // Removed when the run is over, after the application (which may still
    // write its settings) has gone.
    plat::TemporaryFolder temporary("korvane-demo");
    const std::string& folder = temporary.Path();
    if (folder.empty()) {
        std::cerr << "korvane-demo: cannot make a temporary folder\n";
        return 2;
    }
    // Settings of this run stay in the temporary folder.
    setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
    std::string text = folder + "/notes.txt";
    std::ofstream(text) << "Korvane demo\nthe quick brown fox\njumps over the lazy dog\n";

    DemoApp app(plat::BackendKind::Headless);
    if (!app.InitInstance()) return 2;
    auto& drv = plat::headless::Driver::Get();
    demo::DemoFrame& frame = app.GetFrame();
    drv.Resize(frame, plat::Size(760, 560));
    app.OpenDocumentFile(text.c_str());
    drv.Flush();
    drv.ChooseMenuCommand(frame, demo::ID_UPPER_CASE);
    // A new line typed into the line field, then added with the button.
    Kor::CPoint field = frame.line.text.GetWindowRect().Center();
    drv.Click(frame, field);
    drv.TypeText("Typed in place");
    drv.PressKey(plat::VK_RETURN);
    drv.Click(frame, frame.line.add.GetWindowRect().Center());
    drv.Click(frame, frame.line.numbers.GetWindowRect().Center());
    // A title typed into its row of the "Properties" panel, from the keys.
    Kor::PropertyList& properties = frame.properties.GetList();
    if (Kor::PropertyRow* title = frame.FindPropertyRow(demo::IDS_TITLE)) {
        properties.SetFocus();
        properties.SetActiveRow(title->GetRowIndex());
        drv.PressKey(plat::VK_RETURN);
        drv.TypeText("Notes");
        drv.PressKey(plat::VK_RETURN);
    }
    drv.MouseMove(frame, frame.toolBar.Buttons()[2]->GetWindowRect().Center());
    drv.Flush();
    if (!drv.SavePng(frame, png)) {
        std::cerr << "korvane-demo: cannot write " << png << "\n";
        return 2;
    }
    const auto& lines = app.GetDoc().Lines();
    bool reacted = lines.size() == 4 && lines[0] == "KORVANE DEMO" && lines[3] == "Typed in place" &&
                   drv.Title(frame) == "notes.txt * - Korvane Demo" && app.GetDoc().GetView().numbers &&
                   app.GetDoc().GetView().title == "Notes";
    std::cout << "korvane-demo: saved " << png << (reacted ? "" : " but the program did not react") << "\n";
    app.GetFrame().Destroy();
    return reacted ? 0 : 1;
}

// Writes where the colour box and two rows of the "Properties" panel are,
// once the window has been on the screen for a moment, and the view's
// settings whenever they change.
class Reporter : public Kor::EventListener {
public:
    Reporter(DemoApp& app, std::string path) : app_(app), path_(std::move(path)) {
        timer_.AddListener(this);
        timer_.Start();
        app_.GetDoc().AddListener(this);
    }
    ~Reporter() override {
        timer_.RemoveListener(this);
        app_.GetDoc().RemoveListener(this);
    }
    void ProcessEvent(Kor::Event& e) override {
        if (dynamic_cast<demo::TextDoc::ViewChange*>(&e)) return WriteSettings();
        if (!dynamic_cast<Kor::TimerEvent*>(&e)) return;
        timer_.Stop();
        demo::DemoFrame& f = app_.GetFrame();
        std::ofstream out(path_ + ".part");
        Write(out, f.ClientToScreen(f.line.colour.GetWindowRect()));
        Kor::PropertyRow* numbers = f.FindPropertyRow(demo::IDS_NUMBERS);
        Kor::PropertyRow* indent = f.FindPropertyRow(demo::IDS_INDENT);
        if (numbers && numbers->GetControl()) {
            auto* box = dynamic_cast<Kor::CheckBox*>(numbers->GetControl());
            plat::Rect r = box->BoxRect().Offsetted(box->GetWindowOffset());
            Write(out, f.properties.GetList().ClientToScreen(r));
        }
        if (indent && indent->GetControl())
            Write(out, f.properties.GetList().ClientToScreen(indent->GetControl()->GetWindowRect()));
        out.close();
        std::rename((path_ + ".part").c_str(), path_.c_str());
        WriteSettings();
    }

private:
    static void Write(std::ostream& out, const plat::Rect& r) {
        out << r.left << " " << r.top << " " << r.Width() << " " << r.Height() << "\n";
    }
    void WriteSettings() {
        const demo::ViewSettings& v = app_.GetDoc().GetView();
        std::ofstream(path_ + ".settings") << "numbers=" << (v.numbers ? 1 : 0) << " indent=" << v.indent << "\n";
    }

    DemoApp& app_;
    std::string path_;
    Kor::Timer timer_{700};
};

}  // namespace

int main(int argc, char** argv) {
    std::string report, png, file;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--report") && i + 1 < argc)
            report = argv[++i];
        else if (!std::strcmp(argv[i], "--headless-png") && i + 1 < argc)
            png = argv[++i];
        else if (argv[i][0] != '-' && file.empty())
            file = argv[i];
        else {
            std::cerr << "usage: korvane-demo [--report FILE] [--headless-png FILE] [TEXT-FILE]\n";
            return 2;
        }
    }
    if (!png.empty()) return RunHeadless(png);

    DemoApp app;
    if (!app.Ok()) {
        std::cerr << "korvane-demo: cannot open a display\n";
        return 1;
    }
    if (!app.InitInstance()) return 1;
    if (!file.empty()) app.OpenDocumentFile(file.c_str());
    std::unique_ptr<Reporter> reporter;
    if (!report.empty()) reporter = std::make_unique<Reporter>(app, report);
    return app.Run();
}
