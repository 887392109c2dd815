// The "Go to Frame" dialog: a number field "Frame #" with OK and Cancel.
// OK takes only a whole number (spaces around it allowed) of a frame of the
// sequence, base .. base + count - 1; anything else says what is wanted in
// a message box and keeps the dialog open.
#pragma once

#include "platform/dialog.h"

#include <optional>
#include <string>

namespace Kor {

class GoToFrameDlg : public plat::Dialog {
public:
    static constexpr unsigned IDC_FRAME_NUMBER = 1001;
    static constexpr int kConfirmed = 1;  // DoModal's result after OK

    // Frames base .. base + count - 1; the field starts at `number`.
    GoToFrameDlg(int base, int count, int number);

    // The number confirmed with OK.
    int GetNumber() const { return number_; }

    // The whole number `text` holds, or none (signs, spaces around it; no
    // other characters, nothing out of the int range).
    static std::optional<int> ParseNumber(const std::string& text);

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    int base_, count_, number_;
};

}  // namespace Kor
