// vexilo-fit: the program's whole job in batch. Reads a mask (BMP, PNG or
// netpbm), traces it, takes the first closed outline as the document's
// import does, fits the poly-Bezier (guided by pins when given) and writes
// it out; with --all it fits every outline of the picture.
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
#include "cli/outline_penalty.h"
#include "cli/output_formats.h"
#include "cli/picture_fit.h"
#include "cli/progress_bar.h"
#include "contour/import_contour.h"
#include "contour/read_bmp.h"
#include "contour/read_image.h"
#include "contour/trace_all_contours.h"
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

// The pins of the file; what follows the last complete record is reported
// and ignored.
std::vector<outline::pin_record> read_pin_records(const std::string& file_name)
{
    std::ifstream in(file_name, std::ios::in | std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    if (!in || in.bad()) throw failure("could not read the pins file " + file_name);

    bool complete = false;
    std::vector<outline::pin_record> records = outline::read_pins_text(text.str(), &complete);
    if (!complete)
        note(file_name + ": ignored what follows pin " + std::to_string(records.size()) +
             ": not a complete \"x y radius 0|1\" record");
    return records;
}

void report_refused_pin(const std::string& file_name, std::size_t i, const outline::pin_record& r,
                        outline::add_area_result result)
{
    std::ostringstream where;
    where << file_name << ": pin " << i + 1 << " (" << r.x << ' ' << r.y << ' ' << r.radius
          << "): " << outline::add_area_message(result);
    note(where.str());
}

// The pins of the file placed on the outline with the document's rules; a
// refused pin is reported and skipped.
void load_pins(const std::string& file_name, outline::fitting_session& session)
{
    const std::vector<outline::pin_record> records = read_pin_records(file_name);
    for (std::size_t i = 0; i < records.size(); ++i) {
        const outline::pin_record& r = records[i];
        const outline::add_area_result result = session.add_pin({r.x, r.y}, r.radius, r.smooth);
        if (result != outline::add_area_result::added) report_refused_pin(file_name, i, records[i], result);
    }
}

// The same for a whole picture: each pin goes to the outline with the most
// nodes inside it.
void load_pins(const std::string& file_name, cli::picture_fit& job)
{
    const std::vector<outline::pin_record> records = read_pin_records(file_name);
    for (std::size_t i = 0; i < records.size(); ++i) {
        const outline::pin_record& r = records[i];
        const std::size_t k = job.outline_of_pin({r.x, r.y}, r.radius);
        const outline::add_area_result result = k < job.size() ? job.session(k).add_pin({r.x, r.y}, r.radius, r.smooth)
                                                               : outline::add_area_result::no_nodes;
        if (result != outline::add_area_result::added) report_refused_pin(file_name, i, records[i], result);
    }
}

// The mask of the input file. PNG and netpbm files, known by their first
// bytes, go to their readers with the threshold; anything else is read by
// the BMP reader, with its messages (a file that cannot be opened included).
img::bitmap read_input(const cli::options& o)
{
    unsigned char head[8] = {};
    std::ifstream in(o.input, std::ios::in | std::ios::binary);
    in.read(reinterpret_cast<char*>(head), sizeof head);
    const img::image_format format =
        in.bad() ? img::image_format::unknown : img::format_of(head, std::size_t(in.gcount()));
    in.close();
    if (format == img::image_format::png || format == img::image_format::pnm) {
        img::read_options options;
        options.threshold = o.threshold;
        options.invert = o.invert;
        return img::read_image(o.input, options);
    }
    img::bitmap image(0, 0, 4);
    img::read_bmp(o.input, image);
    if (o.invert) image.invert();
    return image;
}

int print_contours(const cli::options& o)
{
    const img::bitmap image = read_input(o);
    std::vector<img::contour> contours;
    if (o.all)
        img::trace_all_contours(image, contours);
    else
        img::trace_contours(image, contours);
    write_output("-", cli::contours_json(image.width(), image.height(), contours));
    return 0;
}

void write_curves(const cli::options& o, const std::vector<outline::fitted_curve>& curves, std::uint32_t width,
                  std::uint32_t height)
{
    if (o.json) {
        write_output("-", cli::curves_json(width, height, curves));
    } else if (o.svg_file.empty()) {
        write_output("-", cli::control_point_blocks(curves));
    } else if (curves.size() == 1 && !o.all) {
        write_output(o.svg_file, outline::svg_text(curves[0].control_points, width, height));
    } else {
        std::vector<std::vector<outline::real_point>> points;
        for (const outline::fitted_curve& c : curves) points.push_back(c.control_points);
        write_output(o.svg_file, outline::svg_picture_text(points, width, height));
    }
}

int fit(const cli::options& o)
{
    const img::bitmap image = read_input(o);
    std::vector<img::contour> contours;
    img::trace_contours(image, contours);
    const img::contour& polyline = img::first_closed_contour(contours);
    if (contours.size() > 1) note("First closed contour from bitmap selected.");

    outline::fitting_session session;
    session.set_outline(polyline);
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
    write_curves(o, {curve}, image.width(), image.height());
    return 0;
}

// Every outline of the picture, each fitted on its own; outlines without a
// curve are reported and left out of the output, and make the exit status 1.
int fit_all(const cli::options& o)
{
    const img::bitmap image = read_input(o);
    std::vector<img::contour> contours;
    img::trace_all_contours(image, contours);
    if (contours.empty()) throw failure(o.input + ": The bitmap contains no outlines");

    cli::picture_fit job(contours, o.params);  // parameters checked with the command line
    if (!o.pins_file.empty()) load_pins(o.pins_file, job);
    if (!o.junction_penalty_given) cli::scale_small_outline_penalties(job);
    const unsigned max_length = o.limit_length ? o.max_length : cli::default_all_max_length;

    std::vector<outline::session_run> runs;
    {
        cli::progress_bar bar(stderr, isatty(STDERR_FILENO) == 1,
                              "Fitting " + std::to_string(job.size()) + (job.size() == 1 ? " outline" : " outlines"),
                              true);
        runs = job.run(max_length, !o.limit_length,
                       [&bar](unsigned long long done, unsigned long long total) { bar.update(done, total); });
    }

    std::vector<outline::fitted_curve> curves;
    std::size_t missing = 0;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const outline::fitting_session& session = job.session(i);
        const bool free_search = session.pins().empty();
        if (runs[i].estimation == outline::estimation_end::not_enough_memory)
            throw failure(o.input + ": out of memory");
        const outline::fitted_curve& curve = runs[i].curve;
        const std::string which = "outline " + std::to_string(i + 1);
        if (o.stats)
            note(which + ": " +
                 cli::stats_line(session.node_count(), curve.control_points.size(), curve.discrepancy,
                                 free_search ? session.estimated_length() : 0));
        if (curve.is_curve()) {
            curves.push_back(curve);
        } else {
            ++missing;
            note("no curve found for " + which + " (" + std::to_string(session.node_count()) + " nodes) of " + o.input +
                 " with these parameters");
        }
    }
    if (curves.empty()) throw failure("no curve found for any outline of " + o.input + " with these parameters");
    write_curves(o, curves, image.width(), image.height());
    return missing ? 1 : 0;
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
        return o.contours ? print_contours(o) : o.all ? fit_all(o) : fit(o);
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
