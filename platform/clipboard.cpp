#include "platform/clipboard.h"

#include "platform/app.h"
#include "platform/backend.h"

namespace plat {

bool SetClipboardText(const std::string& text) {
    App* app = App::Instance();
    if (!app || !app->Ok()) return false;
    app->GetBackend().SetClipboardText(text);
    return true;
}

bool GetClipboardText(std::string& text) {
    text.clear();
    App* app = App::Instance();
    return app && app->Ok() && app->GetBackend().GetClipboardText(text);
}

bool IsClipboardTextAvailable() {
    App* app = App::Instance();
    return app && app->Ok() && app->GetBackend().HasClipboardText();
}

}  // namespace plat
