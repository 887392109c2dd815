// Masks and files for the contour and command tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "contour/bitmap.h"
#include "contour/read_options.h"

namespace test_masks {

// A bitmap drawn as text: '#' is a set pixel, anything else a clear one;
// every row has the same length.
img::bitmap from_art(const std::vector<std::string>& rows, std::uint32_t alignment = 4);

// Every bit of every row past the width is clear.
bool padding_clear(const img::bitmap& image);

// A path in the test's temporary directory, unique to the running test.
std::string temp_path(const std::string& name);

void write_file(const std::string& path, const std::string& bytes);

typedef void (*image_reader)(const std::string& file_name, img::bitmap& image, const img::read_options& options);

// Writes `bytes` to the test's file `name` and reads it with `read`.
img::bitmap read_bytes(image_reader read, const std::string& bytes, const std::string& name,
                       const img::read_options& options = {});

// The message of the img::io_error that reading the bytes throws, "" when
// they read; checks that its detail is the file name. The bitmap as the
// reader left it goes to `image_out`.
std::string refusal(image_reader read, const std::string& bytes, const std::string& name,
                    img::bitmap* image_out = nullptr);

// What reading a file that does not exist throws: the img::io_error's what(),
// "" when nothing is thrown. The file is temp_path("missing-file").
std::string missing_file_error(image_reader read);

// Little-endian header fields patched into an encoded BMP.
void put16(std::string& bytes, std::size_t offset, std::uint32_t value);
void put32(std::string& bytes, std::size_t offset, std::uint32_t value);

}  // namespace test_masks
