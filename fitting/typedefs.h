// The curve vocabulary of the fitting engine: nodes of the traced polyline,
// real points and vectors, piece estimates and pins.
//
// Terms used throughout the engine:
//   N          number of distinct nodes of the closed polyline.
//   doubled    the polyline as a builder holds it: the N nodes followed by the
//              same N nodes again, so node i and node i + N are one place and
//              any run of up to N + 1 nodes starting below N needs no wrap.
//   piece      a run of consecutive nodes s .. s + length - 1 fitted by one
//              cubic Bezier; its end nodes are its junctions; length >= 4.
//   junctions  std::vector<unsigned>, strictly increasing, last = first + N;
//              piece i covers nodes junctions[i] .. junctions[i + 1].
//   poly-Bezier  3m + 1 real points for m pieces, last equal to first.
#pragma once

#include <cstddef>
#include <vector>

namespace outline {

// A point of two coordinates of type T; with a real T it is also the
// difference of two points (a vector). Arithmetic is member-wise in T.
template <class T>
struct basic_point {
    T x;
    T y;
};

template <class T>
inline bool operator==(basic_point<T> a, basic_point<T> b) { return a.x == b.x && a.y == b.y; }
template <class T>
inline bool operator!=(basic_point<T> a, basic_point<T> b) { return !(a == b); }
template <class T>
inline basic_point<T> operator+(basic_point<T> a, basic_point<T> b) { return {a.x + b.x, a.y + b.y}; }
template <class T>
inline basic_point<T> operator-(basic_point<T> a, basic_point<T> b) { return {a.x - b.x, a.y - b.y}; }
// Scalar times point: the scalar is a finished value, each coordinate is one
// product, so (u*u*u) * p rounds exactly like u*u*u*p.x per coordinate.
template <class T>
inline basic_point<T> operator*(T k, basic_point<T> p) { return {k * p.x, k * p.y}; }
template <class T>
inline basic_point<T> operator*(basic_point<T> p, T k) { return {p.x * k, p.y * k}; }

// What a search remembers of one fitted piece.
template <class R>
struct basic_piece_estimate {
    R discrepancy;          // fit_piece's result; -1 marks an unusable entry (guided tables)
    basic_point<R> d1;      // P1 - P0: start tangent, into the piece
    basic_point<R> d2;      // P2 - P3: end tangent, from the last node back into the piece
};

// The real type and what is built on it.
template <class R>
struct typedefsR {
    typedef R real;
    typedef basic_point<R> real_point;
    typedef basic_point<R> real_vector;
    typedef std::vector<real_point> real_points;
    typedef basic_piece_estimate<R> piece_estimate;
};

// Adds the node coordinate type C and the node built on it.
template <class C, class R>
struct typedefs : typedefsR<R> {
    typedef C coord;
    typedef basic_point<C> node;
    typedef std::vector<node> nodes;
};

// The single instantiation the program uses.
using node = basic_point<unsigned short>;
using real_point = basic_point<float>;
using real_vector = basic_point<float>;
using piece_estimate = basic_piece_estimate<float>;

inline real_point to_real(node n) { return {float(n.x), float(n.y)}; }

// A pin: a circle in which exactly one junction must lie.
struct area {
    float x = 0;                 // centre, bitmap pixels
    float y = 0;
    float radius = 0;
    std::vector<unsigned> nodes; // candidate junction nodes (0 .. N-1) inside the circle, ascending
    bool smooth = true;          // junction keeps a continuous tangent; false allows a corner
};

}  // namespace outline
