// Percent<N>: a fraction from 0 to 1 shown as a percentage with N decimals
// ("25.0%" for 0.25 with N = 1). Every value stored is clamped: NaN and
// values below 0 become 0, values above 1 become 1. As text it reads a
// number with an optional "%" after it, with or without a space between
// ("50", "50%", "50 %"), and takes a hundredth of it; anything else sets the
// stream's fail state and leaves the value as it was.
#pragma once

#include <cmath>
#include <ios>
#include <istream>
#include <ostream>
#include <string>

namespace Kor {

template <int N>
class Percent {
public:
    Percent(float fraction = 0) : value_(Clamp(fraction)) {}
    Percent& operator=(float fraction) {
        value_ = Clamp(fraction);
        return *this;
    }
    operator float() const { return value_; }
    bool operator==(const Percent& o) const { return value_ == o.value_; }
    bool operator!=(const Percent& o) const { return value_ != o.value_; }

private:
    static float Clamp(float f) { return std::isnan(f) || f < 0 ? 0.f : f > 1 ? 1.f : f; }
    float value_;
};

template <int N>
std::ostream& operator<<(std::ostream& out, const Percent<N>& p) {
    std::ios_base::fmtflags flags = out.flags();
    std::streamsize precision = out.precision();
    out << std::fixed;
    out.precision(N);
    out << float(p) * 100 << '%';
    out.flags(flags);
    out.precision(precision);
    return out;
}

template <int N>
std::istream& operator>>(std::istream& in, Percent<N>& p) {
    float number = 0;
    if (!(in >> number)) return in;
    std::string token;
    if (!in.eof()) {
        in >> token;
        // Only white space was left: no token, and not a failure.
        if (token.empty()) in.clear(in.rdstate() & ~std::ios_base::failbit);
    }
    bool atEnd = in.eof() || in.peek() == std::char_traits<char>::eof();
    if (!atEnd || (!token.empty() && token != "%")) {
        in.setstate(std::ios_base::failbit);
        return in;
    }
    p = number * 0.01f;
    return in;
}

}  // namespace Kor
