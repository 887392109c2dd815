// Vexilo's document: the closed polyline traced from an imported mask, the
// pins, the fitting parameters, the fitting session with both builders and
// what they have estimated, and the fitted poly-Bezier with its
// discrepancy. Every change of that state goes through the operations
// below, which tell the listeners (the view, the frame's property editor)
// with PolyBezierChange and AreasChange.
//
// The document is never saved: opening a file imports the first closed
// outline of a mask.
//
// Estimating. A Build without pins runs the free search's estimation on a
// worker thread (GrandBuilding) while the user-interface thread pumps its
// messages behind a progress dialog. While that runs (IsEstimating()):
//   - the information getters serve values taken between the steps, never
//     the builder itself;
//   - SetParams stores valid parameters and marks the curve not built; the
//     rendering waits for the end of the build;
//   - Build, Render, ClearCurve, DoOpen and the pin operations are refused
//     (they do nothing and return false where they return anything);
//   - CanClose is false and the document's commands are disabled.
#pragma once

#include "fitting/fitting_session.h"
#include "fitting/params.h"
#include "fitting/typedefs.h"
#include "framework/document/doc.h"
#include "framework/properties/editable.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace plat {
class CmdUI;
class Wnd;
}  // namespace plat

// The document's commands (the PolyBezier and Pins menus).
enum : unsigned {
    ID_POLYBEZIER_CLEAR = 32780,
    ID_POLYBEZIER_COPY = 32784,
    ID_PINS_CLEAR = 32785,
    ID_POLYBEZIER_BUILD = 32786,
    ID_PINS_COPY = 32788,
    ID_PINS_PASTE = 32789,
};

class Doc : public Kor::Doc, public Kor::Editable<Doc> {
public:
    // The curve, the discrepancy or the built flag changed.
    class PolyBezierChange : public Event {
    public:
        using Event::Event;
    };
    // The pins changed.
    class AreasChange : public Event {
    public:
        using Event::Event;
    };

    // How the last estimation on the build thread ended.
    enum class BuildOutcome {
        None,             // no estimation has run
        Complete,         // it reached the whole polyline
        Cancelled,        // the user stopped it; a later Build goes on
        Failed,           // a step failed (an error or a processor fault); a later Build goes on
        NotEnoughMemory,  // a step could not have its memory, or the whole estimation cannot fit
    };

    typedef outline::grand_params<float> Params;

    Doc();
    ~Doc() override;

    // --- What the document holds ---
    const std::vector<outline::node>& GetPolyline() const;
    const std::vector<outline::area>& GetAreas() const { return areas_; }
    const std::vector<outline::real_point>& GetControlPoints() const { return controlPoints_; }
    std::uint32_t GetBitmapWidth() const { return bitmapWidth_; }
    std::uint32_t GetBitmapHeight() const { return bitmapHeight_; }
    float GetEstimatedDiscrepancy() const { return estimatedDiscrepancy_; }
    bool IsBuilt() const { return built_; }
    // A Build's estimation runs on the build thread (the progress dialog is up).
    bool IsEstimating() const { return estimating_; }
    BuildOutcome GetLastOutcome() const { return lastOutcome_; }

    // --- Parameters ---
    const Params& GetParams() const { return params_; }
    // Stores the parameters, marks the curve not built and renders again
    // (after the build when one runs). Equal parameters change nothing;
    // parameters the engine does not take (see fitting/param_checks.h) are
    // refused and change nothing. The property editor's write.
    void SetParams(const Params& params);
    // As SetParams; false when the parameters were refused.
    bool TrySetParams(const Params& params);

    // --- Information (the property editor's rows) ---
    unsigned GetJunctionCount() const;    // pieces of the curve; 0 without one
    unsigned GetTotalLength() const;      // nodes of the polyline, the closing one counted
    unsigned GetEstimatedLength() const;  // L of the free search
    bool HasAreas() const;
    bool HasCurve() const;
    bool IsPristine() const;  // no curve and nothing estimated

    // --- Operations ---
    // The framework's close; also drops the polyline, the bitmap size and
    // both searches. The pins and the curve stay until the next import.
    void Close() override;
    bool CanClose() override;
    // Validates and inserts one pin; a refused pin shows why and changes
    // nothing. A negative radius stands for its size; a circle that is not
    // finite holds no node. True when it was added.
    bool AddArea(outline::real_point centre, float radius, bool smooth);
    void ClearAreas();
    void CopyAreas();
    void PasteAreas();
    // Adds the pins of a pins text (as the clipboard holds it), each through
    // AddArea, with one message for all the refused ones; the number of pins
    // added.
    unsigned PasteAreasText(const std::string& text);
    std::string AreasText() const;
    void ClearCurve();
    void CopyControlPoints();
    std::string ControlPointsText() const;
    void Build();
    void Render();

    // The name the property editor's object goes by: "PolyBezier".
    std::string GetEditableName() const;
    // The property map (doc_properties.cpp).
    static void DeclareProperties(Kor::PropertyMapClassBase& map);

    // --- Seams for tests ---
    // Runs on the build thread at the start of every estimation step.
    void SetStepHook(std::function<void()> hook) { stepHook_ = std::move(hook); }
    // The bytes of memory a Build may still take; by default what the
    // system says is available.
    void SetAvailableMemory(std::function<std::uint64_t()> available) { availableMemory_ = std::move(available); }
    // The bytes the estimation of the whole polyline still needs.
    std::uint64_t EstimationMemoryNeeded() const;

protected:
    // Imports the first closed outline of the mask at `path`. An error
    // leaves the document as it was.
    void DoOpen(const std::string& path, int filterIndex) override;
    const plat::CommandTable* GetCommandTable() const override;

private:
    void OnPolyBezierCopy();
    void OnPolyBezierClear();
    void OnPolyBezierBuild();
    void OnPinsClear();
    void OnPinsCopy();
    void OnPinsPaste();
    void OnUpdatePolyBezierCopy(plat::CmdUI* ui);
    void OnUpdatePolyBezierClear(plat::CmdUI* ui);
    void OnUpdatePolyBezierBuild(plat::CmdUI* ui);
    void OnUpdatePinsClear(plat::CmdUI* ui);
    void OnUpdatePinsCopy(plat::CmdUI* ui);
    void OnUpdatePinsPaste(plat::CmdUI* ui);

    // Renders from what the builders hold; `explicitBuild` tells the user
    // when no curve came out.
    void RenderCurve(bool explicitBuild);
    // The estimation of a Build without pins; false when it must not render.
    bool Estimate();
    std::string NoCurveText() const;
    void Message(const std::string& text) const;
    // AddArea without its message: a refusal's reason goes to `refusal`.
    bool InsertArea(outline::real_point centre, float radius, bool smooth, std::string& refusal);
    void RaisePolyBezierChange();
    void RaiseAreasChange();
    plat::Wnd* DialogParent() const;

    // Replaced as a whole by an import, so that an import error leaves the
    // document as it was.
    std::unique_ptr<outline::fitting_session> session_;
    std::vector<outline::area> areas_;  // the session's pins; kept by Close
    std::vector<outline::real_point> controlPoints_;
    std::uint32_t bitmapWidth_ = 0, bitmapHeight_ = 0;
    Params params_;
    float estimatedDiscrepancy_ = 0;
    bool built_ = false;

    bool estimating_ = false;
    bool paramsChangedInBuild_ = false;  // SetParams during a build: the curve is not built
    unsigned estimatedLengthCopy_ = 3;   // L as served while estimating
    BuildOutcome lastOutcome_ = BuildOutcome::None;
    std::function<void()> stepHook_;
    std::function<std::uint64_t()> availableMemory_;
};
