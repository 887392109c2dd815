#include "tests/app/doc_fixture.h"

#include "contour/write_bmp.h"
#include "tests/contour/test_masks.h"

namespace apptest {

std::string Example(const std::string& name) { return std::string(VEXILO_EXAMPLES) + "/" + name; }

std::string MaskFile(const std::vector<std::string>& art, const std::string& name) {
    const std::string path = test_masks::temp_path(name);
    img::write_bmp(path, test_masks::from_art(art));
    return path;
}

std::string FitText(const std::vector<std::string>& args) {
    const run_result r = run_vexilo_fit(args);
    EXPECT_TRUE(r.status == 0 || r.status == 1) << r.err;
    return r.status == 0 ? r.out : std::string();
}

}  // namespace apptest
