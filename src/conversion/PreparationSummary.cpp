#include "conversion/PreparationSummary.h"

#include "conversion/NoDataFindings.h"
#include "conversion/PreparedShape.h"
#include "conversion/PropertyRules.h"
#include "grid/NumberText.h"

namespace {

std::string HolesSentence(const ConversionRequest& request, PropertyKind kind,
                          std::uint64_t holes) {
  const PropertyInput& input = request.inputs[kind];
  const HoleFill& fill = request.preparation.sources[kind].fill;
  const std::string filled = input.name + ": " + FormatInteger(static_cast<std::int64_t>(holes)) +
                             (holes == 1 ? " hole" : " holes") + " filled with ";
  if (fill.how == HoleFilling::kNearest) {
    return filled + "the value of the nearest node that is not a hole.";
  }
  return filled + FormatShortest(fill.value) + " " + UnitOf(kind, input).name + ".";
}

std::string AxisPhrase(const char* axis, const AxisResampling& resampling) {
  const std::string name = axis;
  if (resampling.every == 1) return name + " at its own step, every node copied exactly";
  if (resampling.every > 1) {
    return name + " by plain decimation, one node in " + FormatInteger(resampling.every) +
           " copied exactly";
  }
  return name + " by bilinear interpolation";
}

}  // namespace

std::vector<std::string> PreparationSummary(const ConversionRequest& request) {
  const ModelPreparation& preparation = request.preparation;
  std::vector<std::string> sentences;
  bool fillAsked = false;
  for (const GridProperty& property : kGridProperties) {
    const PropertyInput& input = request.inputs[property.kind];
    if (input.values == nullptr ||
        preparation.sources[property.kind].fill.how == HoleFilling::kNone) {
      continue;
    }
    fillAsked = true;
    const std::uint64_t holes = TakeCensus(input.values, request.window.elementCount).markers;
    if (holes > 0) sentences.push_back(HolesSentence(request, property.kind, holes));
  }
  if (fillAsked && sentences.empty()) sentences.push_back("No holes to fill.");
  const Water water{preparation.waterVp, preparation.waterDensity};
  for (const GridProperty& property : kGridProperties) {
    const PropertySource& source = preparation.sources[property.kind];
    if (IsDerived(source)) sentences.push_back(RuleSentence(property.kind, source, water));
  }
  const PreparedShape shape = PreparedShapeOf(request);
  if (preparation.resample) {
    sentences.push_back(
        "New steps dx " + FormatShortest(shape.xStep) + " m, dz " + FormatShortest(shape.zStep) +
        " m (from " + FormatShortest(request.window.xStep) + " m, " +
        FormatShortest(request.window.zStep) + " m): " + FormatInteger(shape.x.count) + " x " +
        FormatInteger(shape.z.count) + " nodes, floor(extent / new step) + 1 along each axis; " +
        AxisPhrase("X", shape.x) + "; " + AxisPhrase("Z", shape.z) + ".");
  }
  const Border& border = preparation.border;
  if (border.any()) {
    sentences.push_back("A border of " + FormatInteger(border.left) + ", " +
                        FormatInteger(border.right) + ", " + FormatInteger(border.top) + ", " +
                        FormatInteger(border.bottom) +
                        " nodes (left, right, top, bottom) repeats the edge values.");
  }
  return sentences;
}
