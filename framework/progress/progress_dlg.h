// A modeless progress dialog for long operations (template 50046: a
// progress bar 1000, a text 1001 showing "current / total", and Cancel).
// Cancel hides the dialog; the operation notices through Increment(),
// which then gives false. The parent can be disabled while it exists.
#pragma once

#include "platform/dialog.h"

namespace Kor {

class ProgressDlg : public plat::Dialog {
public:
    enum : unsigned { IDD = 50046, IDC_PROGRESS = 1000, IDC_TEXT = 1001 };

    ProgressDlg();
    ProgressDlg(plat::Wnd* parent, bool disableParent);
    ~ProgressDlg() override;

    // Disables `parent` when asked, then shows the dialog for it.
    bool Create(plat::Wnd* parent, bool disableParent);
    // Sets the range to `total` and the position to `current`, and shows
    // the dialog enabled.
    void Reset(unsigned total, unsigned current = 0);
    // One step more; false once the user has cancelled.
    bool Increment();
    void SetCurrent(unsigned current);
    unsigned Current() const { return current_; }
    unsigned Total() const { return total_; }

private:
    void UpdateControls();
    void EnableParent();

    bool parentDisabled_ = false;
    unsigned current_ = 0, total_ = 0;
    plat::Wnd* parent_ = nullptr;
    std::unique_ptr<plat::WndGuard> parentGuard_;
};

}  // namespace Kor
