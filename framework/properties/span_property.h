// Span: a pair of integers (the first and the last of a range), and its
// property: two int sub-properties, "First" and "Last" (strings 55001 and
// 55002), each editing its half through the span's own access.
#pragma once

#include "framework/properties/composite_property.h"
#include "framework/properties/property.h"
#include "framework/properties/property_access.h"

namespace Kor {

enum : unsigned { IDS_SPAN_FIRST = 55001, IDS_SPAN_LAST = 55002 };

struct Span {
    int first = 0;
    int last = 0;
    Span() = default;
    Span(int f, int l) : first(f), last(l) {}
    bool operator==(const Span& o) const { return first == o.first && last == o.last; }
    bool operator!=(const Span& o) const { return !(*this == o); }
};

template <>
class Property<Span> : public CompositeProperty<Span> {
public:
    explicit Property(bool defaultExpanded = false) : CompositeProperty<Span>(defaultExpanded) {}

protected:
    void Init() override {
        first_.ReadWrite(boost::shared_ptr<ReadWriteAccess<int>>(new PropertyValue<Span, int>(*this, &Span::first)));
        last_.ReadWrite(boost::shared_ptr<ReadWriteAccess<int>>(new PropertyValue<Span, int>(*this, &Span::last)));
        Add(ResourceString(IDS_SPAN_FIRST), first_);
        Add(ResourceString(IDS_SPAN_LAST), last_);
    }

private:
    Property<int> first_, last_;
};

}  // namespace Kor
