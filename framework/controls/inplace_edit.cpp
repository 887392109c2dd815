#include "framework/controls/inplace_edit.h"

#include "framework/controls/text_control.h"
#include "platform/keys.h"

namespace Kor {

InplaceEdit::InplaceEdit(TextControl& owner) : owner_(owner) {
    SetWindowStyle(plat::WS_CHILD | plat::WS_VISIBLE, plat::WS_EX_CLIENTEDGE);
}

void InplaceEdit::HandleKeyDown(unsigned key, unsigned repeat, unsigned flags) {
    if (key == plat::VK_RETURN) return owner_.CommitEdit();
    if (key == plat::VK_ESCAPE) return owner_.CancelEdit();
    Window<plat::Edit>::HandleKeyDown(key, repeat, flags);
}

void InplaceEdit::OnKillFocus(plat::Wnd* next) {
    Window<plat::Edit>::OnKillFocus(next);
    if (Exists()) owner_.CommitEdit();
}

}  // namespace Kor
