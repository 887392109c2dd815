// korvane-masks' application object: settings under "Korvane" (program
// "korvane-masks"), English or Russian, the recent-file list, and the
// frame from resource 128.
#pragma once

#include "demos/korvane-masks/mask_doc.h"
#include "demos/korvane-masks/masks_frame.h"
#include "framework/app/app.h"

#include <memory>

namespace plat {
class ResourceModule;
}

namespace masks {

class MasksApp : public Kor::App<MaskDoc, MasksFrame> {
public:
    explicit MasksApp(plat::BackendKind kind = plat::BackendKind::Auto);
    ~MasksApp() override;
    // The start-up steps; false when the frame cannot be made.
    bool InitInstance();

private:
    std::shared_ptr<plat::ResourceModule> bundle_;
};

}  // namespace masks
