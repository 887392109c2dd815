// What every fuzz target does with an input: writes it to a file of the
// process's own (the readers take file names), reads it with one reader,
// and traces every outline of what it gives, checking that the outlines
// walk each boundary crack once and close. A failed check aborts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "contour/bitmap.h"
#include "contour/read_options.h"

namespace fuzz {

typedef void (*reader)(const std::string& file_name, img::bitmap& image, const img::read_options& options);

int run_reader(const std::uint8_t* data, std::size_t size, reader read);

}  // namespace fuzz
