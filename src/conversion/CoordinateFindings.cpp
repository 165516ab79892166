#include "conversion/CoordinateFindings.h"

#include <cmath>

#include "grid/NumberText.h"
#include "textgrid/ArithmeticProgression.h"
#include "textgrid/FormCoordinates.h"

namespace {

// Fewer values than this keep one step too easily to say they are coordinates.
constexpr std::int64_t kLeastCoordinates = 3;

// The progression of `count` values `stride` apart from `first`, below a corner cell when the
// whole run is none, while the run `next` further on does not keep its step.
Progression CoordinatesAt(const float* first, std::int64_t count, std::int64_t stride,
                          std::int64_t next) {
  for (const std::int64_t skip : {0, 1}) {
    const std::int64_t length = count - skip;
    if (length < kLeastCoordinates) break;
    const float* const start = first + skip * stride;
    const Progression run = FindProgression(start, static_cast<std::uint64_t>(length),
                                            static_cast<std::uint64_t>(stride));
    if (!run.found) continue;
    const Progression beside = FindProgression(start + next, static_cast<std::uint64_t>(length),
                                               static_cast<std::uint64_t>(stride));
    return SameStep(run, beside) ? Progression() : run;
  }
  return Progression();
}

std::string Described(const Progression& run) {
  return std::string(run.step > 0 ? "rises by " : "falls by ") +
         FormatShortest(static_cast<float>(std::fabs(run.step)));
}

std::string Range(const Progression& run) {
  return "from " + FormatShortest(static_cast<float>(run.first)) + " to " +
         FormatShortest(static_cast<float>(run.last));
}

}  // namespace

std::string FirstColumnFinding(const PropertyInput& input, std::int32_t nx, std::int32_t nz,
                               const std::string& skipColumns) {
  if (input.values == nullptr || nx < 2) return {};
  const Progression run = CoordinatesAt(input.values, nz, nx, 1);
  if (!run.found) return {};
  return input.name + ": the first column " + Described(run) + " on each line, " + Range(run) +
         ": depths? " + skipColumns + " leaves it out";
}

std::string FirstRowFinding(const PropertyInput& input, std::int32_t nx, std::int32_t nz,
                            const std::string& skipRows) {
  if (input.values == nullptr || nz < 2) return {};
  const Progression run = CoordinatesAt(input.values, nx, 1, nx);
  if (!run.found) return {};
  return input.name + ": the first row " + Described(run) + " from column to column, " +
         Range(run) + ": x coordinates? " + skipRows + " leaves it out";
}

std::string DepthOrElevationFinding(const std::string& name, const TextGridForm& form,
                                    const std::string& flipName) {
  const VerticalFact& axis = form.facts.vertical;
  if (axis.known.how != HowKnown::kGuessed) return {};
  const std::string low = FormatShortest(axis.low), high = FormatShortest(axis.high);
  return name + ": " + axis.name + " runs from " + low + " to " + high +
         ", across 0: is it depth or elevation? It is read as depth, the top row " + axis.name +
         " " + low +
         (flipName.empty()
              ? ""
              : "; " + flipName + " reads it as elevation, the top row " + axis.name + " " + high);
}

std::string StatedStepsFinding(const std::string& name, const TextGridForm& form,
                               const std::string& kmName) {
  const bool small = form.dx < 0.1f || form.dz < 0.1f;
  if (!form.statesSteps || (!small && form.dx <= 1000.0f && form.dz <= 1000.0f)) return {};
  const std::string steps = name + ": steps of " + FormatShortest(form.dx) + " and " +
                            FormatShortest(form.dz) + ", from " + form.source;
  if (!small) return steps + ": a step of more than 1000 m?";
  return steps + ": are they in km?" + (kmName.empty() ? "" : " " + kmName + " reads them in km");
}
