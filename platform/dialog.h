// Dialogs built from templates: a caption, a client size, a font and a list
// of controls (static text, push buttons, an edit field, a progress bar, an
// icon) with their ids and rectangles in pixels. Modal dialogs run a modal
// loop with their owner disabled; modeless ones stay until destroyed and
// only hide when ended. Enter presses the default button, Escape cancels,
// Tab moves the focus to the next control that takes it.
#pragma once

#include "platform/wnd.h"

#include <memory>
#include <string>
#include <vector>

namespace plat {

enum class DialogItemKind { Static, Button, DefaultButton, Edit, ProgressBar, Icon };

struct DialogItem {
    DialogItemKind kind;
    unsigned id;
    std::string text;  // for icons: "information", "warning", "error", "question" or a resource image name
    Rect rect;
    unsigned style = 0;
};

struct DialogTemplate {
    std::string caption;
    Size size;  // client area
    Font font = DefaultGuiFont();
    std::vector<DialogItem> items;
};

// Templates are registered under a resource number.
void RegisterDialogTemplate(unsigned id, DialogTemplate t);
const DialogTemplate* FindDialogTemplate(unsigned id);

class Dialog : public Wnd {
public:
    explicit Dialog(unsigned templateId);
    explicit Dialog(DialogTemplate t);

    // Shows the dialog and runs its modal loop; the result of EndDialog
    // (IDABORT when the template is missing or creation fails).
    int DoModal(Wnd* owner = nullptr);
    bool CreateModeless(Wnd* owner);
    void EndDialog(int result);
    int GetResult() const { return result_; }

    void SetItemText(unsigned id, const std::string& text);
    std::string GetItemText(unsigned id) const;
    const DialogTemplate& GetTemplate() const { return tmpl_; }

protected:
    virtual bool OnInitDialog() { return true; }
    virtual void OnOK() { EndDialog(1); }
    virtual void OnCancel() { EndDialog(2); }
    bool OnCreate() override;
    bool OnCommand(unsigned id, unsigned notifyCode, Wnd* control) override;
    bool PreTranslateKey(unsigned key, bool down, unsigned flags) override;
    void OnClose() override { OnCancel(); }

private:
    bool CreateWindowFor(Wnd* owner);
    void FocusNext();

    DialogTemplate tmpl_;
    bool valid_ = true;
    int result_ = 0;
    std::vector<std::unique_ptr<Wnd>> controls_;
};

}  // namespace plat
