// Whether two values of a property are the same, for deciding whether the
// objects edited together agree: by ==, where two NaNs are the same value
// (an unset float read from two objects agrees); a type without == never
// agrees across objects.
#pragma once

#include <cmath>
#include <type_traits>
#include <utility>

namespace Kor {

namespace detail {
template <class T, class = void>
struct HasEquality : std::false_type {};
template <class T>
struct HasEquality<T, decltype(void(std::declval<const T&>() == std::declval<const T&>()))> : std::true_type {};
}  // namespace detail

template <class T>
bool ValuesEqual(const T& a, const T& b) {
    if constexpr (std::is_floating_point<T>::value) {
        return a == b || (std::isnan(a) && std::isnan(b));
    } else if constexpr (detail::HasEquality<T>::value) {
        return bool(a == b);
    } else {
        (void)a;
        (void)b;
        return false;
    }
}

}  // namespace Kor
