#include "framework/properties/value_text.h"

#include <climits>

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
// within [low, high].
bool ParseInteger(const std::string& text, long long low, long long high, long long& value) {
    std::istringstream in = Reader(text);
    long long v = 0;
    in >> v;
    if (in.fail() || in.bad() || !in.eof() || v < low || v > high) return false;
    value = v;
    return true;
}

}  // namespace

std::string ValueText<unsigned>::Format(unsigned value) {
    std::ostringstream out = Writer();
    out << value;
    return out.str();
}

bool ValueText<unsigned>::Parse(const std::string& text, unsigned& value) {
    long long v = 0;
    if (!ParseInteger(text, 0, UINT_MAX, v)) return false;
    value = unsigned(v);
    return true;
}

std::string ValueText<int>::Format(int value) {
    std::ostringstream out = Writer();
    out << value;
    return out.str();
}

bool ValueText<int>::Parse(const std::string& text, int& value) {
    long long v = 0;
    if (!ParseInteger(text, INT_MIN, INT_MAX, v)) return false;
    value = int(v);
    return true;
}

std::string ValueText<float>::Format(float value) {
    std::ostringstream out = Writer();
    out << value;
    return out.str();
}

bool ValueText<float>::Parse(const std::string& text, float& value) {
    std::istringstream in = Reader(text);
    float v = 0;
    in >> v;
    if (in.fail() || in.bad()) return false;
    value = v;
    return true;
}

}  // namespace Kor
