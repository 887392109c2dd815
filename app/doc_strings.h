// The texts the document shows: its messages and the labels and hints of
// its property rows. Labels are the keys of the property map; hints show
// for the selected row. They are kept byte for byte as the program has
// always shown them.
#pragma once

namespace docstr {

// --- Messages ---
inline constexpr char kFirstClosedContour[] = "First closed contour from bitmap selected.";
inline constexpr char kNoCurve[] = "No curve could be built";
inline constexpr char kEstimationFailed[] =
    "The estimation stopped because of an internal error; the curve uses the estimation so far.";
inline constexpr char kNotEnoughMemory[] = "There is not enough memory to estimate the whole polyline";
// After the first refusal's reason, when a paste refused several pins.
inline constexpr char kPinsRefused[] = " of the pasted pins were refused.";
inline constexpr char kBuildRunning[] = "A build is running";
inline constexpr char kEstimating[] = "Estimating...";
inline constexpr char kBuilding[] = "building the curve";

// --- Property rows ---
inline constexpr char kPolyBezierName[] = "PolyBezier";
inline constexpr char kParameters[] = "Parameters";
inline constexpr char kParametersHint[] = "Parameters of optimal PolyBezier building";
inline constexpr char kPolyBezier[] = "PolyBezier";
inline constexpr char kPolyBezierHint[] = "Bezier polynomial properties";
inline constexpr char kPolyline[] = "Polyline";
inline constexpr char kPolylineHint[] = "Polyline properties";

inline constexpr char kEstimation[] = "Estimation";
inline constexpr char kEstimationHint[] =
    "Estimation of various possible bezier locations is almost requied if you don't define any areas, and "
    "desired if search areas are large enough. If you decided to turn off the estimation, then it's arguably a "
    "good idea to boost 'Rendering|Max Iterations' parameter.";
inline constexpr char kMaxJunctions[] = "Max Junctions";
inline constexpr char kMaxJunctionsHint[] = "The maximum permitted number of polynomial pieces in optimal curve.";
inline constexpr char kJunctionPenalty[] = "Penalty for a Junction";
inline constexpr char kJunctionPenaltyHint[] =
    "Discrepancy of fitted curve is increased by this amount with each additional junction on it.";
inline constexpr char kSharpBendPenalty[] = "Penalty for a Sharp Bend";
inline constexpr char kSharpBendPenaltyHint[] =
    "Specifies maximum penalty per junction for the loss of continuity. The penalty in each case depends on the "
    "measure of discontinuity.";
inline constexpr char kRendering[] = "Rendering";
inline constexpr char kRenderingHint[] =
    "Rendering takes place after the positions of junctions on the polyline is determined, typically during "
    "estimation. Rendering is aimed to dispose finally Bezier control points with high precision (higher than it "
    "was made during estimation).";

inline constexpr char kMaxIterations[] = "Max Iterations";
inline constexpr char kMaxIterationsHint[] =
    "Limit for the iteration number, no more iterations can be made even if the curve does not fit the points.";
inline constexpr char kOversampleFactor[] = "Oversample Factor";
inline constexpr char kOversampleFactorHint[] =
    "Oversample factor is multiplied on the number of nodes in a piece of approximated polyline to obtain the "
    "number of points, lying on the curve, each of which is pulled to the nearest place on the polyline. The "
    "more the oversample factor, the more fitted curve resembles the polyline, but more iterations are required "
    "and each iteration takes more time.";
inline constexpr char kStopMeanDiscrepancy[] = "Stop Mean Discrepancy";
inline constexpr char kStopMeanDiscrepancyHint[] =
    "Iterations are stopped after mean discrepancy (per polyline's node) reaches that value.";
inline constexpr char kFitWhole[] = "Fit Whole PolyBezier";
inline constexpr char kFitWholeHint[] =
    "During estimation the fitting is made on the per piece basis. It sometimes leads to bad suiting of adjacent "
    "Bezier pieces and to the necessity of junctions to coincide with nodes of polyline. Fitting curve as a whole "
    "means that all controls points are matched in coordination and it allows overcoming of the mentioned "
    "shortcomings.";
inline constexpr char kSameAsEstimation[] = "Same as Estimation";
// The apostrophe is the typographic right single quotation mark (U+2019).
inline constexpr char kSameAsEstimationHint[] =
    "You may omit the rendering and use estimated Bezier control points as the final answer. But it\u2019s not "
    "recommended since estimation is made with less precision to take less time. Omitting rendering is not "
    "possible if you decided to fit multiple pieces Bezier as a whole.";

inline constexpr char kEstimatedDiscrepancy[] = "Estimated Discrepancy";
inline constexpr char kEstimatedDiscrepancyHint[] =
    "Discrepancy of the best Bezier polynomial found during estimation from the polyline plus the penalties.";
inline constexpr char kJunctionCount[] = "Junction Count";
inline constexpr char kJunctionCountHint[] =
    "This is the number of polynomial Bezier pieces and in the same time the number of the points where they "
    "meet.";
inline constexpr char kEstimatedLength[] = "Estimated Length";
inline constexpr char kEstimatedLengthHint[] =
    "All pieces of original polyline containing up to this number of nodes have been estimated.";
inline constexpr char kTotalLength[] = "Total Length";
inline constexpr char kTotalLengthHint[] = "This number is the length of the polyline in sizes of bitmap's pixels.";

}  // namespace docstr
