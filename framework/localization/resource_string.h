// A display text given either as plain text or as a string-resource number
// (whose text is taken in the current language when the object is made; a
// number no module holds shows as "#55001", so that it is seen and two
// missing names do not both become ""). Property names use it as map keys:
// keys compare by their text.
#pragma once

#include <string>

namespace Kor {

class ResourceString {
public:
    ResourceString() = default;
    ResourceString(const char* text) : text_(text ? text : "") {}
    ResourceString(std::string text) : text_(std::move(text)) {}
    explicit ResourceString(unsigned id);

    const std::string& str() const { return text_; }
    const char* c_str() const { return text_.c_str(); }
    unsigned GetId() const { return id_; }  // 0 for plain text
    operator const std::string&() const { return text_; }

    bool operator<(const ResourceString& o) const { return text_ < o.text_; }
    bool operator==(const ResourceString& o) const { return text_ == o.text_; }
    bool operator!=(const ResourceString& o) const { return text_ != o.text_; }

private:
    std::string text_;
    unsigned id_ = 0;
};

}  // namespace Kor
