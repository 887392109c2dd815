#include "framework/playback/go_to_frame_dlg.h"

#include "framework/playback/playback_command_ids.h"
#include "platform/message_box.h"
#include "platform/resources.h"

#include <charconv>

namespace Kor {

namespace {

plat::DialogTemplate Template() {
    plat::DialogTemplate d;
    d.caption = plat::LoadString(IDS_GO_TO_FRAME_CAPTION);
    d.size = plat::Size(240, 84);
    d.items = {
        {plat::DialogItemKind::Static, 0, plat::LoadString(IDS_GO_TO_FRAME_LABEL), plat::Rect(12, 14, 90, 32)},
        {plat::DialogItemKind::Edit, GoToFrameDlg::IDC_FRAME_NUMBER, "", plat::Rect(96, 12, 228, 34)},
        {plat::DialogItemKind::DefaultButton, plat::IDOK, plat::LoadString(IDS_OK), plat::Rect(72, 48, 146, 72)},
        {plat::DialogItemKind::Button, plat::IDCANCEL, plat::LoadString(IDS_CANCEL), plat::Rect(154, 48, 228, 72)},
    };
    return d;
}

// `format` with its first two "%d" replaced by `a` and `b`.
std::string Format(std::string format, long long a, long long b) {
    for (long long v : {a, b}) {
        std::size_t at = format.find("%d");
        if (at == std::string::npos) break;
        format.replace(at, 2, std::to_string(v));
    }
    return format;
}

}  // namespace

GoToFrameDlg::GoToFrameDlg(int base, int count, int number)
    : plat::Dialog(Template()), base_(base), count_(count), number_(number) {}

std::optional<int> GoToFrameDlg::ParseNumber(const std::string& text) {
    std::size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string::npos) return std::nullopt;
    std::size_t end = text.find_last_not_of(" \t") + 1;
    const char* first = text.data() + begin;
    const char* last = text.data() + end;
    if (*first == '+') {  // from_chars takes a minus only
        ++first;
        if (first != last && *first == '-') return std::nullopt;
    }
    if (first == last) return std::nullopt;
    int value = 0;
    auto [stop, error] = std::from_chars(first, last, value);
    if (error != std::errc() || stop != last) return std::nullopt;
    return value;
}

bool GoToFrameDlg::OnInitDialog() {
    SetItemText(IDC_FRAME_NUMBER, std::to_string(number_));
    return true;
}

void GoToFrameDlg::OnOK() {
    std::optional<int> number = ParseNumber(GetItemText(IDC_FRAME_NUMBER));
    long long first = base_, last = (long long)base_ + count_ - 1;
    if (!number) {
        plat::MessageBox(this, plat::LoadString(IDS_GO_TO_FRAME_NUMBER), GetTemplate().caption,
                         plat::MB_OK | plat::MB_ICONWARNING);
        return;
    }
    if (*number < first || *number > last) {
        plat::MessageBox(this, Format(plat::LoadString(IDS_GO_TO_FRAME_RANGE), first, last), GetTemplate().caption,
                         plat::MB_OK | plat::MB_ICONWARNING);
        return;
    }
    number_ = *number;
    EndDialog(kConfirmed);
}

}  // namespace Kor
