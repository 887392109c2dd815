// The values of an enumeration that a drop-down offers, with their labels,
// in the order shown. A program describes each enumeration it edits:
//
//     template <> struct Kor::EnumChoices<Shape> {
//         static std::vector<Kor::EnumChoice<Shape>> Get() {
//             return {{Shape::Round, IDS_ROUND}, {Shape::Square, IDS_SQUARE}};
//         }
//     };
#pragma once

#include "framework/localization/resource_string.h"

#include <vector>

namespace Kor {

template <class E>
struct EnumChoice {
    E value;
    ResourceString label;
};

template <class E>
struct EnumChoices;

}  // namespace Kor
