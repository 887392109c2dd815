#include "contour/read_png.h"

#include <png.h>
#include <sys/types.h>

#include <cstdint>
#include <cstdio>
#include <new>
#include <vector>

#include "contour/image_size.h"
#include "contour/luma_rule.h"
#include "contour/reader_errors.h"

namespace img {

namespace {

const char* const read_error_message = "could not open PNG image for reading or read error";

// A deflate stream of n bytes inflates to at most 1032 n bytes: its densest
// code spends two bits on a 258-byte copy.
constexpr std::uint64_t max_inflate_ratio = 1032;

// libpng's structures and the file, freed on every exit. libpng reports an
// error by a long jump back to the function that called into it, so those
// functions (read_header, read_pixels and what they call) hold no object
// with a destructor: the jump would skip it.
struct png_session {
    std::FILE* file = nullptr;
    png_structp png = nullptr;
    png_infop info = nullptr;
    bool cut_short = false;  // the file ended before libpng was done with it
    char message[200] = "";  // libpng's reason for its last error

    png_session() = default;
    png_session(const png_session&) = delete;
    png_session& operator=(const png_session&) = delete;
    ~png_session()
    {
        if (png) png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
        if (file) std::fclose(file);
    }
};

void on_error(png_structp png, png_const_charp message)
{
    png_session& s = *static_cast<png_session*>(png_get_error_ptr(png));
    std::snprintf(s.message, sizeof s.message, "%s", message);
    png_longjmp(png, 1);
}

void on_warning(png_structp, png_const_charp) {}

void on_read(png_structp png, png_bytep data, png_size_t length)
{
    png_session& s = *static_cast<png_session*>(png_get_io_ptr(png));
    if (std::fread(data, 1, length, s.file) != length) {
        s.cut_short = true;
        png_error(png, "file cut short");
    }
}

// The image and its rows as libpng hands them over.
struct png_layout {
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    bool interlaced = false;           // Adam7: seven passes of sub-images
    int channels = 0;                  // 1 grey, 2 grey and alpha, 3 colour, 4 colour and alpha
    int bit_depth = 0;                 // 8 or 16; 16-bit samples are big-endian
    png_size_t row_bytes = 0;          // of a whole row
    std::uint64_t least_inflated = 0;  // bytes the compressed data must at least inflate to
};

// The pixels of one pass: row j of the pass, column i, is pixel
// (x0 + i dx, y0 + j dy).
struct pass_grid {
    png_uint_32 x0, dx, y0, dy, columns, rows;
};

pass_grid grid(const png_layout& layout, int pass)
{
    const png_uint_32 w = layout.width, h = layout.height;
    if (!layout.interlaced) return {0, 1, 0, 1, w, h};
    return {png_uint_32(PNG_PASS_START_COL(pass)), png_uint_32(PNG_PASS_COL_OFFSET(pass)),
            png_uint_32(PNG_PASS_START_ROW(pass)), png_uint_32(PNG_PASS_ROW_OFFSET(pass)),
            png_uint_32(PNG_PASS_COLS(w, pass)),   png_uint_32(PNG_PASS_ROWS(h, pass))};
}

// Reads the header and sets the transformations: palettes become colour,
// grey below 8 bits becomes 8-bit, a transparency chunk becomes alpha.
// Interlacing is left to read_pixels, which places each pass's pixels
// itself, so no whole image of samples is ever held. False when libpng
// refused the file.
bool read_header(png_session& s, png_layout& layout)
{
    if (setjmp(png_jmpbuf(s.png))) return false;
    png_read_info(s.png, s.info);
    layout.width = png_get_image_width(s.png, s.info);
    layout.height = png_get_image_height(s.png, s.info);
    layout.interlaced = png_get_interlace_type(s.png, s.info) != PNG_INTERLACE_NONE;
    const std::uint64_t stored_bits = std::uint64_t(png_get_channels(s.png, s.info)) * png_get_bit_depth(s.png, s.info);
    layout.least_inflated = std::uint64_t(layout.width) * layout.height / 8 * stored_bits;
    png_set_expand(s.png);
    png_read_update_info(s.png, s.info);
    layout.channels = png_get_channels(s.png, s.info);
    layout.bit_depth = png_get_bit_depth(s.png, s.info);
    layout.row_bytes = png_get_rowbytes(s.png, s.info);
    return true;
}

// Sets the pixels of one row of a pass whose samples are in `row`.
void put_row(const png_byte* row, const png_layout& layout, const pass_grid& g, const luma_rule& rule,
             bitmap::byte* out)
{
    const bool wide = layout.bit_depth == 16;
    const auto sample = [row, wide](png_uint_32 i) -> std::uint32_t {
        return wide ? std::uint32_t(row[2 * i]) << 8 | row[2 * i + 1] : row[i];
    };
    png_uint_32 i = 0, x = g.x0;
    for (png_uint_32 k = 0; k < g.columns; ++k, x += g.dx) {
        bool set;
        switch (layout.channels) {
            case 1:
                set = rule.grey(sample(i));
                break;
            case 2:
                set = rule.opaque(sample(i + 1)) && rule.grey(sample(i));
                break;
            case 3:
                set = rule.colour(sample(i), sample(i + 1), sample(i + 2));
                break;
            default:
                set = rule.opaque(sample(i + 3)) && rule.colour(sample(i), sample(i + 1), sample(i + 2));
                break;
        }
        if (set) out[x >> 3] |= bitmap::byte(0x80u >> (x & 7));
        i += png_uint_32(layout.channels);
    }
}

void read_passes(png_session& s, const png_layout& layout, png_byte* row, bitmap& image, const luma_rule& rule)
{
    for (int pass = 0; pass < (layout.interlaced ? 7 : 1); ++pass) {
        const pass_grid g = grid(layout, pass);
        if (g.columns == 0)  // libpng skips empty passes
            continue;
        for (png_uint_32 j = 0; j < g.rows; ++j) {
            png_read_row(s.png, row, nullptr);
            put_row(row, layout, g, rule, image.row(g.y0 + j * g.dy));
        }
    }
    png_read_end(s.png, nullptr);
}

// Reads every row into `image`, which starts all clear. False when libpng
// refused the file.
bool read_pixels(png_session& s, const png_layout& layout, png_byte* row, bitmap& image, const luma_rule& rule)
{
    if (setjmp(png_jmpbuf(s.png))) return false;
    read_passes(s, layout, row, image, rule);
    return true;
}

[[noreturn]] void refuse(const png_session& s)
{
    if (s.cut_short) throw io_error(read_error_message);
    throw io_error(std::string("could not decode PNG image (") + s.message + ")");
}

void decode(const std::string& file_name, bitmap& image, const read_options& options)
{
    png_session s;
    s.file = std::fopen(file_name.c_str(), "rb");
    if (!s.file || fseeko(s.file, 0, SEEK_END) != 0) throw io_error(read_error_message);
    const off_t file_bytes = ftello(s.file);
    if (file_bytes < 0 || fseeko(s.file, 0, SEEK_SET) != 0) throw io_error(read_error_message);

    s.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &s, on_error, on_warning);
    if (s.png) s.info = png_create_info_struct(s.png);
    if (!s.info) throw std::bad_alloc();
    png_set_read_fn(s.png, &s, on_read);
#ifdef VEXILO_FUZZING
    png_set_crc_action(s.png, PNG_CRC_QUIET_USE, PNG_CRC_QUIET_USE);
    png_set_option(s.png, PNG_IGNORE_ADLER32, PNG_OPTION_ON);
#endif

    png_layout layout;
    if (!read_header(s, layout)) refuse(s);
    check_image_size("PNG", layout.width, layout.height);
    if (layout.least_inflated > std::uint64_t(file_bytes) * max_inflate_ratio) throw io_error(read_error_message);
    const luma_rule rule(options, layout.bit_depth == 16 ? 65535 : 255);

    std::vector<png_byte> row(layout.row_bytes);
    image.set_top_down(true);
    image.resize(layout.width, layout.height, 4);
    image.fill(false);
    if (!read_pixels(s, layout, row.data(), image, rule)) refuse(s);
}

}  // namespace

void read_png(const std::string& file_name, bitmap& image, const read_options& options)
{
    naming_the_file("PNG", file_name, [&] { decode(file_name, image, options); });
}

}  // namespace img
