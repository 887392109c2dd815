#include "platform/utf8.h"

#include <glib.h>

namespace plat {

std::string ValidUtf8(const std::string& text) {
    std::string t = text.substr(0, text.find('\0'));
    if (g_utf8_validate(t.data(), gssize(t.size()), nullptr)) return t;
    gchar* valid = g_utf8_make_valid(t.data(), gssize(t.size()));
    std::string out = valid ? valid : "";
    g_free(valid);
    return out;
}

}  // namespace plat
