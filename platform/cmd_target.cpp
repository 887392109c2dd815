#include "platform/cmd_target.h"

namespace plat {

const CommandTable::Entry* CommandTable::Find(unsigned id, bool update) const {
    for (const CommandTable* t = this; t; t = t->base_)
        for (const Entry& e : t->entries_)
            if (e.update == update && id >= e.first && id <= e.last) return &e;
    return nullptr;
}

bool CmdTarget::OnCmdMsg(unsigned id, int code, CmdUI* ui) {
    const CommandTable* table = GetCommandTable();
    if (!table) return false;
    if (code == CN_UPDATE_COMMAND_UI) {
        if (!ui) return false;
        if (const CommandTable::Entry* e = table->Find(id, true)) {
            ui->ResetRouting();
            e->call(*this, id, ui);
            return !ui->ContinuesRouting();
        }
        if (table->Find(id, false)) {
            ui->Enable(true);
            return true;
        }
        return false;
    }
    if (code == CN_COMMAND) {
        if (const CommandTable::Entry* e = table->Find(id, false)) {
            e->call(*this, id, nullptr);
            return true;
        }
    }
    return false;
}

}  // namespace plat
