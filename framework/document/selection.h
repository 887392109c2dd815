// What is selected in a document. A selection knows its document while it
// is the current one; NullSelection stands for "nothing selected".
#pragma once

namespace Kor {

class Doc;

class Selection {
public:
    virtual ~Selection() = default;
    // Whether the two select the same thing; by default only a selection
    // equals itself.
    virtual bool Equals(const Selection& other) const { return this == &other; }
    Doc* GetDoc() const { return doc_; }

private:
    friend class Doc;
    Doc* doc_ = nullptr;
};

class NullSelection : public Selection {
public:
    bool Equals(const Selection& other) const override;
};

}  // namespace Kor
