#include "conversion/PreparedRows.h"

#include <algorithm>
#include <cmath>

#include "conversion/NoDataFindings.h"

namespace {

// Where node i of a resampled axis lies on the window's n nodes: at `node`, or between it and the
// next, `weight` of the way.
void Locate(const AxisResampling& axis, std::int64_t i, std::int32_t n, std::int64_t& node,
            double& weight) {
  if (axis.every > 0) {
    node = i * axis.every;
    weight = 0;
    return;
  }
  const double at = static_cast<double>(i) * axis.ratio;
  const double below = std::floor(at);
  if (below >= n - 1) {
    node = n - 1;
    weight = 0;
    return;
  }
  node = static_cast<std::int64_t>(below);
  weight = at - below;
}

std::int64_t Clamp(std::int64_t i, std::int64_t count) {
  return std::min(std::max<std::int64_t>(i, 0), count - 1);
}

}  // namespace

PreparedRows::PreparedRows(const ConversionRequest& request)
    : request_(request), shape_(PreparedShapeOf(request)) {
  const ModelPreparation& preparation = request.preparation;
  const GridWindow& window = request.window;
  water_ = {preparation.waterVp, preparation.waterDensity};
  const std::int32_t rows =
      window.nxInput > 0 ? static_cast<std::int32_t>(window.elementCount /
                                                     static_cast<std::uint32_t>(window.nxInput))
                         : 0;
  for (const GridProperty& grid : kGridProperties) {
    const PropertySource& source = preparation.sources[grid.kind];
    const PropertyInput& input = request.inputs[grid.kind];
    const bool derived = IsDerived(source);
    if (!derived && input.values == nullptr) continue;
    Property property;
    property.kind = grid.kind;
    property.source = source;
    if (!derived) {
      property.values = input.values;
      property.factor = UnitOf(grid.kind, input).factor;
      if (source.fill.how == HoleFilling::kNearest) {
        property.nearest = std::make_unique<NearestHoleFill>(input.values, window.nxInput, rows,
                                                             window.xStep, window.zStep);
      }
    }
    properties_.push_back(std::move(property));
    codes_ += grid.code;
  }
  const bool anyRule = std::any_of(properties_.begin(), properties_.end(),
                                   [](const Property& p) { return IsDerived(p.source); });
  if (anyRule) sea_ = std::make_unique<Sea>(request);
  const std::size_t rowSize = static_cast<std::size_t>(std::max(window.nxWrite, 0));
  for (RowSet& set : sets_) set.values.resize(properties_.size() * rowSize);
}

int PreparedRows::IndexOf(PropertyKind kind) const {
  for (std::size_t i = 0; i < properties_.size(); ++i) {
    if (properties_[i].kind == kind) return static_cast<int>(i);
  }
  return -1;
}

void PreparedRows::MakeRowSet(RowSet& set, std::int64_t j) {
  const GridWindow& window = request_.window;
  const std::size_t width = static_cast<std::size_t>(window.nxWrite);
  const std::int64_t row = window.zFrom + j;
  // Holes first, from the values as the file holds them.
  for (std::size_t p = 0; p < properties_.size(); ++p) {
    Property& property = properties_[p];
    if (property.values == nullptr) continue;
    float* const out = &set.values[p * width];
    if (property.nearest) {
      property.nearest->FillRow(static_cast<std::int32_t>(row), window.xFrom,
                                static_cast<std::int32_t>(width), out);
    } else {
      const float* const in = property.values + row * window.nxInput + window.xFrom;
      std::copy(in, in + width, out);
    }
    if (property.source.fill.how == HoleFilling::kValue) {
      std::replace_if(out, out + width, IsNoDataMarker, property.source.fill.value);
    }
  }
  // Then the rules, on Vp in m/s; a hole left in Vp stays a hole in what is derived from it.
  const Property& vp = properties_.front();
  const float* const vpRow = set.values.data();
  for (std::size_t p = 0; p < properties_.size(); ++p) {
    const Property& property = properties_[p];
    if (property.values != nullptr || vp.kind != PropertyKind::kVp) continue;
    float* const out = &set.values[p * width];
    for (std::size_t i = 0; i < width; ++i) {
      out[i] =
          IsNoDataMarker(vpRow[i])
              ? vpRow[i]
              : DerivedValue(property.source, vp.factor * vpRow[i],
                             sea_->Holds(row, window.xFrom + static_cast<std::int64_t>(i)), water_);
    }
  }
  for (std::size_t p = 0; p < properties_.size(); ++p) {
    const Property& property = properties_[p];
    if (property.values == nullptr || property.factor == 1.0f) continue;
    float* const out = &set.values[p * width];
    for (std::size_t i = 0; i < width; ++i) out[i] = property.factor * out[i];
  }
  set.row = j;
}

// Rows are asked for in increasing order, the upper of a pair first: the set with the lower row
// is the one no longer needed.
const float* PreparedRows::WindowRow(std::size_t index, std::int64_t j) {
  RowSet* set = sets_[0].row == j ? &sets_[0] : sets_[1].row == j ? &sets_[1] : nullptr;
  if (set == nullptr) {
    set = sets_[0].row <= sets_[1].row ? &sets_[0] : &sets_[1];
    MakeRowSet(*set, j);
  }
  return &set->values[index * static_cast<std::size_t>(request_.window.nxWrite)];
}

void PreparedRows::MakeRun(std::size_t index, std::int32_t z, std::int32_t x, std::size_t count,
                           float* out) {
  const Border& border = request_.preparation.border;
  const GridWindow& window = request_.window;
  if (z != madeRow_) {
    Locate(shape_.z, Clamp(z - border.top, shape_.z.count), window.nzWrite, upperRow_,
           lowerWeight_);
    madeRow_ = z;
  }
  const float* const upper = WindowRow(index, upperRow_);
  const float* const lower = lowerWeight_ > 0 ? WindowRow(index, upperRow_ + 1) : upper;
  const double s = lowerWeight_;
  for (std::size_t i = 0; i < count; ++i) {
    std::int64_t c = 0;
    double t = 0;
    Locate(shape_.x, Clamp(x + static_cast<std::int64_t>(i) - border.left, shape_.x.count),
           window.nxWrite, c, t);
    double above = upper[c], below = lower[c];
    if (t > 0) {
      above = (1 - t) * above + t * upper[c + 1];
      below = (1 - t) * below + t * lower[c + 1];
    }
    out[i] = static_cast<float>(s > 0 ? (1 - s) * above + s * below : above);
  }
}
