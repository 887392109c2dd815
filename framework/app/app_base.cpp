#include "framework/app/app_base.h"

#include "framework/app/command_ids.h"
#include "framework/app/framework_strings.h"
#include "framework/document/action.h"
#include "framework/document/doc.h"
#include "framework/fault/fault_guard.h"
#include "framework/frame/frame.h"
#include "platform/accel.h"
#include "platform/backend.h"
#include "platform/file_dialog.h"
#include "platform/menu.h"
#include "platform/message_box.h"
#include "platform/paths.h"
#include "platform/resources.h"

#include <exception>
#include <stdexcept>

namespace Kor {

namespace {

Language LanguageOf(unsigned commandId) { return Language(int(commandId) - int(ID_LANGUAGE_FIRST)); }

}  // namespace

std::string FormatText(std::string format, const std::string& arg) {
    std::size_t at = format.find("%s");
    if (at != std::string::npos) format.replace(at, 2, arg);
    return format;
}

AppBase* GetApp() { return dynamic_cast<AppBase*>(plat::App::Instance()); }

void BeginActivity(const std::string& activity) {
    if (AppBase* app = GetApp()) app->BeginActivity(activity);
}

void EndActivity() {
    if (AppBase* app = GetApp()) app->EndActivity();
}

AppBase::AppBase(plat::BackendKind kind) : plat::App(kind) {
    // The one processor-fault guard of the loop: around each piece of work it
    // dispatches (see plat::App::SetWorkGuard for what a piece is and how the
    // guards of nested loops nest). A fault comes out of that piece as a
    // ProcessorFault, which Run reports like any other error.
    SetWorkGuard(GuardFaults);
}

AppBase::~AppBase() = default;

// --- Activities and strings ---

void AppBase::BeginActivity(const std::string& activity) { activities_.push_back(activity); }

void AppBase::EndActivity() {
    if (!activities_.empty()) activities_.pop_back();
}

std::string AppBase::GetActivity() const { return activities_.empty() ? std::string() : activities_.back(); }

std::string AppBase::LoadString(unsigned id) { return plat::LoadString(id); }

// --- The run loop ---

int AppBase::Run() {
    for (;;) {
        try {
            return RunNoStdException();
        } catch (...) {
            // Whatever is not a std::exception (those are reported below).
            ExceptionMessage("an exception of an unknown kind");
            ClearActivities();
        }
    }
}

int AppBase::RunNoStdException() {
    for (;;) {
        try {
            while (!QuitRequested()) PumpMessage(true);
            return QuitCode();
        } catch (const std::exception& e) {
            ExceptionMessage(e.what());
            ClearActivities();
        }
    }
}

void AppBase::ExceptionMessage(const char* text) {
    std::string activity = GetActivity();
    std::string message = "Error while " + (activity.empty() ? std::string("performing operation:\n") : activity + ":\n") +
                          (text ? text : "");
    if (message.back() != '\n' && message.back() != '.') message += ".";
    plat::MessageBox(nullptr, message, std::string(), plat::MB_OK | plat::MB_ICONERROR);
}

// --- Start-up ---

void AppBase::LoadStdProfileSettings(unsigned mruSize) {
    recent_ = RecentFileList(mruSize);
    recent_.ReadProfile();
}

bool AppBase::LoadFrame(Frame& frame, unsigned resourceId) {
    std::string name = std::to_string(resourceId);
    frame.menu_ = plat::Menu::FromResource(name);
    frame.accel_ = plat::AccelTable::FromResource(name);
    std::string title = LoadString(resourceId);
    title = title.substr(0, title.find('\n'));
    plat::Size screen = GetBackend().ScreenSize();
    if (!frame.Create(nullptr, plat::Rect(0, 0, screen.cx, screen.cy),
                      plat::WS_OVERLAPPEDWINDOW | plat::WS_CLIPCHILDREN | plat::WS_MAXIMIZE, 0, title))
        return false;
    frame.SetMenu(frame.menu_.get());
    frame.SetAccelerators(frame.accel_.get());
    SetMainWnd(&frame);
    RefreshRecentMenu();
    frame.ShowWindow(plat::SW_SHOWMAXIMIZED);
    frame.UpdateWindow();
    return true;
}

// --- Documents ---

bool AppBase::OpenFile(const std::string& path, int filterIndex) {
    if (path.empty()) return false;
    Doc& doc = GetDoc();
    if (!doc.IsEmpty()) {
        if (doc.GetFileName() == plat::FullPath(path)) return true;
        // The open document stays until the new file has been read: a file
        // that cannot be read leaves it as it was.
        if (!MayReplace()) return true;
    }
    doc.Open(path, filterIndex);
    if (doc.IsEmpty()) return false;
    AddToRecentFileList(doc.GetFileName());
    return true;
}

bool AppBase::OpenDocumentFile(const char* name) { return OpenFile(name ? name : "", -1); }

void AppBase::AddToRecentFileList(const std::string& path) {
    recent_.Add(plat::FullPath(path));
    recent_.WriteProfile();
    RefreshRecentMenu();
}

void AppBase::RefreshRecentMenu() {
    if (!HasFrame()) return;
    if (plat::Menu* menu = GetFrame().GetMenu()) recent_.UpdateMenu(*menu);
}

std::string AppBase::GetOpenFileName(int& filterIndex) {
    plat::FileDialog dlg;
    dlg.open = true;
    dlg.title = LoadString(IDS_OPEN_TITLE);
    dlg.defaultExt = LoadString(IDS_OPEN_DEFAULT_EXT);
    dlg.filter = LoadString(IDS_OPEN_FILTER);
    dlg.flags = plat::OFN_FILEMUSTEXIST | plat::OFN_HIDEREADONLY | plat::OFN_ENABLESIZING;
    if (!dlg.Run(GetMainWnd())) return std::string();
    filterIndex = dlg.filterIndex - 1;
    return dlg.Path();
}

std::string AppBase::GetSaveFileName() {
    std::string pattern = LoadString(IDS_SAVE_AS_PATTERN);
    plat::FileDialog dlg;
    dlg.open = false;
    dlg.title = LoadString(IDS_SAVE_AS_TITLE);
    dlg.filter = pattern + "|" + pattern + "||";
    dlg.initialPath = GetDoc().GetFileName();
    dlg.flags = plat::OFN_OVERWRITEPROMPT | plat::OFN_HIDEREADONLY | plat::OFN_ENABLESIZING;
    return dlg.Run(GetMainWnd()) ? dlg.Path() : std::string();
}

// --- Commands ---

bool AppBase::OnCmdMsg(unsigned id, int code, plat::CmdUI* ui) {
    if (GetDoc().OnCmdMsg(id, code, ui)) return true;
    return plat::App::OnCmdMsg(id, code, ui);
}

const plat::CommandTable* AppBase::GetCommandTable() const {
    using T = plat::CommandTable;
    static const T table(nullptr, {
        T::Command(ID_FILE_NEW, &AppBase::OnFileNew),
        T::Command(ID_FILE_OPEN, &AppBase::OnFileOpen),
        T::Command(ID_FILE_CLOSE, &AppBase::OnFileClose),
        T::Command(ID_FILE_SAVE, &AppBase::OnFileSave),
        T::Command(ID_FILE_SAVE_AS, &AppBase::OnFileSaveAs),
        T::CommandRange(ID_FILE_MRU_FILE1, ID_FILE_MRU_LAST, &AppBase::OnRecentFile),
        T::Command(ID_APP_EXIT, &AppBase::OnAppExit),
        T::Command(ID_EDIT_UNDO, &AppBase::OnEditUndo),
        T::Command(ID_EDIT_REDO, &AppBase::OnEditRedo),
        T::CommandRange(ID_LANGUAGE_FIRST, ID_LANGUAGE_LAST, &AppBase::OnLanguage),
        T::Update(ID_FILE_CLOSE, &AppBase::OnUpdateFileClose),
        T::Update(ID_FILE_SAVE_AS, &AppBase::OnUpdateFileClose),
        T::Update(ID_FILE_SAVE, &AppBase::OnUpdateFileSave),
        T::Update(ID_EDIT_UNDO, &AppBase::OnUpdateEditUndo),
        T::Update(ID_EDIT_REDO, &AppBase::OnUpdateEditRedo),
        T::UpdateRange(ID_FILE_MRU_FILE1, ID_FILE_MRU_LAST, &AppBase::OnUpdateRecentFile),
        T::UpdateRange(ID_LANGUAGE_FIRST, ID_LANGUAGE_LAST, &AppBase::OnUpdateLanguage),
    });
    return &table;
}

void AppBase::CloseStep() {
    if (!GetDoc().IsEmpty()) SendCommand(ID_FILE_CLOSE);
}

void AppBase::OnFileNew() {
    CloseStep();
    if (!GetDoc().IsEmpty()) return;  // the user kept the document
    GetDoc().New();
}

void AppBase::OnFileOpen() {
    // The dialog comes first: cancelling it keeps the open document.
    int filterIndex = -1;
    std::string path = GetOpenFileName(filterIndex);
    OpenFile(path, filterIndex);
}

bool AppBase::MayReplace() {
    Doc& doc = GetDoc();
    if (doc.IsEmpty()) return true;
    if (!doc.CanClose()) return false;
    if (doc.IsModified()) {
        int answer = plat::MessageBox(nullptr, LoadString(IDS_SAVE_CHANGES), std::string(),
                                      plat::MB_YESNOCANCEL | plat::MB_ICONWARNING);
        if (answer == plat::IDCANCEL) return false;
        if (answer == plat::IDYES) {
            SendCommand(ID_FILE_SAVE);
            if (doc.IsModified()) return false;
        }
    }
    return true;
}

void AppBase::OnFileClose() {
    Doc& doc = GetDoc();
    if (doc.IsEmpty() || !MayReplace()) return;
    doc.Close();
}

void AppBase::OnFileSave() {
    Doc& doc = GetDoc();
    if (doc.IsEmpty()) return;
    if (doc.GetFileName().empty()) SendCommand(ID_FILE_SAVE_AS);
    else doc.Save();
}

void AppBase::OnFileSaveAs() {
    Doc& doc = GetDoc();
    if (doc.IsEmpty()) return;
    std::string path = GetSaveFileName();
    if (path.empty()) return;
    doc.SaveAs(path);
    AddToRecentFileList(path);
}

void AppBase::OnRecentFile(unsigned id) {
    unsigned i = id - ID_FILE_MRU_FILE1;
    if (i < recent_.Files().size()) OpenDocumentFile(recent_.Files()[i].c_str());
}

void AppBase::OnAppExit() {
    if (HasFrame() && GetFrame().Exists()) GetFrame().RequestClose();
    else Quit(0);
}

void AppBase::OnEditUndo() { GetDoc().GetActions().Undo(); }
void AppBase::OnEditRedo() { GetDoc().GetActions().Redo(); }

void AppBase::OnUpdateFileClose(plat::CmdUI* ui) { ui->Enable(!GetDoc().IsEmpty()); }

void AppBase::OnUpdateFileSave(plat::CmdUI* ui) { ui->Enable(!GetDoc().IsEmpty() && GetDoc().IsModified()); }

void AppBase::OnUpdateEditUndo(plat::CmdUI* ui) {
    Action* a = GetDoc().IsEmpty() ? nullptr : GetDoc().GetActions().Undoable();
    ui->SetText(FormatText(LoadString(ui->GetMenu() ? IDS_UNDO_MENU : IDS_UNDO_TOOL), a ? a->GetName() : std::string()));
    ui->Enable(a != nullptr);
}

void AppBase::OnUpdateEditRedo(plat::CmdUI* ui) {
    Action* a = GetDoc().IsEmpty() ? nullptr : GetDoc().GetActions().Redoable();
    ui->SetText(FormatText(LoadString(ui->GetMenu() ? IDS_REDO_MENU : IDS_REDO_TOOL), a ? a->GetName() : std::string()));
    ui->Enable(a != nullptr);
}

void AppBase::OnUpdateRecentFile(plat::CmdUI* ui) { ui->Enable(ui->GetID() - ID_FILE_MRU_FILE1 < recent_.Files().size()); }

// --- Language ---

void AppBase::InitLanguage(const char* section, const char* key) { language_.Init(section, key); }

void AppBase::SetLanguageModule(std::shared_ptr<plat::ResourceModule> module) {
    plat::AddResourceModule(std::move(module), plat::ChainPosition::Front);
}

void AppBase::UpdateLanguageMenu(plat::Menu* menu) {
    if (!menu) return;
    menu->Clear();
    for (Language lang : offered_) menu->AppendItem(ID_LANGUAGE_FIRST + unsigned(lang), std::string());
}

void AppBase::OnUpdateLanguage(plat::CmdUI* ui) {
    Language lang = LanguageOf(ui->GetID());
    ui->Enable(true);
    std::string text = GetLanguageName(lang);
    Language startup = language_.GetStartupLanguage();
    if (lang == startup) {
        if (lang == defaultLanguage_ && !language_.GetModule()) text += " " + LoadString(IDS_DEFAULT_LANGUAGE);
        else if (lang != language_.GetLanguage()) text += " " + LoadString(IDS_RESTART_REQUIRED);
    }
    ui->SetText(text);
    ui->SetCheck(lang == startup ? 1 : 0);
}

void AppBase::OnLanguage(unsigned commandId) {
    plat::MessageBox(nullptr, LoadString(IDS_LANGUAGE_NEXT_TIME), std::string(), plat::MB_OK | plat::MB_ICONINFORMATION);
    language_.SetStartupLanguage(LanguageOf(commandId));
}

}  // namespace Kor
