#include "options.h"

#include <getopt.h>

#include <cctype>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <vector>

namespace cli {

namespace {

// Long options without a short form get codes above the character range.
enum option_code {
    opt_sharp_bend_penalty = 256,
    opt_estimation,
    opt_estimation_max_iterations,
    opt_estimation_stop_mean_discrepancy,
    opt_estimation_oversample_factor,
    opt_rendering_same_as_estimation,
    opt_rendering_max_iterations,
    opt_rendering_stop_mean_discrepancy,
    opt_rendering_oversample_factor,
    opt_fit_whole_poly_bezier,
    opt_max_junctions,
    opt_junction_penalty,
    opt_pins,
    opt_svg,
    opt_stats,
    opt_contours,
    opt_max_length,
};

const option long_options[] = {
    {"sharp-bend-penalty", required_argument, nullptr, opt_sharp_bend_penalty},
    {"estimation", required_argument, nullptr, opt_estimation},
    {"estimation-max-iterations", required_argument, nullptr, opt_estimation_max_iterations},
    {"estimation-stop-mean-discrepancy", required_argument, nullptr, opt_estimation_stop_mean_discrepancy},
    {"estimation-oversample-factor", required_argument, nullptr, opt_estimation_oversample_factor},
    {"rendering-same-as-estimation", required_argument, nullptr, opt_rendering_same_as_estimation},
    {"rendering-max-iterations", required_argument, nullptr, opt_rendering_max_iterations},
    {"rendering-stop-mean-discrepancy", required_argument, nullptr, opt_rendering_stop_mean_discrepancy},
    {"rendering-oversample-factor", required_argument, nullptr, opt_rendering_oversample_factor},
    {"fit-whole-poly-bezier", required_argument, nullptr, opt_fit_whole_poly_bezier},
    {"max-junctions", required_argument, nullptr, opt_max_junctions},
    {"junction-penalty", required_argument, nullptr, opt_junction_penalty},
    {"pins", required_argument, nullptr, opt_pins},
    {"svg", required_argument, nullptr, opt_svg},
    {"stats", no_argument, nullptr, opt_stats},
    {"contours", no_argument, nullptr, opt_contours},
    {"max-length", required_argument, nullptr, opt_max_length},
    {"help", no_argument, nullptr, 'h'},
    {nullptr, 0, nullptr, 0},
};

std::string option_name(int code)
{
    for (const option& o : long_options)
        if (o.name && o.val == code)
            return std::string("--") + o.name;
    return "?";
}

[[noreturn]] void bad_value(int code, const char* text, const std::string& expected)
{
    throw usage_error("invalid value '" + std::string(text) + "' for " + option_name(code) + ": expected " +
                      expected);
}

unsigned to_unsigned(int code, const char* text)
{
    // strtoul would take a sign, blanks and an empty string.
    if (!*text || std::strspn(text, "0123456789") != std::strlen(text))
        bad_value(code, text, "a whole number");
    errno = 0;
    const unsigned long v = std::strtoul(text, nullptr, 10);
    if (errno == ERANGE || v > UINT_MAX)
        bad_value(code, text, "a whole number up to " + std::to_string(UINT_MAX));
    return unsigned(v);
}

float to_float(int code, const char* text)
{
    char* end = nullptr;
    errno = 0;
    const float v = std::strtof(text, &end);
    if (!*text || *end || std::isspace(static_cast<unsigned char>(*text)))
        bad_value(code, text, "a number");
    if (errno == ERANGE || !std::isfinite(v))
        bad_value(code, text, "a finite number within the range of float");
    return v;
}

bool to_bool(int code, const char* text)
{
    if (!std::strcmp(text, "1") || !std::strcmp(text, "true"))
        return true;
    if (!std::strcmp(text, "0") || !std::strcmp(text, "false"))
        return false;
    bad_value(code, text, "0 or 1");
}

}  // namespace

options parse_options(int argc, char** argv)
{
    options o;
    outline::grand_params<float>& p = o.params;
    opterr = 0;  // the messages are ours
    optind = 1;
    int code;
    while ((code = getopt_long(argc, argv, ":h", long_options, nullptr)) != -1) {
        const char* v = optarg;
        switch (code) {
        case opt_sharp_bend_penalty: p.sharp_bend_penalty = to_float(code, v); break;
        case opt_estimation: p.estimation = to_bool(code, v); break;
        case opt_estimation_max_iterations: p.estimation_max_iterations = to_unsigned(code, v); break;
        case opt_estimation_stop_mean_discrepancy: p.estimation_stop_mean_discrepancy = to_float(code, v); break;
        case opt_estimation_oversample_factor: p.estimation_oversample_factor = to_float(code, v); break;
        case opt_rendering_same_as_estimation: p.rendering_same_as_estimation = to_bool(code, v); break;
        case opt_rendering_max_iterations: p.rendering_max_iterations = to_unsigned(code, v); break;
        case opt_rendering_stop_mean_discrepancy: p.rendering_stop_mean_discrepancy = to_float(code, v); break;
        case opt_rendering_oversample_factor: p.rendering_oversample_factor = to_float(code, v); break;
        case opt_fit_whole_poly_bezier: p.fit_whole_poly_bezier = to_bool(code, v); break;
        case opt_max_junctions: p.max_junctions = to_unsigned(code, v); break;
        case opt_junction_penalty: p.junction_penalty = to_float(code, v); break;
        case opt_pins:
        case opt_svg:
            if (!*v)
                throw usage_error("option " + option_name(code) + " needs a file name");
            (code == opt_pins ? o.pins_file : o.svg_file) = v;
            break;
        case opt_stats: o.stats = true; break;
        case opt_contours: o.contours = true; break;
        case opt_max_length:
            o.limit_length = true;
            o.max_length = to_unsigned(code, v);
            break;
        case 'h': o.help = true; break;
        case ':': throw usage_error("option " + std::string(argv[optind - 1]) + " needs a value");
        default: throw usage_error("unknown option " + std::string(argv[optind - 1]));
        }
    }
    if (o.help)
        return o;
    if (optind == argc)
        throw usage_error("no input file given");
    if (argc - optind > 1)
        throw usage_error("more than one input file given");
    o.input = argv[optind];
    return o;
}

std::string usage_text()
{
    const outline::grand_params<float> d;
    std::ostringstream u;
    u << "Usage: vexilo-fit [options] INPUT.bmp\n"
         "\n"
         "Fits a closed poly-Bezier to the first closed outline of a 1-bit BMP mask and\n"
         "prints its control points, one \"x<TAB>y\" line per point (3m + 1 points for\n"
         "m pieces, the last equal to the first).\n"
         "\n"
         "Output:\n"
         "  --svg FILE          write the curve as SVG to FILE instead (- for standard\n"
         "                      output)\n"
         "  --stats             print N, the junction count, the estimated discrepancy and\n"
         "                      the estimated length on standard error\n"
         "  --contours          only read and trace the image; print its size and every\n"
         "                      contour as JSON\n"
         "  -h, --help          show this text\n"
         "\n"
         "Pins and estimation:\n"
         "  --pins FILE         pins as the clipboard holds them: one \"x y radius 1|0\"\n"
         "                      record each (1: smooth, 0: corner); every junction is\n"
         "                      then searched inside one pin\n"
         "  --max-length L      without pins: estimate pieces only up to L nodes and\n"
         "                      search on that partial estimation\n"
         "\n"
         "A long estimation shows its progress on standard error when that is a\n"
         "terminal.\n"
         "\n"
         "Fitting parameters [default]:\n"
         "  --sharp-bend-penalty=R                  [" << d.sharp_bend_penalty << "]\n"
         "  --estimation=0|1                        [" << d.estimation << "]\n"
         "  --estimation-max-iterations=N           [" << d.estimation_max_iterations << "]\n"
         "  --estimation-stop-mean-discrepancy=R    [" << d.estimation_stop_mean_discrepancy << "]\n"
         "  --estimation-oversample-factor=R        [" << d.estimation_oversample_factor << "]\n"
         "  --rendering-same-as-estimation=0|1      [" << d.rendering_same_as_estimation << "]\n"
         "  --rendering-max-iterations=N            [" << d.rendering_max_iterations << "]\n"
         "  --rendering-stop-mean-discrepancy=R     [" << d.rendering_stop_mean_discrepancy << "]\n"
         "  --rendering-oversample-factor=R         [" << d.rendering_oversample_factor << "]\n"
         "  --fit-whole-poly-bezier=0|1             [" << d.fit_whole_poly_bezier << "]\n"
         "  --max-junctions=N        (without pins) [" << d.max_junctions << "]\n"
         "  --junction-penalty=R     (without pins) [" << d.junction_penalty << "]\n"
         "\n"
         "Exit status: 0 on success, 1 when the input cannot be used or no curve was\n"
         "found, 2 on a usage error.\n";
    return u.str();
}

}  // namespace cli
