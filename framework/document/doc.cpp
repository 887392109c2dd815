#include "framework/document/doc.h"

#include "framework/app/app_base.h"
#include "framework/app/framework_strings.h"
#include "framework/document/action.h"
#include "platform/paths.h"

namespace Kor {

Doc::Doc() : actions_(*this), selection_(new NullSelection) { selection_->doc_ = this; }

Doc::~Doc() {
    if (selection_) selection_->doc_ = nullptr;
}

bool Doc::IsEmpty() const { return fileName_.empty(); }
std::string Doc::GetFileName() { return fileName_; }
bool Doc::IsModified() const { return actions_.IsModified(); }
void Doc::New() {}
bool Doc::CanClose() { return true; }

void Doc::Open(const std::string& path, int filterIndex) {
    BeginActivity(AppBase::LoadString(IDS_OPENING_DOCUMENT));
    DoOpen(path, filterIndex);
    // The content is the file's now: the history of what was open before
    // goes (DoOpen may replace an open document).
    actions_.Reset();
    SetFileName(path);
    EndActivity();
}

void Doc::Close() {
    SetFileName(std::string());
    actions_.Reset();
}

void Doc::Save() {
    SaveTo(GetFileName());
    actions_.NonModified();
}

void Doc::SaveAs(const std::string& path) {
    SaveTo(path);
    SetFileName(path);
    actions_.NonModified();
}

bool Doc::Perform(Action* a) {
    if (!actions_.Perform(a)) return false;
    // The history and the modified state changed: the title and the Undo
    // and Redo texts follow.
    ActionsChange e(this);
    Dispatch(e);
    return true;
}

void Doc::SetSelection(Selection* s) {
    if (!s) s = new NullSelection;
    if (s->Equals(*selection_)) {
        delete s;
        return;
    }
    selection_->doc_ = nullptr;
    selection_.reset(s);
    s->doc_ = this;
    SelectionChanged();
}

void Doc::SetFileName(std::string name) {
    if (!name.empty()) name = plat::FullPath(name);
    if (name == fileName_) return;
    fileName_ = std::move(name);
    FileNameChange e(this);
    Dispatch(e);
}

void Doc::SaveTo(const std::string& path) {
    BeginActivity(AppBase::LoadString(IDS_SAVING_DOCUMENT));
    DoSave(path);
    EndActivity();
}

void Doc::SelectionChanged() {
    SelectionChange e(this);
    Dispatch(e);
}

}  // namespace Kor
