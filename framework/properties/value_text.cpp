#include "framework/properties/value_text.h"

#include <limits>

namespace Kor {

namespace {

std::istringstream Reader(const std::string& text) {
    std::istringstream in(text);
    in.imbue(std::locale::classic());
    return in;
}

std::ostringstream Writer() {
    std::ostringstream out;
    out.imbue(std::locale::classic());
    return out;
}

// A whole integer text (white space before it allowed, nothing after it)
// within the range of I.
template <class I>
bool ParseWhole(const std::string& text, I& value) {
    std::istringstream in = Reader(text);
    long long v = 0;
    in >> v;
    if (in.fail() || in.bad() || !in.eof() || v < std::numeric_limits<I>::min() || v > std::numeric_limits<I>::max())
        return false;
    value = I(v);
    return true;
}

template <class N>
std::string Written(N value) {
    std::ostringstream out = Writer();
    out << value;
    return out.str();
}

}  // namespace

std::string ValueText<unsigned>::Format(unsigned value) { return Written(value); }
bool ValueText<unsigned>::Parse(const std::string& text, unsigned& value) { return ParseWhole(text, value); }
std::string ValueText<int>::Format(int value) { return Written(value); }
bool ValueText<int>::Parse(const std::string& text, int& value) { return ParseWhole(text, value); }
std::string ValueText<float>::Format(float value) { return Written(value); }

bool ValueText<float>::Parse(const std::string& text, float& value) {
    std::istringstream in = Reader(text);
    float v = 0;
    in >> v;
    if (in.fail() || in.bad()) return false;
    value = v;
    return true;
}

}  // namespace Kor
