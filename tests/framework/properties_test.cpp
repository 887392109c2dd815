// The property system without an editor: the rules for several objects at
// once, accesses that meet objects they cannot read, conditions, the text
// forms of every value type, fields of a structure edited through it, and
// maps and composites filled once.
#include "tests/framework/editable_samples.h"

#include "framework/properties/extent_as_string.h"
#include "framework/properties/property_access.h"
#include "framework/properties/value_text.h"
#include "platform/debug_output.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <locale>
#include <sstream>

namespace kortest {
namespace {

using namespace Kor;

template <class T>
bool Read(const BasicProperty<T>& p, const ObjectList& objects, T& value) {
    return p.GetValue(objects, value);
}

TEST(Properties, AnEmptyListIsWritableVisibleAndHasNoValue) {
    ObjectList none;
    EXPECT_FALSE(Sample::countProperty.ReadOnly(none));
    EXPECT_TRUE(Sample::offsetProperty.Visible(none));
    unsigned v = 99;
    EXPECT_FALSE(Read(Sample::countProperty, none, v));
    Sample::countProperty.SetValue(none, 5u);  // nothing to write to
}

TEST(Properties, ObjectsThatDisagreeHaveNoValueAndWritesGoToEach) {
    Sample a, b;
    b.count = 2;
    ObjectList both{&a, nullptr, &b};  // a null entry is skipped
    unsigned v = 0;
    EXPECT_FALSE(Read(Sample::countProperty, both, v));
    EXPECT_EQ(v, 1u);  // the first object's value stays
    Sample::countProperty.SetValue(both, 7u);
    EXPECT_EQ(a.count, 7u);
    EXPECT_EQ(b.count, 7u);
    ASSERT_TRUE(Read(Sample::countProperty, both, v));
    EXPECT_EQ(v, 7u);

    // Read-only when any object says so, visible only when all do.
    b.locked = true;
    EXPECT_TRUE(Sample::countProperty.ReadOnly(both));
    EXPECT_FALSE(Sample::countProperty.ReadOnly(ObjectList{&a}));
    a.hidden = true;
    EXPECT_FALSE(Sample::offsetProperty.Visible(both));
    EXPECT_TRUE(Sample::offsetProperty.Visible(ObjectList{&b}));

    // Two NaNs agree; a NaN and a number do not.
    a.scale = b.scale = std::numeric_limits<float>::quiet_NaN();
    float f = 0;
    EXPECT_TRUE(Read(Sample::scaleProperty, both, f));
    EXPECT_TRUE(std::isnan(f));
    b.scale = 1;
    EXPECT_FALSE(Read(Sample::scaleProperty, both, f));
}

TEST(Properties, WithoutAWriteAPropertyIsReadOnlyAndAnUnreadableConditionShows) {
    Sample s;
    Property<unsigned> readOnly;
    readOnly.Read(boost::shared_ptr<ReadAccess<unsigned>>(new ObjectValue<Sample, unsigned>(&Sample::count)));
    readOnly.ReadOnlyWhen(boost::shared_ptr<ReadAccess<bool>>(new ObjectValue<Sample, bool>(&Sample::locked)));
    EXPECT_TRUE(readOnly.ReadOnly(s));
    readOnly.SetValue(s, 9u);
    EXPECT_EQ(s.count, 1u);

    // A condition on another class cannot be read: the control shows.
    Property<unsigned> p;
    p.VisibleWhen(boost::shared_ptr<ReadAccess<bool>>(new ObjectValue<Sample, bool>(nullptr)));
    EXPECT_TRUE(p.Visible(s));
    EXPECT_TRUE(p.Accept(s));  // no access refuses it
}

TEST(Properties, AccessesRefuseObjectsOfAnotherClass) {
    Sample s;
    Other o;
    // The same property object in both maps: it cannot reach an Other.
    EXPECT_TRUE(Sample::scaleProperty.Accept(s));
    EXPECT_FALSE(Sample::scaleProperty.Accept(o));
    float f = 5;
    EXPECT_FALSE(Sample::scaleProperty.GetValue(o, f));
    EXPECT_EQ(f, 5);
    Sample::scaleProperty.SetValue(o, 3.f);  // nothing happens, nothing breaks
    EXPECT_FALSE(Sample::scaleProperty.AcceptAll(ObjectList{&s, &o}));

    GetObjectValueFunction<Sample, const std::string*> none(nullptr);
    const std::string* p = nullptr;
    EXPECT_FALSE(none.GetValue(s, p));
    SetObjectRefFunction<Sample, Params> setter(&Sample::SetParams);
    setter.SetValue(o, Params());
    GetObjectRefFunction<Sample, Params> getter(&Sample::GetParams);
    Params params;
    EXPECT_FALSE(getter.GetValue(o, params));
    EXPECT_TRUE(getter.GetValue(s, params));
    EXPECT_FALSE(getter.Accept(o));
}

TEST(Properties, ConditionsCombineAndAnUnreadablePartStaysUnread) {
    Sample s;
    auto locked = boost::shared_ptr<ReadAccess<bool>>(new ObjectValue<Sample, bool>(&Sample::locked));
    auto hidden = boost::shared_ptr<ReadAccess<bool>>(new ObjectValue<Sample, bool>(&Sample::hidden));
    auto broken = boost::shared_ptr<ReadAccess<bool>>(new ObjectValue<Sample, bool>(nullptr));
    bool v = false;
    ASSERT_TRUE(NotReadBool(locked).GetValue(s, v));
    EXPECT_TRUE(v);
    EXPECT_FALSE(NotReadBool(broken).GetValue(s, v));
    OrReadBool either(locked, hidden);
    ASSERT_TRUE(either.GetValue(s, v));
    EXPECT_FALSE(v);
    s.hidden = true;
    ASSERT_TRUE(either.GetValue(s, v));
    EXPECT_TRUE(v);
    s.locked = true;
    EXPECT_TRUE(OrReadBool(locked, broken).GetValue(s, v));  // the first decides
    EXPECT_FALSE(OrReadBool(broken, locked).GetValue(s, v));
    Other o;
    EXPECT_FALSE(either.Accept(o));

    struct Sized : Editable<Sized> {
        plat::Size extent{640, 480};
        static void DeclareProperties(PropertyMapClassBase&) {}
    } sized;
    ExtentAsString text(boost::shared_ptr<ReadAccess<plat::Size>>(new ObjectValue<Sized, plat::Size>(&Sized::extent)));
    std::string t;
    ASSERT_TRUE(text.GetValue(sized, t));
    EXPECT_EQ(t, "640 x 480");
    EXPECT_FALSE(text.GetValue(s, t));
}

// An object that holds a shared pointer to a part of its own.
struct Engine {
    int power = 5;
    int GetPower() const { return power; }
    void SetPower(const int& p) { power = p; }
};
struct Car : Editable<Car> {
    boost::shared_ptr<Engine> engine{new Engine};
    static void DeclareProperties(PropertyMapClassBase&) {}
};

TEST(Properties, APartReachedThroughASharedPointerMayBeMissing) {
    Property<boost::shared_ptr<Engine>> engine;
    engine.ReadWrite(boost::shared_ptr<ReadWriteAccess<boost::shared_ptr<Engine>>>(
        new ObjectValue<Car, boost::shared_ptr<Engine>>(&Car::engine)));
    GetPropertySPtrValueFunction<Engine, int> get(engine, &Engine::GetPower);
    SetPropertySPtrValueFunction<Engine, int> set(engine, &Engine::SetPower);
    Car car;
    int v = 0;
    ASSERT_TRUE(get.GetValue(car, v));
    EXPECT_EQ(v, 5);
    set.SetValue(car, 7);
    EXPECT_EQ(car.engine->power, 7);
    car.engine.reset();  // no part: no value, no write, nothing breaks
    EXPECT_FALSE(get.GetValue(car, v));
    set.SetValue(car, 9);
    Sample other;  // the parent cannot read it at all
    EXPECT_FALSE(get.Accept(other));
    EXPECT_FALSE(get.GetValue(other, v));
    set.SetValue(other, 9);
}

TEST(ValueTexts, WholeNumbersAndTheirRanges) {
    unsigned u = 77;
    EXPECT_TRUE(ValueText<unsigned>::Parse("12", u));
    EXPECT_EQ(u, 12u);
    EXPECT_TRUE(ValueText<unsigned>::Parse("  13", u));
    EXPECT_EQ(u, 13u);
    for (const char* bad : {"12 ", "12a", "-1", "", "1.5", "4294967296", "99999999999999999999"})
        EXPECT_FALSE(ValueText<unsigned>::Parse(bad, u)) << bad;
    EXPECT_EQ(u, 13u);
    EXPECT_TRUE(ValueText<unsigned>::Parse("4294967295", u));
    EXPECT_EQ(u, 4294967295u);

    int i = 0;
    EXPECT_TRUE(ValueText<int>::Parse("-2147483648", i));
    EXPECT_EQ(i, std::numeric_limits<int>::min());
    EXPECT_TRUE(ValueText<int>::Parse("+7", i));
    EXPECT_EQ(i, 7);
    for (const char* bad : {"2147483648", "-2147483649", "7 ", "x7"})
        EXPECT_FALSE(ValueText<int>::Parse(bad, i)) << bad;
    EXPECT_EQ(ValueText<int>::Format(-12), "-12");
}

TEST(ValueTexts, FloatsReadWhatStartsTheTextAndShowSixDigits) {
    float f = 0;
    EXPECT_TRUE(ValueText<float>::Parse("1.5x", f));
    EXPECT_EQ(f, 1.5f);
    EXPECT_TRUE(ValueText<float>::Parse(" -2e3", f));
    EXPECT_EQ(f, -2000.f);
    EXPECT_FALSE(ValueText<float>::Parse("abc", f));
    EXPECT_FALSE(ValueText<float>::Parse("", f));
    EXPECT_EQ(f, -2000.f);
    EXPECT_EQ(ValueText<float>::Format(1234567.8f), "1.23457e+06");
    EXPECT_EQ(ValueText<float>::Format(0.1f), "0.1");
    std::string s;
    EXPECT_TRUE(ValueText<std::string>::Parse(" as typed ", s));
    EXPECT_EQ(s, " as typed ");
}

// A locale whose numbers use a decimal comma, as a German desktop's do.
struct CommaDecimal : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

TEST(ValueTexts, NumbersKeepTheirPointWhateverTheLocale) {
    std::locale old = std::locale::global(std::locale(std::locale::classic(), new CommaDecimal));
    float f = 0;
    EXPECT_TRUE(ValueText<float>::Parse("1.5", f));
    std::string shown = ValueText<float>::Format(1.5f);
    std::string big = ValueText<unsigned>::Format(1234567u);
    std::string percent = ValueText<Percent<1>>::Format(0.125f);
    std::locale::global(old);
    EXPECT_EQ(f, 1.5f);
    EXPECT_EQ(shown, "1.5");
    EXPECT_EQ(big, "1234567");
    EXPECT_EQ(percent, "12.5%");
}

TEST(Percents, ClampPrintAndRead) {
    EXPECT_EQ(float(Percent<1>(std::numeric_limits<float>::quiet_NaN())), 0.f);
    EXPECT_EQ(float(Percent<1>(-0.5f)), 0.f);
    EXPECT_EQ(float(Percent<1>(1.5f)), 1.f);
    std::ostringstream out;
    out.precision(3);
    out << Percent<1>(0.25f) << ' ' << Percent<0>(0.5f) << ' ' << Percent<3>(0.5f) << ' ' << 1.23456;
    EXPECT_EQ(out.str(), "25.0% 50% 50.000% 1.23");  // the stream's own format is back

    auto read = [](const char* text, Percent<1>& p) {
        std::istringstream in(text);
        return bool(in >> p);
    };
    Percent<1> p = 0.9f;
    for (const char* good : {"50", "50%", "50 %", " 50 %"}) {
        p = 0.9f;
        EXPECT_TRUE(read(good, p)) << good;
        EXPECT_FLOAT_EQ(float(p), 0.5f) << good;
    }
    EXPECT_TRUE(read("150%", p));
    EXPECT_EQ(float(p), 1.f);
    p = 0.9f;
    for (const char* bad : {"abc", "50x", "50 x", "50 % %", "50 % ", "%"}) {
        EXPECT_FALSE(read(bad, p)) << bad;
        EXPECT_FLOAT_EQ(float(p), 0.9f) << bad;
    }
}

TEST(StructProperties, AFieldEditWritesEachObjectsOwnStructureBack) {
    Sample a, b;
    Params pa, pb;
    pa.count = 10;
    pb.count = 20;
    pb.weight = 2;
    a.SetParams(pa);
    b.SetParams(pb);
    const PropertyMap* fields = Sample::paramsProperty.GetSubProperties();
    ASSERT_NE(fields, nullptr);
    ASSERT_EQ(fields->size(), 3u);
    EXPECT_EQ(fields->begin()->first.str(), "Count");  // byte order of the names
    auto* weight = dynamic_cast<BasicProperty<float>*>(fields->at("Weight"));
    ASSERT_NE(weight, nullptr);
    ObjectList both{&a, &b};
    float w = 0;
    EXPECT_FALSE(weight->GetValue(both, w));
    weight->SetValue(both, 7.f);
    EXPECT_EQ(a.GetParams().weight, 7.f);
    EXPECT_EQ(a.GetParams().count, 10u);
    EXPECT_EQ(b.GetParams().weight, 7.f);
    EXPECT_EQ(b.GetParams().count, 20u);
    EXPECT_EQ(a.paramWrites, 2);  // the whole structure went through the setter
    EXPECT_TRUE(weight->GetValue(both, w));

    // The parent's read-only condition does not bind its fields, but the
    // parent refuses what it cannot reach, and so do they.
    Other o;
    EXPECT_FALSE(weight->Accept(o));
    weight->SetValue(o, 1.f);
    EXPECT_EQ(fields->at("Count")->GetHint(both), "How many");
}

TEST(StructProperties, ASpanHasFirstAndLastFromTheStringTable) {
    Sample s;
    const PropertyMap* halves = Sample::rangeProperty.GetSubProperties();
    ASSERT_EQ(halves->size(), 2u);
    auto* first = dynamic_cast<BasicProperty<int>*>(halves->at("First"));
    auto* last = dynamic_cast<BasicProperty<int>*>(halves->at("Last"));
    ASSERT_TRUE(first && last);
    ObjectList one{&s};
    int v = 0;
    ASSERT_TRUE(last->GetValue(one, v));
    EXPECT_EQ(v, 5);
    first->SetValue(one, -3);
    EXPECT_EQ(s.range, Span(-3, 5));
}

// A composite whose parts ask for their parent's parts while being made.
class Reentrant : public CompositeProperty<int> {
public:
    int inits = 0;

protected:
    void Init() override {
        ++inits;
        GetSubProperties();
        Add("part", part_);
    }

private:
    Property<int> part_;
};

TEST(Composites, PartsAreMadeOnceOnTheFirstRequestEvenWhenTheyAskAgain) {
    Reentrant r;
    EXPECT_EQ(r.inits, 0);
    EXPECT_EQ(r.GetSubProperties()->size(), 1u);
    EXPECT_EQ(r.GetSubProperties()->size(), 1u);
    EXPECT_EQ(r.inits, 1);
}

// A class whose declaration asks for its own map while filling it.
class SelfAsking : public Editable<SelfAsking> {
public:
    static int declarations;
    static void DeclareProperties(PropertyMapClassBase& map) {
        ++declarations;
        ClassProperties();
        static Property<int> a, b;
        map.Add("a", a);
        EXPECT_FALSE(map.Add("a", b));  // a second "a" is refused
    }
};
int SelfAsking::declarations = 0;

TEST(Composites, AClassMapIsFilledOnceAndRefusesASecondName) {
    std::vector<std::string> debug;
    plat::SetDebugOutputSink([&](const std::string& s) { debug.push_back(s); });
    SelfAsking x, y;
    EXPECT_EQ(x.GetProperties().size(), 1u);
    EXPECT_EQ(&x.GetProperties(), &y.GetProperties());
    EXPECT_EQ(SelfAsking::declarations, 1);
    plat::SetDebugOutputSink(nullptr);
    ASSERT_EQ(debug.size(), 1u);
    EXPECT_NE(debug[0].find("\"a\""), std::string::npos);
    // A missing string is seen, and two of them are two names.
    EXPECT_EQ(ResourceString(49998u).str(), "#49998");
    EXPECT_NE(ResourceString(49998u), ResourceString(49999u));
}

// A listener that does something to the object while hearing of a change.
class Reacting : public EventListener {
public:
    std::function<void()> react;
    int heard = 0, gone = 0;
    void ProcessEvent(Event& e) override {
        if (dynamic_cast<EditableObject::ObjectGone*>(&e)) ++gone;
        if (!dynamic_cast<EditableObject::PropertyChange*>(&e)) return;
        ++heard;
        if (react) react();
    }
};

TEST(EditableObjects, ListenersMayComeAndGoWhileAChangeIsTold) {
    auto* s = new Sample;
    Reacting first, second, third;
    s->AddPropertyListener(&first);
    s->AddPropertyListener(&second);
    s->AddPropertyListener(&third);
    first.react = [&] {
        s->RemovePropertyListener(&second);  // not told any more
        s->AddPropertyListener(&first);      // told from the next change on
    };
    s->PropertiesChanged();
    EXPECT_EQ(first.heard, 1);
    EXPECT_EQ(second.heard, 0);
    EXPECT_EQ(third.heard, 1);
    first.react = [&] { delete s; };  // the walk ends there
    s->PropertiesChanged();
    EXPECT_EQ(first.heard, 2);
    EXPECT_EQ(third.heard, 1);
    EXPECT_EQ(first.gone, 2);  // added twice, told twice that the object went
    EXPECT_EQ(third.gone, 1);
    // A copy is a new object: nobody listens to it.
    Sample original;
    original.AddPropertyListener(&first);
    Sample copy(original);
    EXPECT_TRUE(copy.PropertyListeners().empty());
}

}  // namespace
}  // namespace kortest
