// The document without the build thread: import, pins, parameters, the
// curve's clearing and the clipboard texts, compared with vexilo-fit.
#include "tests/app/doc_fixture.h"

#include "app/doc_strings.h"
#include "fitting/text_formats.h"
#include "framework/app/command_ids.h"
#include "framework/clipboard/clipboard.h"
#include "framework/events/event_listener.h"
#include "platform/paths.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <functional>
#include <limits>
#include <sstream>

namespace apptest {
namespace {

// Counts the document's events.
class EventCount : public Kor::EventListener {
public:
    int curve = 0, areas = 0;
    size_t messagesSeen = 0;  // message boxes shown before the last of these events
    void ProcessEvent(Kor::Event& e) override {
        if (dynamic_cast<Doc::PolyBezierChange*>(&e)) ++curve;
        if (dynamic_cast<Doc::AreasChange*>(&e)) ++areas;
        if (dynamic_cast<Doc::PolyBezierChange*>(&e) || dynamic_cast<Doc::AreasChange*>(&e))
            messagesSeen = plat::headless::Driver::Get().MessageBoxes().size();
    }
};

// The clipboard's line ends.
std::string CrLf(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

std::string FileText(const std::string& path) {
    std::ifstream in(path);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST_F(DocTest, OpeningTakesTheFirstClosedOutlineAndResetsCurveAndPins) {
    EXPECT_FALSE(Enabled(ID_POLYBEZIER_BUILD));
    Open(Example("corners.bmp"));
    EXPECT_EQ(doc.GetTotalLength(), 165u);  // N + 1, the closing node counted
    EXPECT_EQ(doc.GetPolyline().front(), doc.GetPolyline().back());
    EXPECT_GT(doc.GetBitmapWidth(), 0u);
    EXPECT_TRUE(doc.IsPristine());
    EXPECT_TRUE(Messages().empty());  // a single outline
    EXPECT_TRUE(Enabled(ID_POLYBEZIER_BUILD));

    // Pins and a curve, then another file: both go.
    EXPECT_EQ(doc.PasteAreasText(FileText(Example("corners-pins.txt"))), 10u);
    doc.Build();
    EXPECT_TRUE(doc.HasCurve());
    EventCount events;
    doc.AddListener(&events);
    Open(Example("hole.bmp"));
    doc.RemoveListener(&events);
    EXPECT_EQ(events.curve, 1);
    EXPECT_EQ(events.areas, 1);
    EXPECT_EQ(events.messagesSeen, 0u);  // the message comes after the events
    EXPECT_FALSE(doc.HasCurve());
    EXPECT_FALSE(doc.HasAreas());
    EXPECT_TRUE(doc.IsPristine());
    // The plate has a hole: two outlines, the message comes last.
    EXPECT_EQ(Messages(), std::vector<std::string>{docstr::kFirstClosedContour});
}

TEST_F(DocTest, AnImportErrorLeavesTheDocumentAsItWas) {
    const std::string rounded = Example("rounded.bmp");
    Open(rounded);
    ASSERT_TRUE(doc.AddArea({doc.GetPolyline()[0].x + 0.f, doc.GetPolyline()[0].y + 0.f}, 2, true));
    doc.Build();
    const std::string curve = doc.ControlPointsText();
    const std::string pins = doc.AreasText();
    const unsigned length = doc.GetTotalLength();
    ASSERT_FALSE(curve.empty());

    const std::vector<std::pair<std::string, std::string>> cases = {
        {MaskFile({"....", "...."}, "blank.bmp"), "The bitmap contains no outlines"},
        {MaskFile({"##..", "##..", "...."}, "open.bmp"), "The bitmap contains no CLOSED outline"},
        {Example("missing.bmp"), "could not open"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first);
        // The loading step alone (the open command closes the document
        // first); the run loop reports what escapes it.
        std::string error;
        try {
            doc.Open(c.first, 0);
        } catch (const std::exception& e) {
            error = e.what();
        }
        EXPECT_NE(error.find(c.second), std::string::npos) << error;
        EXPECT_EQ(doc.ControlPointsText(), curve);
        EXPECT_EQ(doc.AreasText(), pins);
        EXPECT_EQ(doc.GetTotalLength(), length);
        EXPECT_TRUE(doc.IsBuilt());
        EXPECT_EQ(doc.GetFileName(), plat::FullPath(rounded));
    }
}

TEST_F(DocTest, PinsAreValidatedSortedAndGuideTheBuildAsTheBatchCommandDoes) {
    const std::string corners = Example("corners.bmp");
    const std::string pinsFile = Example("corners-pins.txt");
    Open(corners);
    const auto& line = doc.GetPolyline();
    const outline::real_point first = {float(line[0].x), float(line[0].y)};
    const outline::real_point tenth = {float(line[10].x), float(line[10].y)};

    // Placed out of order, kept ascending by first node.
    EXPECT_TRUE(doc.AddArea(tenth, 0.5f, false));
    // A pin through exactly the last node holds node 0, never the last index.
    EXPECT_TRUE(doc.AddArea(first, 0, true));
    ASSERT_EQ(doc.GetAreas().size(), 2u);
    EXPECT_EQ(doc.GetAreas()[0].nodes, std::vector<unsigned>{0});
    EXPECT_EQ(doc.GetAreas()[1].nodes, std::vector<unsigned>{10});
    // Refusals: no node, a shared node, circles that are not finite.
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_FALSE(doc.AddArea({-50, -50}, 1, true));
    EXPECT_FALSE(doc.AddArea(tenth, 2, true));
    EXPECT_FALSE(doc.AddArea({1, 1}, inf, true));
    EXPECT_FALSE(doc.AddArea({std::nanf(""), 1}, 5, true));
    EXPECT_EQ(Messages(), (std::vector<std::string>{
                              "The area contains no nodes of the polyline.",
                              "The area shares some nodes of polyline with another area.",
                              "The area contains no nodes of the polyline.",
                              "The area contains no nodes of the polyline.",
                          }));
    EXPECT_EQ(doc.GetAreas().size(), 2u);

    // Pasted pins: a refused record does not stop the reading, and one
    // message tells the first refusal's reason and how many were refused; a
    // negative radius, like a value that is no number, is no pin and ends
    // the paste.
    doc.ClearAreas();
    drv.ClearMessageBoxes();
    std::ostringstream text;
    text << tenth.x << ' ' << tenth.y << " 0.5 0\n"
         << tenth.x << ' ' << tenth.y << " 1 1\n"
         << "-50 -50 1 1\n"
         << first.x << ' ' << first.y << " -1 1\n"  // the paste ends here
         << first.x << ' ' << first.y << " 1 1\n";
    EXPECT_EQ(doc.PasteAreasText(text.str()), 1u);
    ASSERT_EQ(doc.GetAreas().size(), 1u);
    EXPECT_EQ(doc.GetAreas()[0].radius, 0.5f);
    EXPECT_EQ(Messages(), (std::vector<std::string>{
                              "The area shares some nodes of polyline with another area.\n\n"
                              "2 of the pasted pins were refused.",
                          }));

    // A single refusal shows its reason alone.
    drv.ClearMessageBoxes();
    EXPECT_EQ(doc.PasteAreasText("-50 -50 1 1\n"), 0u);
    EXPECT_EQ(Messages(), std::vector<std::string>{"The area contains no nodes of the polyline."});

    // The batch command's pins give the batch command's curve.
    doc.ClearAreas();
    drv.ClearMessageBoxes();
    const std::string pins = FileText(pinsFile);
    Kor::ClipboardCopyAsIs(pins);
    EXPECT_TRUE(Enabled(ID_PINS_PASTE));
    doc.PasteAreas();
    EXPECT_EQ(doc.GetAreas().size(), 10u);
    EXPECT_TRUE(Messages().empty());
    EventCount events;
    doc.AddListener(&events);
    doc.Build();
    doc.RemoveListener(&events);
    EXPECT_EQ(events.curve, 1);  // one render, one event
    EXPECT_TRUE(doc.IsBuilt());
    EXPECT_EQ(doc.ControlPointsText(), FitText({"--pins", pinsFile, corners}));

    // Render on a guided search that has not estimated: builds once.
    doc.AddArea({-100, -100}, 1, true);  // refused: the search stays
    doc.ClearCurve();
    events = EventCount();
    doc.AddListener(&events);
    doc.Render();
    doc.RemoveListener(&events);
    EXPECT_EQ(events.curve, 1);
    EXPECT_EQ(doc.ControlPointsText(), FitText({"--pins", pinsFile, corners}));

    // Copy and paste back round the pins to six significant digits.
    doc.CopyAreas();
    EXPECT_EQ(drv.ClipboardText(), CrLf(doc.AreasText()));
    const std::string copied = doc.AreasText();
    doc.ClearAreas();
    EXPECT_EQ(doc.PasteAreasText(copied), 10u);
    EXPECT_EQ(doc.AreasText(), copied);
    EXPECT_FALSE(doc.IsBuilt());  // pins changed
    EXPECT_TRUE(doc.HasCurve());  // the curve stays until the next build
}

TEST_F(DocTest, InvalidParametersAreRefusedAndLeaveEverythingAsItWas) {
    Open(Example("rounded.bmp"));
    doc.Build();
    const std::string curve = doc.ControlPointsText();
    const Doc::Params before = doc.GetParams();
    std::vector<std::function<void(Doc::Params&)>> breaks = {
        [](Doc::Params& p) { p.junction_penalty = -1; },
        [](Doc::Params& p) { p.sharp_bend_penalty = std::numeric_limits<float>::infinity(); },
        [](Doc::Params& p) { p.rendering_stop_mean_discrepancy = std::nanf(""); },
        [](Doc::Params& p) { p.estimation_oversample_factor = 0; },
        [](Doc::Params& p) { p.rendering_max_iterations = 10001; },
    };
    for (auto& b : breaks) {
        Doc::Params p = before;
        b(p);
        EXPECT_FALSE(doc.TrySetParams(p));
        doc.SetParams(p);
        EXPECT_EQ(doc.GetParams().junction_penalty, before.junction_penalty);
        EXPECT_EQ(doc.GetParams().rendering_max_iterations, before.rendering_max_iterations);
        EXPECT_EQ(doc.GetParams().estimation_oversample_factor, before.estimation_oversample_factor);
        EXPECT_TRUE(doc.IsBuilt());
        EXPECT_EQ(doc.ControlPointsText(), curve);
    }
    Doc::Params p = before;
    p.rendering_max_iterations = 10000;  // the bound itself is taken
    EXPECT_TRUE(doc.TrySetParams(p));
}

TEST_F(DocTest, ClearAndCloseAndTheCommandStates) {
    Open(Example("rounded.bmp"));
    EXPECT_FALSE(Enabled(ID_POLYBEZIER_COPY));
    doc.Build();
    EXPECT_TRUE(Enabled(ID_POLYBEZIER_COPY));
    EXPECT_TRUE(Enabled(ID_POLYBEZIER_CLEAR));
    EXPECT_FALSE(Enabled(ID_PINS_COPY));

    doc.CopyControlPoints();
    const std::string text = doc.ControlPointsText();
    EXPECT_EQ(text, FitText({Example("rounded.bmp")}));
    EXPECT_EQ(drv.ClipboardText(), CrLf(text));
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), long(3 * doc.GetJunctionCount() + 1));

    doc.ClearCurve();
    EXPECT_FALSE(doc.HasCurve());
    EXPECT_TRUE(doc.IsPristine());
    EXPECT_EQ(doc.GetEstimatedDiscrepancy(), 0);
    EXPECT_EQ(doc.GetEstimatedLength(), 3u);
    EXPECT_TRUE(Enabled(ID_POLYBEZIER_BUILD));

    // Close keeps the curve and the pins; the polyline goes.
    doc.Build();
    ASSERT_TRUE(doc.AddArea({float(doc.GetPolyline()[5].x), float(doc.GetPolyline()[5].y)}, 1, true));
    Kor::ClipboardCopyAsIs("1 1 1 1");
    app.SendCommand(Kor::ID_FILE_CLOSE);
    EXPECT_TRUE(doc.IsEmpty());
    EXPECT_EQ(doc.GetTotalLength(), 0u);
    EXPECT_EQ(doc.GetBitmapWidth(), 0u);
    EXPECT_FALSE(doc.IsBuilt());
    EXPECT_TRUE(doc.HasCurve());
    EXPECT_TRUE(doc.HasAreas());
    EXPECT_FALSE(Enabled(ID_POLYBEZIER_BUILD));
    EXPECT_FALSE(Enabled(ID_PINS_PASTE));
    EXPECT_TRUE(Enabled(ID_POLYBEZIER_COPY));
    EXPECT_TRUE(Enabled(ID_PINS_CLEAR));
    // Clear with no polyline: N = 0, nothing to estimate.
    doc.ClearCurve();
    EXPECT_FALSE(doc.HasCurve());
    EXPECT_TRUE(doc.IsPristine());
    doc.Build();  // nothing to build
    EXPECT_FALSE(doc.HasCurve());
}

}  // namespace
}  // namespace apptest
