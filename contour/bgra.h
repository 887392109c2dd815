// One pixel of a 32-bit colour image, its channels in memory order: blue,
// green, red, alpha (an alpha of 255 is opaque). The program's colour
// settings are held as BGRA<unsigned char>.
#pragma once

namespace img {

template <class T>
struct BGRA {
    T b = T();
    T g = T();
    T r = T();
    T a = T();

    BGRA() = default;
    BGRA(T blue, T green, T red, T alpha) : b(blue), g(green), r(red), a(alpha) {}

    bool operator==(const BGRA& o) const { return b == o.b && g == o.g && r == o.r && a == o.a; }
    bool operator!=(const BGRA& o) const { return !(*this == o); }
};

}  // namespace img
