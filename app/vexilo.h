// Vexilo's application object: the document and the main frame, settings
// under "Quenmor" (the recent files, the panels' layout, the language),
// English or Russian strings, and the frame from resource 128.
#pragma once

#include "app/doc.h"
#include "app/main_frame.h"
#include "framework/app/app.h"

#include <memory>

namespace plat {
class ResourceModule;
}

class Vexilo : public Kor::App<Doc, MainFrame> {
public:
    static constexpr unsigned kRecentFiles = 10;

    explicit Vexilo(plat::BackendKind kind = plat::BackendKind::Auto);
    ~Vexilo() override;

    // The start-up steps; false when the frame cannot be made.
    bool InitInstance();

private:
    std::shared_ptr<plat::ResourceModule> bundle_;
};
