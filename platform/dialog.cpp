#include "platform/dialog.h"

#include "platform/app.h"
#include "platform/backend.h"
#include "platform/controls.h"
#include "platform/edit.h"
#include "platform/keys.h"
#include "platform/message_box.h"

#include <algorithm>
#include <map>
#include <mutex>

namespace plat {

namespace {
std::map<unsigned, DialogTemplate>& Templates() {
    static std::map<unsigned, DialogTemplate> t;
    return t;
}
std::mutex& TemplatesMutex() {
    static std::mutex m;
    return m;
}
}  // namespace

void RegisterDialogTemplate(unsigned id, DialogTemplate t) {
    std::lock_guard<std::mutex> lock(TemplatesMutex());
    Templates()[id] = std::move(t);
}

const DialogTemplate* FindDialogTemplate(unsigned id) {
    std::lock_guard<std::mutex> lock(TemplatesMutex());
    auto it = Templates().find(id);
    return it == Templates().end() ? nullptr : &it->second;
}

Dialog::Dialog(unsigned templateId) {
    if (const DialogTemplate* t = FindDialogTemplate(templateId)) tmpl_ = *t;
    else valid_ = false;
}

Dialog::Dialog(DialogTemplate t) : tmpl_(std::move(t)) {}

bool Dialog::CreateWindowFor(Wnd* owner) {
    if (!valid_) return false;
    if (Exists()) return true;
    App* app = App::Instance();
    if (!app) return false;
    // Centred over the owner, or on the screen.
    Rect over = owner ? owner->GetTopLevel()->GetScreenRect() : Rect(Point(), app->GetBackend().ScreenSize());
    Point at(over.left + (over.Width() - tmpl_.size.cx) / 2, over.top + (over.Height() - tmpl_.size.cy) / 2);
    SetFont(&tmpl_.font, false);
    return Create(owner, Rect(at, tmpl_.size), WS_POPUP | WS_CAPTION, 0, tmpl_.caption);
}

bool Dialog::OnCreate() {
    controls_.clear();
    for (const DialogItem& item : tmpl_.items) {
        std::unique_ptr<Wnd> w;
        unsigned style = WS_CHILD | WS_VISIBLE | item.style, ex = 0;
        switch (item.kind) {
        case DialogItemKind::Static: w = std::make_unique<StaticText>(); break;
        case DialogItemKind::Button: w = std::make_unique<PushButton>(); style |= WS_TABSTOP; break;
        case DialogItemKind::DefaultButton:
            w = std::make_unique<PushButton>();
            style |= WS_TABSTOP | BS_DEFPUSHBUTTON;
            break;
        case DialogItemKind::Edit:
            w = std::make_unique<Edit>();
            style |= WS_TABSTOP;
            ex = WS_EX_CLIENTEDGE;
            break;
        case DialogItemKind::ProgressBar: w = std::make_unique<ProgressBar>(); break;
        case DialogItemKind::Icon: {
            auto icon = std::make_unique<IconControl>();
            static const std::map<std::string, IconControl::Standard> names = {
                {"information", IconControl::Information}, {"warning", IconControl::Warning},
                {"error", IconControl::Error}, {"question", IconControl::Question}};
            auto it = names.find(item.text);
            if (it != names.end()) icon->SetStandardIcon(it->second);
            else icon->SetImage(Bitmap::FromResource(item.text));
            w = std::move(icon);
            break;
        }
        }
        std::string text = item.kind == DialogItemKind::Icon ? std::string() : item.text;
        if (!w->Create(this, item.rect, style, item.id, text, ex)) return false;
        controls_.push_back(std::move(w));
    }
    return OnInitDialog();
}

int Dialog::DoModal(Wnd* owner) {
    App* app = App::Instance();
    if (!owner && app) owner = app->GetActiveWindow() ? app->GetActiveWindow() : app->GetMainWnd();
    if (!CreateWindowFor(owner)) return IDABORT;
    result_ = IDABORT;
    ShowWindow(SW_SHOW);
    FocusNext();
    int r = RunModalLoop();
    if (Exists()) Destroy();
    result_ = r;
    return r;
}

bool Dialog::CreateModeless(Wnd* owner) {
    if (!CreateWindowFor(owner)) return false;
    ShowWindow(SW_SHOW);
    return true;
}

void Dialog::EndDialog(int result) {
    result_ = result;
    if (IsInModalLoop()) EndModalLoop(result);
    else ShowWindow(SW_HIDE);
}

void Dialog::SetItemText(unsigned id, const std::string& text) {
    if (Wnd* w = GetDlgItem(id)) w->SetText(text);
}

std::string Dialog::GetItemText(unsigned id) const {
    Wnd* w = GetDlgItem(id);
    return w ? w->GetText() : std::string();
}

bool Dialog::OnCommand(unsigned id, unsigned notifyCode, Wnd* control) {
    if (notifyCode == BN_CLICKED) {
        if (id == IDOK) {
            OnOK();
            return true;
        }
        if (id == IDCANCEL) {
            OnCancel();
            return true;
        }
    }
    return Wnd::OnCommand(id, notifyCode, control);
}

void Dialog::FocusNext() {
    const auto& kids = GetChildren();
    Wnd* focus = GetFocus();
    auto start = std::find(kids.begin(), kids.end(), focus);
    std::size_t n = kids.size(), from = start == kids.end() ? n - 1 : std::size_t(start - kids.begin());
    for (std::size_t k = 1; k <= n; ++k) {
        Wnd* w = kids[(from + k) % n];
        if ((w->GetStyle() & WS_TABSTOP) && w->IsWindowVisible() && w->IsWindowEnabled()) {
            w->SetFocus();
            return;
        }
    }
    SetFocus();
}

bool Dialog::PreTranslateKey(unsigned key, bool down, unsigned flags) {
    if (!down) return Wnd::PreTranslateKey(key, down, flags);
    switch (key) {
    case VK_RETURN:
        for (Wnd* w : GetChildren())
            if ((w->GetStyle() & BS_DEFPUSHBUTTON) && dynamic_cast<PushButton*>(w) && w->IsWindowEnabled()) {
                OnCommand(w->GetId(), BN_CLICKED, w);
                return true;
            }
        OnOK();
        return true;
    case VK_ESCAPE: OnCancel(); return true;
    case VK_TAB: FocusNext(); return true;
    default: return Wnd::PreTranslateKey(key, down, flags);
    }
}

}  // namespace plat
