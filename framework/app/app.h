// App<D, F>: the application object of a program whose document is a D
// (derived from Kor::Doc) and whose main frame is an F (derived from
// Kor::Frame and made from a D&). It owns both; the frame goes first.
//
// Start-up, in order: construct the application, set the settings key,
// InitLanguage, InitApplication (profile settings, frame creation), Run.
#pragma once

#include "framework/app/app_base.h"
#include "framework/document/doc.h"
#include "framework/frame/frame.h"

#include <memory>

namespace Kor {

template <class D, class F>
class App : public AppBase {
public:
    explicit App(plat::BackendKind kind = plat::BackendKind::Auto) : AppBase(kind) {}
    ~App() override { ExitInstance(); }

    D& GetDoc() override { return doc_; }
    const D& GetDoc() const override { return doc_; }
    F& GetFrame() override { return *frame_; }
    const F& GetFrame() const override { return *frame_; }
    bool HasFrame() const override { return frame_ != nullptr; }

    // Loads the profile settings (a recent-file list of `mruSize`), makes
    // the main frame for the document and loads it from `frameResource`.
    // False when the frame cannot be made.
    virtual bool InitApplication(unsigned frameResource = 128, unsigned mruSize = 10) {
        LoadStdProfileSettings(mruSize);
        frame_ = std::make_unique<F>(doc_);
        if (LoadFrame(*frame_, frameResource)) return true;
        frame_.reset();
        return false;
    }
    // Destroys the main frame (it writes its layout to the profile).
    virtual void ExitInstance() { frame_.reset(); }

protected:
    D doc_;
    std::unique_ptr<F> frame_;
};

}  // namespace Kor
