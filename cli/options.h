// The command line of vexilo-fit.
#pragma once

#include <stdexcept>
#include <string>

#include "fitting/params.h"

namespace cli {

struct options {
    outline::grand_params<float> params;  // the document's defaults unless given
    std::string input;                    // the image file (BMP, PNG, PBM, PGM or PPM)
    std::string pins_file;                // pins text; empty: no pins
    std::string svg_file;                 // empty: control points on standard output; "-": SVG there
    bool stats = false;
    bool contours = false;  // read and trace only, print JSON
    bool help = false;
    bool limit_length = false;  // estimate only up to max_length
    unsigned max_length = 0;
    bool all = false;        // fit every outline of the image
    bool json = false;       // the curves as JSON on standard output
    double threshold = 0.5;  // the least luminance of a set pixel (PNG, netpbm)
    bool invert = false;     // set the dark pixels instead
    // --junction-penalty was on the command line (--all then scales it for no
    // outline).
    bool junction_penalty_given = false;
};

// The estimation's limit with --all and without --max-length: the piece
// length beyond which longer pieces hardly ever lower the cost of line art
// (see the README), while the time grows with its square.
const unsigned default_all_max_length = 150;

// A command line that cannot be used; what() says why.
class usage_error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Throws usage_error for an unknown option, a missing or malformed value,
// --json together with --svg or --contours, or anything but exactly one
// input file (none is needed with --help).
options parse_options(int argc, char** argv);

// The --help text.
std::string usage_text();

}  // namespace cli
