#include "fitting/text_formats.h"

#include <cctype>
#include <cmath>
#include <locale>
#include <sstream>

namespace outline {

namespace {

bool usable_value(float v)
{
    return std::isfinite(v) && std::fabs(v) <= max_pin_magnitude;
}

// A record that was read whole and can be a pin on a mask.
bool usable_record(const pin_record& r)
{
    return usable_value(r.x) && usable_value(r.y) && usable_value(r.radius) && r.radius >= 0;
}

// The flag is a token of its own: after it comes whitespace or the end.
bool flag_ends_here(std::istream& in)
{
    const std::istream::int_type next = in.peek();
    return next == std::istream::traits_type::eof() || std::isspace(next);
}

}  // namespace

std::string control_points_text(const std::vector<real_point>& points)
{
    std::ostringstream out;
    out.imbue(std::locale::classic());
    for (const real_point& p : points)
        out << p.x << '\t' << p.y << '\n';
    return out.str();
}

std::string pins_text(const std::vector<area>& areas)
{
    std::ostringstream out;
    out.imbue(std::locale::classic());
    for (const area& a : areas)
        out << a.x << '\t' << a.y << '\t' << a.radius << '\t' << a.smooth << '\n';
    return out.str();
}

std::vector<pin_record> read_pins_text(const std::string& text, bool* complete)
{
    std::istringstream in(text);
    in.imbue(std::locale::classic());
    std::vector<pin_record> records;
    pin_record r;
    std::streampos record_start = in.tellg();
    while (in >> r.x >> r.y >> r.radius >> r.smooth && flag_ends_here(in) && usable_record(r)) {
        records.push_back(r);
        record_start = in.tellg();
    }
    if (complete) {
        // Whatever the failed record began with: only whitespace is no loss.
        const std::string::size_type rest =
            record_start == std::streampos(-1) ? text.size() : std::string::size_type(record_start);
        *complete = text.find_first_not_of(" \t\n\v\f\r", rest) == std::string::npos;
    }
    return records;
}

}  // namespace outline
