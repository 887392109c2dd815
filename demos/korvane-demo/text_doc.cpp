#include "demos/korvane-demo/text_doc.h"

#include "demos/korvane-demo/demo_strings.h"
#include "framework/app/app_base.h"
#include "framework/progress/progress_dlg.h"
#include "platform/app.h"
#include "platform/message_box.h"

#include <cctype>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace demo {

namespace {
std::string S(unsigned id) { return Kor::AppBase::LoadString(id); }
}  // namespace

void TextDoc::SetLines(std::vector<std::string> lines) {
    lines_ = std::move(lines);
    TextChange e(this);
    Dispatch(e);
    PropertiesChanged();  // the number of lines
}

void TextDoc::SetView(const ViewSettings& view) {
    view_ = view;
    ViewChange e(this);
    Dispatch(e);
    PropertiesChanged();
}

void TextDoc::New() {
    untitled_ = true;
    SetLines({});
    FileNameChange e(this);
    Dispatch(e);
}

void TextDoc::Close() {
    untitled_ = false;
    Kor::Doc::Close();
    SetLines({});
}

void TextDoc::DoOpen(const std::string& path, int) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error(Kor::FormatText(S(IDS_CANNOT_READ), path));
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    untitled_ = false;
    SetLines(std::move(lines));
}

void TextDoc::DoSave(const std::string& path) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (const std::string& l : lines_) out << l << '\n';
    out.close();
    if (!out) throw std::runtime_error(Kor::FormatText(S(IDS_CANNOT_WRITE), path));
}

long TextDoc::CountWords() {
    Kor::BeginActivity(S(IDS_COUNTING_WORDS));
    plat::App* app = plat::App::Instance();
    Kor::ProgressDlg progress(app ? app->GetMainWnd() : nullptr, true);
    progress.SetText(S(IDS_COUNTING_CAPTION));
    progress.Reset(unsigned(lines_.size()), 0);
    long words = 0;
    bool cancelled = false;
    for (const std::string& l : lines_) {
        std::istringstream in(l);
        std::string w;
        while (in >> w) ++words;
        // Keeps the window and the Cancel button alive between the steps;
        // the pause (on the application clock) ends early on Cancel.
        if (app && stepDelay_)
            app->PumpWhileWaiting([&] { return !progress.Exists() || !progress.IsWindowVisible(); }, int(stepDelay_));
        if (app) app->PumpPending();
        if (!progress.Increment()) {
            cancelled = true;
            break;
        }
    }
    Kor::EndActivity();
    return cancelled ? -1 : words;
}

const plat::CommandTable* TextDoc::GetCommandTable() const {
    using T = plat::CommandTable;
    static const T table(nullptr, {
                                      T::Command(ID_UPPER_CASE, &TextDoc::OnUpperCase),
                                      T::Command(ID_ADD_LINE, &TextDoc::OnAddLine),
                                      T::Command(ID_COUNT_WORDS, &TextDoc::OnCountWords),
                                      T::Update(ID_UPPER_CASE, &TextDoc::OnUpdateNeedsText),
                                      T::Update(ID_COUNT_WORDS, &TextDoc::OnUpdateNeedsText),
                                      T::Update(ID_ADD_LINE, &TextDoc::OnUpdateAddLine),
                                  });
    return &table;
}

void TextDoc::OnUpperCase() { Perform(new UpperCaseAction(*this)); }

void TextDoc::OnAddLine() { Perform(new AddLineAction(*this, newLine_)); }

void TextDoc::OnCountWords() {
    long words = CountWords();
    std::string text = words < 0 ? S(IDS_COUNT_CANCELLED) : Kor::FormatText(S(IDS_WORD_COUNT), std::to_string(words));
    plat::MessageBox(nullptr, text, std::string(), plat::MB_OK | plat::MB_ICONINFORMATION);
}

void TextDoc::OnUpdateNeedsText(plat::CmdUI* ui) { ui->Enable(!IsEmpty() && !lines_.empty()); }

void TextDoc::OnUpdateAddLine(plat::CmdUI* ui) { ui->Enable(!IsEmpty()); }

// --- Actions ---

bool UpperCaseAction::Perform() {
    before_ = doc_.Lines();
    std::vector<std::string> after = before_;
    for (std::string& l : after)
        for (char& c : l) c = char(std::toupper(static_cast<unsigned char>(c)));
    if (after == before_) return false;
    doc_.SetLines(std::move(after));
    return true;
}

std::string UpperCaseAction::GetName() const { return S(IDS_ACTION_UPPER_CASE); }

bool AddLineAction::Perform() {
    std::vector<std::string> lines = doc_.Lines();
    lines.push_back(line_);
    doc_.SetLines(std::move(lines));
    return true;
}

void AddLineAction::Undo() {
    std::vector<std::string> lines = doc_.Lines();
    if (!lines.empty()) lines.pop_back();
    doc_.SetLines(std::move(lines));
}

std::string AddLineAction::GetName() const { return S(IDS_ACTION_ADD_LINE); }

}  // namespace demo
