#include "conversion/PreparedShape.h"

#include <algorithm>
#include <cmath>

#include "conversion/NoDataFindings.h"
#include "gridfile/GridFileHeader.h"

namespace {

constexpr double kStepTolerance = 1.0 / (1 << 20);

}  // namespace

AxisResampling ResampleAxis(std::int32_t n, float oldStep, float newStep) {
  AxisResampling axis;
  axis.ratio = static_cast<double>(newStep) / oldStep;
  if (n <= 0) {
    axis.count = 0;
    return axis;
  }
  const double whole = std::round(axis.ratio);
  if (whole >= 1 && whole < 2147483648.0 &&
      std::fabs(axis.ratio - whole) <= whole * kStepTolerance) {
    axis.every = static_cast<std::int32_t>(whole);
    axis.ratio = whole;
    axis.count = (n - 1) / axis.every + 1;
    return axis;
  }
  axis.every = 0;
  const double span = std::min((n - 1) / axis.ratio, 9e18);
  const double nearest = std::round(span);
  axis.count = static_cast<std::int64_t>(std::fabs(span - nearest) <= span * kStepTolerance
                                             ? nearest
                                             : std::floor(span)) +
               1;
  return axis;
}

PreparedShape PreparedShapeOf(const ConversionRequest& request) {
  const GridWindow& window = request.window;
  const ModelPreparation& preparation = request.preparation;
  PreparedShape shape;
  shape.xStep = window.xStep;
  shape.zStep = window.zStep;
  shape.x.count = window.nxWrite;
  shape.z.count = window.nzWrite;
  if (preparation.resample && preparation.xStep > 0 && preparation.zStep > 0) {
    shape.x = ResampleAxis(window.nxWrite, window.xStep, preparation.xStep);
    shape.z = ResampleAxis(window.nzWrite, window.zStep, preparation.zStep);
    shape.xStep = preparation.xStep;
    shape.zStep = preparation.zStep;
  }
  const Border& border = preparation.border;
  shape.nx = shape.x.count + border.left + border.right;
  shape.nz = shape.z.count + border.top + border.bottom;
  return shape;
}

WrittenGrid WrittenGridOf(const ConversionRequest& request) {
  const PreparedShape shape = PreparedShapeOf(request);
  WrittenGrid written;
  written.nx = shape.nx;
  written.nz = shape.nz;
  for (const GridProperty& property : kGridProperties) {
    written.properties += request.inputs[property.kind].values != nullptr ||
                          IsDerived(request.preparation.sources[property.kind]);
  }
  const std::uint64_t nodes = static_cast<std::uint64_t>(std::max<std::int64_t>(shape.nx, 0)) *
                              static_cast<std::uint64_t>(std::max<std::int64_t>(shape.nz, 0));
  written.bytes = kGridFileHeaderSize + 4 * nodes * written.properties;
  return written;
}

bool IsPlainWindow(const ConversionRequest& request) {
  const ModelPreparation& preparation = request.preparation;
  if (preparation.resample || preparation.border.any()) return false;
  for (const GridProperty& property : kGridProperties) {
    const PropertySource& source = preparation.sources[property.kind];
    if (IsDerived(source)) return false;
    const PropertyInput& input = request.inputs[property.kind];
    if (source.fill.how != HoleFilling::kNone && input.values != nullptr &&
        TakeCensus(input.values, request.window.elementCount).markers > 0) {
      return false;
    }
  }
  return true;
}
