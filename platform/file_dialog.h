// The file-open (and save) dialog. The filter has the form
// "Bitmap Files (*.bmp)|*.bmp|All Files (*.*)|*.*||": pairs of a name and
// ';'-separated patterns, ended by an empty pair.
#pragma once

#include <string>
#include <vector>

namespace plat {

class Wnd;

enum : unsigned {
    OFN_OVERWRITEPROMPT = 0x2, OFN_HIDEREADONLY = 0x4, OFN_PATHMUSTEXIST = 0x800, OFN_FILEMUSTEXIST = 0x1000,
    OFN_ENABLESIZING = 0x800000,
};

struct FileFilter {
    std::string name;
    std::vector<std::string> patterns;
};
std::vector<FileFilter> ParseFileFilter(const std::string& filter);
// A glob pattern that matches its letters in either case ("*.bmp" ->
// "*.[bB][mM][pP]"): file names on Linux keep the case they were given,
// and "PICTURE.BMP" is a bitmap as much as "picture.bmp". Letters already
// inside brackets are left as they are.
std::string CaseInsensitivePattern(const std::string& pattern);

class FileDialog {
public:
    bool open = true;  // false: a save dialog
    std::string title;
    std::string defaultExt;  // without the dot; appended to a name without extension
    std::string filter;
    std::string initialPath;
    // OFN_OVERWRITEPROMPT: a save that would replace a file asks first
    // (also when the default extension made the name of one).
    unsigned flags = 0;
    int filterIndex = 1;  // one-based; the chosen filter after Run

    // Shows the dialog; true when the user chose a file (Path()).
    bool Run(Wnd* owner);
    const std::string& Path() const { return path_; }

    // What the backend answered, before the default extension and the
    // file-must-exist rule are applied (for the backends).
    struct Answer {
        bool ok = false;
        std::string path;
        int filterIndex = 1;
    };

private:
    std::string path_;
};

}  // namespace plat
