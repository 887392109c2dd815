#include "contour/reader_errors.h"

#include <new>

#include "contour/io_error.h"

namespace img {

void naming_the_file(const char* format, const std::string& file_name, const std::function<void()>& read)
{
    try {
        read();
    } catch (io_error& e) {
        if (e.detail().empty()) e.set_detail(file_name);
        throw;
    } catch (const std::bad_alloc&) {
        throw io_error(std::string("not enough memory to read ") + format + " image", file_name);
    }
}

}  // namespace img
