// korvane-demo's application object: settings under "Korvane", the
// language chosen in the Language menu (English or Russian), the recent-
// file list, and the frame from resource 128.
#pragma once

#include "demos/korvane-demo/demo_frame.h"
#include "demos/korvane-demo/text_doc.h"
#include "framework/app/app.h"

#include <memory>

namespace plat {
class ResourceModule;
}

namespace demo {

class DemoApp : public Kor::App<TextDoc, DemoFrame> {
public:
    explicit DemoApp(plat::BackendKind kind = plat::BackendKind::Auto);
    ~DemoApp() override;
    // The start-up steps; false when the frame cannot be made.
    bool InitInstance();

private:
    std::shared_ptr<plat::ResourceModule> bundle_;
};

}  // namespace demo
