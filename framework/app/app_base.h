// The application object of a Korvane program: the run loop that reports
// every escaping error as "Error while <activity>: ..." and keeps running,
// the stack of activities that names what is being done, the standard File
// and Edit commands with their states, the recent-file list, and the
// language selection. App<Doc, Frame> (app.h) adds the document and the
// main frame.
#pragma once

#include "framework/app/recent_file_list.h"
#include "framework/localization/app_language.h"
#include "platform/app.h"

#include <memory>
#include <set>
#include <string>
#include <vector>

namespace plat {
class Menu;
class ResourceModule;
}  // namespace plat

namespace Kor {

class Doc;
class Frame;

class AppBase : public plat::App {
public:
    explicit AppBase(plat::BackendKind kind = plat::BackendKind::Auto);
    ~AppBase() override;

    // --- Activities: what the program is doing, innermost last ---
    void BeginActivity(const std::string& activity);
    void EndActivity();
    std::string GetActivity() const;  // the innermost one, or ""
    const std::vector<std::string>& GetActivities() const { return activities_; }
    void ClearActivities() { activities_.clear(); }

    // A string of the resources: language catalogue, program, library; an
    // unknown number gives "".
    static std::string LoadString(unsigned id);

    // --- Start-up ---
    // Reads the recent-file list (of `mruSize` entries) from the profile.
    void LoadStdProfileSettings(unsigned mruSize = 10);
    // Creates the main window from resource `resourceId` (menu and
    // accelerators "<id>.menu" and "<id>.accel", title string <id>), shows
    // it maximised and makes it the main window. False on failure.
    bool LoadFrame(Frame& frame, unsigned resourceId);

    // The run loop: runs until the main window goes, reporting every error
    // that escapes a handler and running on. A processor fault in a handler
    // reaches it as a ProcessorFault (a std::runtime_error whose text is the
    // fault report) from the work guard set at construction.
    int Run() override;

    // --- Document and frame (App<Doc, Frame> supplies them) ---
    virtual Doc& GetDoc() = 0;
    virtual const Doc& GetDoc() const = 0;
    virtual Frame& GetFrame() = 0;
    virtual const Frame& GetFrame() const = 0;
    virtual bool HasFrame() const = 0;

    // Opens `path` unless it is open already (true then). An open document
    // may be replaced (the save question, CanClose) and is replaced only
    // by a file that could be read (Doc::Open); an error leaves it open.
    // True when a document is open afterwards.
    bool OpenFile(const std::string& path, int filterIndex);
    virtual bool OpenDocumentFile(const char* name);
    RecentFileList& GetRecentFiles() { return recent_; }
    void AddToRecentFileList(const std::string& path);

    // Offers every command to the document first, then to its own handlers.
    bool OnCmdMsg(unsigned id, int code, plat::CmdUI* ui) override;
    // Routes a command as if the user chose it.
    bool SendCommand(unsigned id) { return OnCmdMsg(id, plat::CN_COMMAND, nullptr); }

    // --- Language ---
    void InitLanguage(const char* section, const char* key);
    void SetLanguageModule(std::shared_ptr<plat::ResourceModule> module);
    void SetDefaultLanguage(Language lang) { defaultLanguage_ = lang; }
    Language GetDefaultLanguage() const { return defaultLanguage_; }
    void EnableLanguage(Language lang) { offered_.insert(lang); }
    // Makes `menu` the language menu: one item per offered language.
    void UpdateLanguageMenu(plat::Menu* menu);
    void OnLanguage(unsigned commandId);
    void OnUpdateLanguage(plat::CmdUI* ui);
    AppLanguage& GetLanguage() { return language_; }

protected:
    virtual int RunNoStdException();
    // Shows "Error while <activity>:\n<text>" with the error icon.
    virtual void ExceptionMessage(const char* text);
    // The file dialogs of Open (which also gives the chosen filter, counted
    // from 0) and of Save As; "" when the user cancels.
    virtual std::string GetOpenFileName(int& filterIndex);
    virtual std::string GetSaveFileName();

    const plat::CommandTable* GetCommandTable() const override;

    void OnFileNew();
    void OnFileOpen();
    void OnFileClose();
    void OnFileSave();
    void OnFileSaveAs();
    void OnRecentFile(unsigned id);
    void OnAppExit();
    void OnEditUndo();
    void OnEditRedo();
    void OnUpdateFileClose(plat::CmdUI* ui);
    void OnUpdateFileSave(plat::CmdUI* ui);
    void OnUpdateEditUndo(plat::CmdUI* ui);
    void OnUpdateEditRedo(plat::CmdUI* ui);
    void OnUpdateRecentFile(plat::CmdUI* ui);

private:
    void CloseStep();  // the close before New
    // Whether the open document may go: it allows it (CanClose) and the
    // user saved or dropped its changes. True when none is open.
    bool MayReplace();
    void RefreshRecentMenu();

    std::vector<std::string> activities_;
    AppLanguage language_;
    std::set<Language> offered_;  // the language menu
    Language defaultLanguage_ = LanguageNone;
    RecentFileList recent_;
};

// `format` with its first "%s" replaced by `arg`.
std::string FormatText(std::string format, const std::string& arg);

// The application object of the process, or null when there is none.
AppBase* GetApp();
// Activities of the application, when there is one.
void BeginActivity(const std::string& activity);
void EndActivity();

}  // namespace Kor
