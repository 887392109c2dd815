// Masks and files for the contour and command tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "contour/bitmap.h"

namespace test_masks {

// A bitmap drawn as text: '#' is a set pixel, anything else a clear one;
// every row has the same length.
img::bitmap from_art(const std::vector<std::string>& rows, std::uint32_t alignment = 4);

// Every bit of every row past the width is clear.
bool padding_clear(const img::bitmap& image);

// A path in the test's temporary directory, unique to the running test.
std::string temp_path(const std::string& name);

void write_file(const std::string& path, const std::string& bytes);

// Little-endian header fields patched into an encoded BMP.
void put16(std::string& bytes, std::size_t offset, std::uint32_t value);
void put32(std::string& bytes, std::size_t offset, std::uint32_t value);

}  // namespace test_masks
