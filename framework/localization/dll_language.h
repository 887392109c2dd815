// The language of a library: registered in the shared list, it loads the
// application's language whenever the application language is set up, so
// the library's strings follow the program's language. Its catalogue is
// searched after the program's resources and before the library's own.
#pragma once

#include "framework/localization/basic_language.h"

namespace Kor {

class DLLLanguage : public BasicLanguage {
public:
    ~DLLLanguage() override;
    // `owner`: the library's path. Registers this object; when the
    // application language is already set up, its language is loaded now.
    void Init(const std::string& owner);

protected:
    void JoinChain(const std::shared_ptr<plat::ResourceModule>& module) override;
};

// Korvane's own language object (its catalogues are "libkorvane.enu" and
// "libkorvane.rus" beside the library).
DLLLanguage& LibraryLanguage();

}  // namespace Kor
