#include "contour/read_pnm.h"

#include <cstdint>
#include <fstream>
#include <vector>

#include "contour/image_size.h"
#include "contour/luma_rule.h"
#include "contour/reader_errors.h"

namespace img {

namespace {

const char* const read_error_message = "could not open PNM image for reading or read error";

typedef std::uint8_t byte;

[[noreturn]] void invalid(const std::string& what)
{
    throw io_error("invalid PNM image (" + what + ")");
}
[[noreturn]] void cut_short()
{
    throw io_error(read_error_message);
}

bool is_space(int c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}
bool is_digit(int c)
{
    return c >= '0' && c <= '9';
}

// The file's bytes, read through the stream buffer's own buffering.
class pnm_input {
public:
    explicit pnm_input(std::filebuf& file) : file_(file) {}

    int get() { return file_.sbumpc(); }  // EOF at the end
    // Skips white space and comments; the first other byte stays unread.
    void skip_space()
    {
        for (int c = file_.sgetc();; c = file_.sgetc()) {
            if (is_space(c)) {
                file_.sbumpc();
            } else if (c == '#') {
                while (c != '\n' && c != '\r' && c != eof) c = file_.snextc();
            } else {
                return;
            }
        }
    }
    // A decimal number after white space and comments.
    std::uint32_t number(const char* what)
    {
        skip_space();
        int c = file_.sgetc();
        if (c == eof) cut_short();
        if (!is_digit(c)) invalid(std::string("no ") + what + " where one is expected");
        std::uint64_t value = 0;
        for (; is_digit(c); c = file_.snextc()) {
            value = value * 10 + unsigned(c - '0');
            if (value > 0xFFFFFFFFu) invalid(std::string(what) + " too large");
        }
        return std::uint32_t(value);
    }
    void read(byte* data, std::size_t n)
    {
        if (std::size_t(file_.sgetn(reinterpret_cast<char*>(data), std::streamsize(n))) != n) cut_short();
    }
    // Bytes from here to the end of the file.
    std::uint64_t remaining()
    {
        const std::streamoff here = file_.pubseekoff(0, std::ios::cur, std::ios::in);
        const std::streamoff end = file_.pubseekoff(0, std::ios::end, std::ios::in);
        if (here < 0 || end < here || file_.pubseekpos(here, std::ios::in) != here) cut_short();
        return std::uint64_t(end - here);
    }

private:
    static constexpr int eof = std::char_traits<char>::eof();
    std::filebuf& file_;
};

// What the header says.
struct pnm_header {
    int kind = 0;  // 1 to 6: the digit after 'P'
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t maxval = 1;  // 1 for PBM
    bool raw() const { return kind >= 4; }
    bool bilevel() const { return kind == 1 || kind == 4; }
    unsigned samples() const { return kind == 3 || kind == 6 ? 3 : 1; }  // per pixel
    unsigned sample_bytes() const { return maxval > 255 ? 2 : 1; }       // raw PGM and PPM
};

pnm_header read_header(pnm_input& in)
{
    pnm_header h;
    const int p = in.get(), digit = in.get();
    if (p != 'P' || digit < '1' || digit > '6') invalid("not a PBM, PGM or PPM file");
    h.kind = digit - '0';
    h.width = in.number("width");
    h.height = in.number("height");
    if (!h.bilevel()) {
        h.maxval = in.number("maxval");
        if (h.maxval == 0 || h.maxval > 65535) invalid("maxval " + std::to_string(h.maxval) + ", not 1 to 65535");
    }
    // One white space byte ends the header of a raw file; the pixels follow.
    if (h.raw()) {
        const int c = in.get();
        if (c == std::char_traits<char>::eof()) cut_short();
        if (!is_space(c)) invalid("no white space after the header");
    }
    return h;
}

// The least number of bytes that can hold the pixels: raw rows exactly,
// plain ones with one character a pixel (PBM) or a digit and a separator a
// sample.
std::uint64_t least_data_bytes(const pnm_header& h)
{
    const std::uint64_t w = h.width, n = w * h.height * h.samples();
    if (h.kind == 4) return (w + 7) / 8 * h.height;
    if (h.raw()) return n * h.sample_bytes();
    if (h.bilevel() || n == 0) return n;
    return 2 * n - 1;
}

std::uint32_t checked(std::uint32_t sample, const pnm_header& h)
{
    if (sample > h.maxval) invalid("sample " + std::to_string(sample) + " above maxval " + std::to_string(h.maxval));
    return sample;
}

void read_raw_bilevel(pnm_input& in, const pnm_header& h, const luma_rule& rule, bitmap& image)
{
    // A 1 bit is black (luma 0), a 0 bit white (luma 1).
    const byte black = rule.grey(0) ? 0xFF : 0x00, white = rule.grey(1) ? 0xFF : 0x00;
    const std::size_t bytes = bitmap::row_bytes(h.width);
    const byte last_mask = byte(0xFF << (7 - (h.width - 1) % 8));
    for (std::uint32_t y = 0; y < h.height; ++y) {
        byte* row = image.row(y);
        in.read(row, bytes);
        for (std::size_t i = 0; i < bytes; ++i) row[i] = byte((row[i] & black) | (~row[i] & white));
        row[bytes - 1] &= last_mask;
    }
}

void read_raw(pnm_input& in, const pnm_header& h, const luma_rule& rule, bitmap& image)
{
    const unsigned step = h.samples() * h.sample_bytes();
    std::vector<byte> samples(std::size_t(h.width) * step);
    const bool wide = h.sample_bytes() == 2;
    for (std::uint32_t y = 0; y < h.height; ++y) {
        in.read(samples.data(), samples.size());
        const byte* p = samples.data();
        const auto sample = [&p, wide, &h] {
            const std::uint32_t v = wide ? std::uint32_t(p[0]) << 8 | p[1] : p[0];
            p += wide ? 2 : 1;
            return checked(v, h);
        };
        for (std::uint32_t x = 0; x < h.width; ++x) {
            bool set;
            if (h.samples() == 1) {
                set = rule.grey(sample());
            } else {
                const std::uint32_t r = sample(), g = sample(), b = sample();
                set = rule.colour(r, g, b);
            }
            image.set(x, y, set);
        }
    }
}

void read_plain(pnm_input& in, const pnm_header& h, const luma_rule& rule, bitmap& image)
{
    for (std::uint32_t y = 0; y < h.height; ++y)
        for (std::uint32_t x = 0; x < h.width; ++x) {
            bool set;
            if (h.bilevel()) {
                in.skip_space();
                const int c = in.get();
                if (c == std::char_traits<char>::eof()) cut_short();
                if (c != '0' && c != '1') invalid("a character other than 0 or 1 among the pixels");
                set = rule.grey(c == '0');
            } else if (h.samples() == 1) {
                set = rule.grey(checked(in.number("sample"), h));
            } else {
                const std::uint32_t r = checked(in.number("sample"), h), g = checked(in.number("sample"), h),
                                    b = checked(in.number("sample"), h);
                set = rule.colour(r, g, b);
            }
            image.set(x, y, set);
        }
}

void decode(const std::string& file_name, bitmap& image, const read_options& options)
{
    std::filebuf file;
    if (!file.open(file_name, std::ios::in | std::ios::binary)) cut_short();
    pnm_input in(file);
    const pnm_header h = read_header(in);
    check_image_size("PNM", h.width, h.height);
    if (in.remaining() < least_data_bytes(h)) cut_short();
    const luma_rule rule(options, h.maxval);

    image.set_top_down(true);
    image.resize(h.width, h.height, 4);
    image.fill(false);
    if (image.size() == 0) return;
    if (h.kind == 4)
        read_raw_bilevel(in, h, rule, image);
    else if (h.raw())
        read_raw(in, h, rule, image);
    else
        read_plain(in, h, rule, image);
}

}  // namespace

void read_pnm(const std::string& file_name, bitmap& image, const read_options& options)
{
    naming_the_file("PNM", file_name, [&] { decode(file_name, image, options); });
}

}  // namespace img
