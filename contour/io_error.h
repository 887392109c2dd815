// The exceptions of the BMP reader.
#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <utility>

namespace img {

// A file that could not be read: what() is message + ": " + detail, and the
// reader puts the file name into the detail.
class io_error : public std::exception {
public:
    explicit io_error(std::string message, std::string detail = std::string());

    const char* what() const noexcept override;
    const std::string& message() const { return message_; }
    const std::string& detail() const { return detail_; }
    void set_detail(std::string detail) { detail_ = std::move(detail); }

private:
    std::string message_;
    std::string detail_;
    mutable std::string text_;  // what() builds it on each call
};

// A readable file in a format the reader does not take.
class unsupported : public io_error {
public:
    // Why the file was refused; the value says what was found instead.
    enum mode_type : std::uint32_t {
        bad_signature = 0,   // value: the first 16-bit word (not "BM")
        compressed = 1,      // value: the compression field
        bad_bit_count = 2,   // value: the bits per pixel
        negative_width = 4,  // value: the width
    };

    unsupported(std::uint32_t mode, std::uint32_t value);

    std::uint32_t mode() const { return mode_; }
    std::uint32_t value() const { return value_; }

private:
    std::uint32_t mode_;
    std::uint32_t value_;
};

}  // namespace img
