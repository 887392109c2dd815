// The control-points and pins texts and reading pins back.
#include <gtest/gtest.h>

#include <clocale>
#include <locale>

#include "fitting/text_formats.h"

using namespace outline;

namespace {

area pin(float x, float y, float radius, bool smooth)
{
    area a;
    a.x = x;
    a.y = y;
    a.radius = radius;
    a.smooth = smooth;
    return a;
}

}  // namespace

TEST(TextFormats, NumbersAreWrittenAsAStreamWritesAFloat)
{
    EXPECT_EQ(control_points_text({}), "");
    EXPECT_EQ(control_points_text({{1.5f, 2.0f}, {1234567.0f, 0.000012345f}, {-0.1f, 100000.0f}}),
              "1.5\t2\n1.23457e+06\t1.2345e-05\n-0.1\t100000\n");

    EXPECT_EQ(pins_text({pin(3.25f, 7.0f, 2.5f, false), pin(3.25f, 7.0f, 2.5f, true)}),
              "3.25\t7\t2.5\t0\n3.25\t7\t2.5\t1\n");
}

TEST(TextFormats, PinsReadBackRoundedToSixDigits)
{
    const area a = pin(10.123456789f, 0.5f, 3.0f, false);
    bool complete = false;
    const std::vector<pin_record> r = read_pins_text(pins_text({a, a}), &complete);
    EXPECT_TRUE(complete);
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[1].x, 10.1235f);
    EXPECT_EQ(r[1].y, 0.5f);
    EXPECT_EQ(r[1].radius, 3.0f);
    EXPECT_FALSE(r[1].smooth);
}

TEST(TextFormats, ReadingStopsAtTheFirstIncompleteRecord)
{
    bool complete = true;
    // Line breaks are only whitespace.
    EXPECT_EQ(read_pins_text("1\n2\n3 1 4 5\n6\n0\n", &complete).size(), 2u);
    EXPECT_TRUE(complete);

    // Only 0 and 1 are flags: the 2 ends the reading, the last record too.
    std::vector<pin_record> r = read_pins_text("1 2 3 1\n4 5 6 2\n7 8 9 0\n", &complete);
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].x, 1.0f);
    EXPECT_TRUE(r[0].smooth);
    EXPECT_FALSE(complete);

    EXPECT_EQ(read_pins_text("1 2 3 1 4 5", &complete).size(), 1u);
    EXPECT_FALSE(complete);
    EXPECT_EQ(read_pins_text("x 2 3 1", &complete).size(), 0u);
    EXPECT_FALSE(complete);
    EXPECT_EQ(read_pins_text("1 2 3 true", &complete).size(), 0u);
    EXPECT_EQ(read_pins_text("", &complete).size(), 0u);
    EXPECT_TRUE(complete);
}

TEST(TextFormats, TheTextsIgnoreTheProgramLocale)
{
    // A locale with a decimal comma must not leak into the texts.
    struct comma : std::numpunct<char> {
        char do_decimal_point() const override { return ','; }
    };
    const std::locale old = std::locale::global(std::locale(std::locale::classic(), new comma));
    const std::string text = control_points_text({{1.5f, 2.25f}});
    const std::vector<pin_record> r = read_pins_text("1.5 2 3 1");
    std::locale::global(old);
    EXPECT_EQ(text, "1.5\t2.25\n");
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].x, 1.5f);
}

TEST(TextFormats, ValuesNoPinCanHaveEndTheReading)
{
    bool complete = true;
    // A negative radius, a magnitude past a million (the view's pixels would
    // overflow) and numbers that do not fit a float end the reading there.
    for (const char* bad : {"5 5 -1 1", "5 5 3e9 1", "-2e6 5 3 1", "5 1000001 3 1", "5 5 1e40 1", "nan 5 3 1",
                            "5 inf 3 0"}) {
        const std::vector<pin_record> r = read_pins_text(std::string("1 2 3 1\n") + bad + "\n7 8 9 0\n", &complete);
        ASSERT_EQ(r.size(), 1u) << bad;
        EXPECT_FALSE(complete) << bad;
    }
    // The limits themselves are pins.
    const std::vector<pin_record> r = read_pins_text("-1e6 1e6 0 0\n", &complete);
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].x, -1e6f);
    EXPECT_EQ(r[0].radius, 0.0f);
    EXPECT_TRUE(complete);
}

TEST(TextFormats, AFlagIsATokenOfItsOwn)
{
    // "1.0" would read as 1 and leave ".0" to shift every later record.
    bool complete = true;
    EXPECT_EQ(read_pins_text("1 2 3 1.0 4 5 6 1\n", &complete).size(), 0u);
    EXPECT_FALSE(complete);
    EXPECT_EQ(read_pins_text("1 2 3 1x", &complete).size(), 0u);
    const std::vector<pin_record> r = read_pins_text("1 2 3 1\t4 5 6 0\r\n7 8 9 1", &complete);
    ASSERT_EQ(r.size(), 3u);
    EXPECT_FALSE(r[1].smooth);
    EXPECT_TRUE(complete);
}
