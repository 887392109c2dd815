#include "cli/options.h"

#include <getopt.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <iomanip>
#include <sstream>
#include <vector>

#include "cli/outline_penalty.h"
#include "fitting/param_checks.h"

namespace cli {

namespace {

typedef outline::grand_params<float> params_type;

// One option per fitting parameter, named after its field; exactly one of
// the three field pointers is set.
struct parameter_option {
    const char* name;
    float params_type::*real;
    unsigned params_type::*whole;
    bool params_type::*flag;
    bool free_search_only;  // only the search without pins reads it
};

parameter_option real(const char* name, float params_type::*field)
{
    return {name, field, nullptr, nullptr, false};
}
parameter_option whole(const char* name, unsigned params_type::*field)
{
    return {name, nullptr, field, nullptr, false};
}
parameter_option flag(const char* name, bool params_type::*field)
{
    return {name, nullptr, nullptr, field, false};
}
parameter_option free_search_only(parameter_option o)
{
    o.free_search_only = true;
    return o;
}

const std::vector<parameter_option>& parameter_options()
{
    static const std::vector<parameter_option> list = {
        real("sharp-bend-penalty", &params_type::sharp_bend_penalty),
        flag("estimation", &params_type::estimation),
        whole("estimation-max-iterations", &params_type::estimation_max_iterations),
        real("estimation-stop-mean-discrepancy", &params_type::estimation_stop_mean_discrepancy),
        real("estimation-oversample-factor", &params_type::estimation_oversample_factor),
        flag("rendering-same-as-estimation", &params_type::rendering_same_as_estimation),
        whole("rendering-max-iterations", &params_type::rendering_max_iterations),
        real("rendering-stop-mean-discrepancy", &params_type::rendering_stop_mean_discrepancy),
        real("rendering-oversample-factor", &params_type::rendering_oversample_factor),
        flag("fit-whole-poly-bezier", &params_type::fit_whole_poly_bezier),
        free_search_only(whole("max-junctions", &params_type::max_junctions)),
        free_search_only(real("junction-penalty", &params_type::junction_penalty)),
    };
    return list;
}

// getopt codes: parameter i is first_parameter + i; the other long options
// without a short form follow.
const int first_parameter = 256;
enum other_code {
    opt_pins = 512,
    opt_svg,
    opt_stats,
    opt_contours,
    opt_max_length,
    opt_all,
    opt_json,
    opt_threshold,
    opt_invert
};

std::vector<option> long_options()
{
    std::vector<option> list;
    const std::vector<parameter_option>& params = parameter_options();
    for (std::size_t i = 0; i < params.size(); ++i)
        list.push_back({params[i].name, required_argument, nullptr, first_parameter + int(i)});
    list.push_back({"pins", required_argument, nullptr, opt_pins});
    list.push_back({"svg", required_argument, nullptr, opt_svg});
    list.push_back({"stats", no_argument, nullptr, opt_stats});
    list.push_back({"contours", no_argument, nullptr, opt_contours});
    list.push_back({"max-length", required_argument, nullptr, opt_max_length});
    list.push_back({"all", no_argument, nullptr, opt_all});
    list.push_back({"json", no_argument, nullptr, opt_json});
    list.push_back({"threshold", required_argument, nullptr, opt_threshold});
    list.push_back({"invert", no_argument, nullptr, opt_invert});
    list.push_back({"help", no_argument, nullptr, 'h'});
    list.push_back({nullptr, 0, nullptr, 0});
    return list;
}

[[noreturn]] void bad_value(const std::string& option, const char* text, const std::string& expected)
{
    throw usage_error("invalid value '" + std::string(text) + "' for --" + option + ": expected " + expected);
}

unsigned to_unsigned(const std::string& option, const char* text)
{
    // strtoul would take a sign, blanks and an empty string.
    if (!*text || std::strspn(text, "0123456789") != std::strlen(text)) bad_value(option, text, "a whole number");
    errno = 0;
    const unsigned long v = std::strtoul(text, nullptr, 10);
    if (errno == ERANGE || v > UINT_MAX) bad_value(option, text, "a whole number up to " + std::to_string(UINT_MAX));
    return unsigned(v);
}

// Whether the value is finite is the engine's rule (param_problems).
float to_float(const std::string& option, const char* text)
{
    char* end = nullptr;
    errno = 0;
    const float v = std::strtof(text, &end);
    if (!*text || *end || std::isspace(static_cast<unsigned char>(*text))) bad_value(option, text, "a number");
    if (errno == ERANGE) bad_value(option, text, "a finite number within the range of float");
    return v;
}

// A finite luminance; values outside [0, 1] are allowed (all or no opaque
// pixel set), as the readers take them.
double to_threshold(const char* text)
{
    char* end = nullptr;
    errno = 0;
    const double v = std::strtod(text, &end);
    if (!*text || *end || std::isspace(static_cast<unsigned char>(*text)) || errno == ERANGE || !std::isfinite(v))
        bad_value("threshold", text, "a finite number (a luminance from 0 to 1)");
    return v;
}

bool to_bool(const std::string& option, const char* text)
{
    if (!std::strcmp(text, "1") || !std::strcmp(text, "true")) return true;
    if (!std::strcmp(text, "0") || !std::strcmp(text, "false")) return false;
    bad_value(option, text, "0 or 1");
}

// Sets the field and checks it by the engine's rules: the option's name is
// the field's, with dashes for underscores.
void set_parameter(params_type& params, const parameter_option& o, const char* text)
{
    if (o.real)
        params.*o.real = to_float(o.name, text);
    else if (o.whole)
        params.*o.whole = to_unsigned(o.name, text);
    else
        params.*o.flag = to_bool(o.name, text);
    std::string field = o.name;
    std::replace(field.begin(), field.end(), '-', '_');
    for (const outline::param_problem& problem : outline::param_problems(params))
        if (field == problem.field) bad_value(o.name, text, outline::param_rule_text(problem.rule));
}

}  // namespace

options parse_options(int argc, char** argv)
{
    const std::vector<parameter_option>& params = parameter_options();
    const std::vector<option> longs = long_options();
    options o;
    opterr = 0;  // the messages are ours
    optind = 1;
    int code;
    while ((code = getopt_long(argc, argv, ":h", longs.data(), nullptr)) != -1) {
        const char* v = optarg;
        if (code >= first_parameter && code < first_parameter + int(params.size())) {
            const parameter_option& given = params[std::size_t(code - first_parameter)];
            set_parameter(o.params, given, v);
            if (given.real == &params_type::junction_penalty) o.junction_penalty_given = true;
            continue;
        }
        switch (code) {
            case opt_pins:
            case opt_svg:
                if (!*v)
                    throw usage_error(std::string("option --") + (code == opt_pins ? "pins" : "svg") +
                                      " needs a file name");
                (code == opt_pins ? o.pins_file : o.svg_file) = v;
                break;
            case opt_stats:
                o.stats = true;
                break;
            case opt_contours:
                o.contours = true;
                break;
            case opt_max_length:
                o.limit_length = true;
                o.max_length = to_unsigned("max-length", v);
                break;
            case opt_all:
                o.all = true;
                break;
            case opt_json:
                o.json = true;
                break;
            case opt_threshold:
                o.threshold = to_threshold(v);
                break;
            case opt_invert:
                o.invert = true;
                break;
            case 'h':
                o.help = true;
                break;
            case ':':
                throw usage_error("option " + std::string(argv[optind - 1]) + " needs a value");
            default:
                throw usage_error("unknown option " + std::string(argv[optind - 1]));
        }
    }
    if (o.help) return o;
    if (o.json && !o.svg_file.empty()) throw usage_error("--json and --svg cannot be used together");
    if (o.json && o.contours) throw usage_error("--json and --contours cannot be used together");
    if (optind == argc) throw usage_error("no input file given");
    if (argc - optind > 1) throw usage_error("more than one input file given");
    o.input = argv[optind];
    return o;
}

std::string usage_text()
{
    std::ostringstream u;
    u << "Usage: vexilo-fit [options] INPUT\n"
         "\n"
         "Fits a closed poly-Bezier to the first closed outline of a 1-bit mask and\n"
         "prints its control points, one \"x<TAB>y\" line per point (3m + 1 points for\n"
         "m pieces, the last equal to the first). With --all, fits every outline.\n"
         "\n"
         "Input: BMP, PNG, PBM, PGM or PPM, told apart by the file's first bytes (a file\n"
         "that is none of these is read as a BMP). A BMP's non-black pixels are set; in\n"
         "the other formats a pixel is set when its luminance is at least the threshold,\n"
         "and a transparent one is clear.\n"
         "  --threshold T       the least luminance of a set pixel, 0 to 1 [0.5]\n"
         "  --invert            set the dark pixels instead (black ink on white)\n"
         "\n"
         "Output:\n"
         "  --all               fit every outline of the image, holes and shapes in holes\n"
         "                      too (outlines on the border close along it); the control\n"
         "                      points come in one block per outline, blocks separated by\n"
         "                      an empty line\n"
         "  --svg FILE          write the curve as SVG to FILE instead (- for standard\n"
         "                      output); with --all one filled path of every outline,\n"
         "                      even-odd rule\n"
         "  --json              print {\"width\", \"height\", \"curves\": [{\"points\",\n"
         "                      \"junctions\", \"discrepancy\"}]} instead\n"
         "  --stats             print N, the junction count, the estimated discrepancy and\n"
         "                      the estimated length on standard error (with --all, a\n"
         "                      line per outline)\n"
         "  --contours          only read and trace the image; print its size and every\n"
         "                      contour as JSON (with --all, the outlines --all fits)\n"
         "  -h, --help          show this text\n"
         "\n"
         "Pins and estimation:\n"
         "  --pins FILE         pins as the clipboard holds them: one \"x y radius 1|0\"\n"
         "                      record each (1: smooth, 0: corner); every junction is\n"
         "                      then searched inside one pin; with --all each pin goes\n"
         "                      to the outline with the most nodes inside it\n"
         "  --max-length L      without pins: estimate pieces only up to L nodes and\n"
         "                      search on that partial estimation [with --all: "
      << default_all_max_length
      << "]\n"
         "\n"
         "A long estimation shows its progress on standard error when that is a\n"
         "terminal.\n"
         "\n"
         "Fitting parameters [default]:\n";
    const params_type defaults;
    for (const parameter_option& o : parameter_options()) {
        std::ostringstream name, value;
        name << "--" << o.name << (o.real ? "=R" : o.whole ? "=N" : "=0|1");
        if (o.real)
            value << defaults.*o.real;
        else if (o.whole)
            value << defaults.*o.whole;
        else
            value << defaults.*o.flag;
        u << "  " << std::left << std::setw(o.free_search_only ? 25 : 40) << name.str()
          << (o.free_search_only ? "(without pins) " : "") << '[' << value.str() << "]\n";
    }
    u << "\n"
         "With --all and no --junction-penalty, an outline of N < "
      << full_penalty_nodes
      << " nodes is searched\n"
         "with the junction penalty times N / "
      << full_penalty_nodes
      << ", so that small shapes (the stems, dots\n"
         "and serifs of small text) keep the pieces they need instead of folding into a\n"
         "loop with no area; a --junction-penalty given applies to every outline as is.\n"
         "\n"
         "Real values must be finite, the oversample factors greater than 0 and the\n"
         "junction penalty 0 or more; iteration counts go up to "
      << outline::max_fit_iterations
      << ".\n"
         "\n"
         "Exit status: 0 on success, 1 when the input cannot be used or no curve was\n"
         "found, 2 on a usage error.\n";
    return u.str();
}

}  // namespace cli
