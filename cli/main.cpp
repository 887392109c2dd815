// vexilo-fit: the program's whole job in batch. Reads a 1-bit BMP mask,
// traces it, takes the first closed outline as the document's import does,
// fits the poly-Bezier (guided by pins when given) and writes it out.
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "cli/options.h"
#include "cli/output_formats.h"
#include "cli/progress_bar.h"
#include "contour/import_contour.h"
#include "contour/read_bmp.h"
#include "fitting/fitting_session.h"
#include "fitting/pin_rules.h"
#include "fitting/svg_text.h"
#include "fitting/text_formats.h"

namespace {

const char* const program = "vexilo-fit";

// A failure whose message is complete as it stands.
class failure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

void note(const std::string& text)
{
    std::cerr << program << ": " << text << '\n';
}

// Writes `text` to the file, or to standard output for "-".
void write_output(const std::string& file_name, const std::string& text)
{
    if (file_name == "-") {
        std::cout << text << std::flush;
        if (!std::cout) throw failure("could not write to standard output");
        return;
    }
    std::ofstream out(file_name, std::ios::out | std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out) throw failure("could not write " + file_name);
}

// The pins of the file placed on the outline with the document's rules; a
// refused pin is reported and skipped.
void load_pins(const std::string& file_name, outline::fitting_session& session)
{
    std::ifstream in(file_name, std::ios::in | std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    if (!in || in.bad()) throw failure("could not read the pins file " + file_name);

    bool complete = false;
    const std::vector<outline::pin_record> records = outline::read_pins_text(text.str(), &complete);
    for (std::size_t i = 0; i < records.size(); ++i) {
        const outline::pin_record& r = records[i];
        const outline::add_area_result result = session.add_pin({r.x, r.y}, r.radius, r.smooth);
        if (result != outline::add_area_result::added) {
            std::ostringstream where;
            where << file_name << ": pin " << i + 1 << " (" << r.x << ' ' << r.y << ' ' << r.radius
                  << "): " << outline::add_area_message(result);
            note(where.str());
        }
    }
    if (!complete)
        note(file_name + ": ignored what follows pin " + std::to_string(records.size()) +
             ": not a complete \"x y radius 0|1\" record");
}

int print_contours(const cli::options& o)
{
    img::bitmap image(0, 0, 4);
    img::read_bmp(o.input, image);
    std::vector<img::contour> contours;
    img::trace_contours(image, contours);
    write_output("-", cli::contours_json(image.width(), image.height(), contours));
    return 0;
}

int fit(const cli::options& o)
{
    const img::imported_contour imported = img::import_contour(o.input);
    if (imported.contour_count > 1) note("First closed contour from bitmap selected.");

    outline::fitting_session session;
    session.set_outline(imported.polyline);
    session.set_params(o.params);  // checked with the command line
    if (!o.pins_file.empty()) load_pins(o.pins_file, session);
    const bool free_search = session.pins().empty();

    outline::session_run run;
    {
        cli::progress_bar bar(stderr, isatty(STDERR_FILENO) == 1);
        auto progress = [&bar](unsigned length, unsigned target) {
            bar.update(length, target);
            return true;
        };
        run = session.run(progress, o.limit_length ? o.max_length : 0);
    }
    if (run.estimation == outline::estimation_end::not_enough_memory) throw failure(o.input + ": out of memory");

    const outline::fitted_curve& curve = run.curve;
    const unsigned estimated_length = free_search ? session.estimated_length() : 0;
    if (o.stats)
        note(cli::stats_line(session.node_count(), curve.control_points.size(), curve.discrepancy, estimated_length));
    if (!curve.is_curve()) {
        std::string why = "no curve found for the outline of " + o.input + " with these parameters";
        if (free_search && o.params.estimation && estimated_length < 5)
            why += " (the estimation must reach piece length 5 at least)";
        throw failure(why);
    }

    if (o.svg_file.empty())
        write_output("-", outline::control_points_text(curve.control_points));
    else
        write_output(o.svg_file, outline::svg_text(curve.control_points, imported.width, imported.height));
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    cli::options o;
    try {
        o = cli::parse_options(argc, argv);
    } catch (const cli::usage_error& e) {
        std::cerr << program << ": " << e.what() << "\n\n" << cli::usage_text();
        return 2;
    }
    if (o.help) {
        std::cout << cli::usage_text();
        return 0;
    }

    try {
        return o.contours ? print_contours(o) : fit(o);
    } catch (const img::io_error& e) {
        note(e.what());  // names the file already
    } catch (const failure& e) {
        note(e.what());
    } catch (const std::bad_alloc&) {
        note(o.input + ": out of memory");
    } catch (const std::exception& e) {
        note(o.input + ": " + e.what());
    }
    return 1;
}
