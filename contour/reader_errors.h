// What the image readers do with their errors on the way out.
#pragma once

#include <functional>
#include <string>

namespace img {

// Runs `read`, giving every img::io_error it throws the file name as detail
// when it has none yet; running out of memory becomes img::io_error "not
// enough memory to read <format> image", naming the file too.
void naming_the_file(const char* format, const std::string& file_name, const std::function<void()>& read);

}  // namespace img
