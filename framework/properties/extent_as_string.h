// The text form of a two-component extent (a width and a height) that
// another access reads: "640 x 480".
#pragma once

#include "framework/properties/access.h"
#include "platform/geometry.h"

#include <string>

namespace Kor {

class ExtentAsString : public ReadAccess<std::string> {
public:
    explicit ExtentAsString(boost::shared_ptr<ReadAccess<plat::Size>> extent) : extent_(std::move(extent)) {}
    bool Accept(const EditableObject& object) const override { return extent_ && extent_->Accept(object); }
    bool GetValue(const EditableObject& object, std::string& value) const override;

private:
    boost::shared_ptr<ReadAccess<plat::Size>> extent_;
};

}  // namespace Kor
