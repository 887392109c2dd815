// The About box (dialog 100): the program's icon, its name and version, and
// an OK button.
#pragma once

#include "platform/dialog.h"

class AboutDlg : public plat::Dialog {
public:
    AboutDlg();

    // The dialog's layout, in pixels (from its 241 by 59 dialog units at
    // the dialog font's 1.5 by 1.625 pixels a unit).
    static plat::DialogTemplate Template();

protected:
    bool OnInitDialog() override;
};
