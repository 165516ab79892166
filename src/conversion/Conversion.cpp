#include "conversion/Conversion.h"

#include <algorithm>
#include <vector>

#include "conversion/Findings.h"
#include "conversion/NoDataFindings.h"
#include "conversion/PreparationSummary.h"
#include "conversion/PreparedRows.h"
#include "conversion/PreparedShape.h"
#include "gridfile/GridExport.h"
#include "system/OutputTarget.h"

namespace {

// The velocities of the window as the arrays hold them, a row at a time.
VelocityExtremes WindowVelocities(const ConversionRequest& request) {
  VelocityExtremes velocities;
  const GridWindow& window = request.window;
  const std::size_t width = static_cast<std::size_t>(std::max(window.nxWrite, 0));
  for (const PropertyKind kind : {PropertyKind::kVp, PropertyKind::kVs}) {
    const PropertyInput& input = request.inputs[kind];
    if (input.values == nullptr) continue;
    const float factor = UnitOf(kind, input).factor;
    // The whole grid, every value a velocity above 0 and no marker: the extremes the reading
    // found are those of the window.
    const bool everyValue =
        window.xFrom == 0 && window.zFrom == 0 && window.nxWrite == window.nxInput &&
        static_cast<std::uint64_t>(window.nxWrite) * window.nzWrite == window.elementCount;
    if (everyValue && input.range && input.range->minimum > 0 &&
        input.range->maximum < kSurferBlank) {
      const float extremes[] = {input.range->minimum, input.range->maximum};
      if (kind == PropertyKind::kVp) {
        velocities.TakeVp(extremes, 2, factor);
      } else {
        velocities.TakeVs(extremes, 2, factor);
      }
      continue;
    }
    // Whole rows are one run.
    const bool whole = window.nxWrite == window.nxInput;
    for (std::int64_t z = 0; z < window.nzWrite; z += whole ? window.nzWrite : 1) {
      const float* const in = input.values + (window.zFrom + z) * window.nxInput + window.xFrom;
      const std::size_t count = whole ? width * static_cast<std::size_t>(window.nzWrite) : width;
      if (kind == PropertyKind::kVp) {
        velocities.TakeVp(in, count, factor);
      } else {
        velocities.TakeVs(in, count, factor);
      }
    }
  }
  return velocities;
}

// The prepared rows as the export asks for them, their velocities measured on the way, border
// excluded (it only repeats the edges): the report's figures without making the model twice.
class MeasuredRows : public MadeRows {
 public:
  MeasuredRows(PreparedRows& rows, const Border& border)
      : rows_(rows),
        vp_(rows.IndexOf(PropertyKind::kVp)),
        vs_(rows.IndexOf(PropertyKind::kVs)),
        border_(border) {}

  void MakeRun(std::size_t index, std::int32_t z, std::int32_t x, std::size_t count,
               float* out) override {
    rows_.MakeRun(index, z, x, count, out);
    const int which = static_cast<int>(index);
    const PreparedShape& shape = rows_.Shape();
    if ((which != vp_ && which != vs_) || z < border_.top || z >= border_.top + shape.z.count) {
      return;
    }
    const std::int64_t from = std::max<std::int64_t>(border_.left - x, 0);
    const std::int64_t to =
        std::min<std::int64_t>(border_.left + shape.x.count - x, static_cast<std::int64_t>(count));
    if (from >= to) return;
    const std::size_t inside = static_cast<std::size_t>(to - from);
    if (which == vp_) {
      velocities.TakeVp(out + from, inside);
    } else {
      velocities.TakeVs(out + from, inside);
    }
  }

  VelocityExtremes velocities;

 private:
  PreparedRows& rows_;
  const int vp_, vs_;
  const Border border_;
};

// Whether the window's values bound the model's velocities as they are: nothing changes them but
// a border, which repeats them.
bool WindowGivesTheReport(const ConversionRequest& request) {
  if (IsPlainWindow(request)) return true;
  if (request.preparation.resample) return false;
  ConversionRequest withoutBorder = request;
  withoutBorder.preparation.border = Border();
  return IsPlainWindow(withoutBorder);
}

// The velocities of the prepared model, border excluded, made as the export makes them.
VelocityExtremes PreparedVelocities(const ConversionRequest& request) {
  VelocityExtremes velocities;
  PreparedRows rows(request);
  const PreparedShape& shape = rows.Shape();
  const Border& border = request.preparation.border;
  const int vp = rows.IndexOf(PropertyKind::kVp), vs = rows.IndexOf(PropertyKind::kVs);
  constexpr std::int64_t kRun = 1 << 16;
  std::vector<float> run(static_cast<std::size_t>(std::min(shape.x.count, kRun)));
  for (std::int64_t z = 0; z < shape.z.count; ++z) {
    for (std::int64_t x = 0; x < shape.x.count; x += kRun) {
      const std::size_t count = static_cast<std::size_t>(std::min(kRun, shape.x.count - x));
      const auto take = [&](int index, bool isVp) {
        if (index < 0) return;
        rows.MakeRun(static_cast<std::size_t>(index), static_cast<std::int32_t>(z + border.top),
                     static_cast<std::int32_t>(x + border.left), count, run.data());
        if (isVp) {
          velocities.TakeVp(run.data(), count);
        } else {
          velocities.TakeVs(run.data(), count);
        }
      };
      take(vp, true);
      take(vs, false);
    }
  }
  return velocities;
}

}  // namespace

StabilityReport StabilityOfRequest(const ConversionRequest& request) {
  const PreparedShape shape = PreparedShapeOf(request);
  const VelocityExtremes velocities =
      WindowGivesTheReport(request) ? WindowVelocities(request) : PreparedVelocities(request);
  return StabilityOf(velocities, shape.xStep, shape.zStep);
}

ConversionResult RunConversion(const ConversionRequest& request, const FindingsAnswer& answer) {
  ConversionResult result;
  result.status = CheckConversionRequest(request, &result.refused);
  if (!result.status.ok()) return result;
  result.findings = FindingsOf(request);
  if (!result.findings.empty() && !(answer.writeDespite && answer.writeDespite(result.findings))) {
    return result;
  }
  GridOutput output =
      request.toStandardOutput ? GridOutput::StandardOutput() : GridOutput(request.outputPath);
  output.draft = request.draft;
  // A made model's report is measured as its rows are made for the file, and asked about before
  // the file takes its name; a stream cannot wait for the answer, so its model is made twice then.
  const bool streamed = request.toStandardOutput || FindOutputTarget(request.outputPath).stream;
  const bool measured = !WindowGivesTheReport(request) && !(answer.writeWithReport && streamed);
  const auto approved = [&answer, &result] {
    return !answer.writeWithReport || answer.writeWithReport(result.stability);
  };
  if (!measured) {
    result.stability = StabilityOfRequest(request);
    if (!approved()) return result;
  }
  if (answer.writing) answer.writing();

  ExportedGridFile exported;
  if (IsPlainWindow(request)) {
    ExportSource source;
    for (const GridProperty& property : kGridProperties) {
      const PropertyInput& input = request.inputs[property.kind];
      source.properties[property.kind] = {input.values, UnitOf(property.kind, input).factor};
    }
    source.window = request.window;
    exported = ExportGridFile(source, output);
  } else {
    PreparedRows rows(request);
    MeasuredRows measuring(rows, request.preparation.border);
    const PreparedShape& shape = rows.Shape();
    if (measured) {
      output.beforeCommit = [&] {
        result.stability = StabilityOf(measuring.velocities, shape.xStep, shape.zStep);
        return approved();
      };
    }
    exported = ExportMadeGrid(
        {static_cast<std::int32_t>(shape.nx), static_cast<std::int32_t>(shape.nz), shape.xStep,
         shape.zStep, rows.PropertyCodes(), measured ? static_cast<MadeRows*>(&measuring) : &rows},
        output);
    // A stream is not asked before its end: its report is the one measured all the same.
    if (measured && exported.ok()) {
      result.stability = StabilityOf(measuring.velocities, shape.xStep, shape.zStep);
    }
  }
  result.status = exported.status;
  result.written = exported.ok();
  result.header = exported.header;
  result.bytes = exported.bytes;
  if (result.written) result.prepared = PreparationSummary(request);
  return result;
}
