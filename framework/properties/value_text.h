// The text forms of property values that text controls show and read.
// Numbers are written and read in the classic locale whatever the
// program's locale is ("1.5" on every desktop):
//   - unsigned int: decimal digits with optional white space before; the
//     whole text must be the number, from 0 to UINT_MAX;
//   - int: the same with an optional sign, from INT_MIN to INT_MAX;
//   - float: shown as a stream shows a float by default (six significant
//     digits); read from the start of the text, what follows the number is
//     ignored ("1.5x" reads 1.5);
//   - std::string: as it is;
//   - Percent<N>: as its stream operators say.
// Parse gives false (and leaves `value`) for a text it does not take.
#pragma once

#include "framework/properties/percent.h"

#include <locale>
#include <sstream>
#include <string>

namespace Kor {

template <class T>
struct ValueText;

template <>
struct ValueText<unsigned> {
    static std::string Format(unsigned value);
    static bool Parse(const std::string& text, unsigned& value);
};

template <>
struct ValueText<int> {
    static std::string Format(int value);
    static bool Parse(const std::string& text, int& value);
};

template <>
struct ValueText<float> {
    static std::string Format(float value);
    static bool Parse(const std::string& text, float& value);
};

template <>
struct ValueText<std::string> {
    static std::string Format(const std::string& value) { return value; }
    static bool Parse(const std::string& text, std::string& value) {
        value = text;
        return true;
    }
};

template <int N>
struct ValueText<Percent<N>> {
    static std::string Format(const Percent<N>& value) {
        std::ostringstream out;
        out.imbue(std::locale::classic());
        out << value;
        return out.str();
    }
    static bool Parse(const std::string& text, Percent<N>& value) {
        std::istringstream in(text);
        in.imbue(std::locale::classic());
        Percent<N> read = value;
        if (!(in >> read)) return false;
        value = read;
        return true;
    }
};

}  // namespace Kor
