#include "conversion/Sea.h"

#include <algorithm>
#include <bitset>
#include <memory>

#include "conversion/NearestHoleFill.h"
#include "conversion/NoDataFindings.h"
#include "grid/CompilerSupport.h"
#include "grid/NumberText.h"

namespace {

void SetBit(std::vector<std::uint64_t>& bits, std::uint64_t i) {
  bits[i / 64] |= std::uint64_t{1} << (i % 64);
}

}  // namespace

void ForEachVpRow(const ConversionRequest& request,
                  const std::function<void(std::int64_t row, const float* values)>& take) {
  const GridWindow& window = request.window;
  const PropertyInput& vp = request.inputs[PropertyKind::kVp];
  if (vp.values == nullptr || window.nxInput <= 0) return;
  const std::int32_t nx = window.nxInput;
  const std::int32_t nz =
      static_cast<std::int32_t>(window.elementCount / static_cast<std::uint32_t>(nx));
  const HoleFill& fill = request.preparation.sources[PropertyKind::kVp].fill;
  std::unique_ptr<NearestHoleFill> nearest;
  if (fill.how == HoleFilling::kNearest) {
    nearest = std::make_unique<NearestHoleFill>(vp.values, nx, nz, window.xStep, window.zStep);
  }
  std::vector<float> filled(fill.how == HoleFilling::kNone ? 0 : static_cast<std::size_t>(nx));
  for (std::int32_t z = 0; z < nz; ++z) {
    const float* const row = vp.values + static_cast<std::int64_t>(z) * nx;
    if (fill.how == HoleFilling::kNone) {
      take(z, row);
      continue;
    }
    if (nearest) {
      nearest->FillRow(z, 0, nx, filled.data());
    } else {
      std::replace_copy_if(row, row + nx, filled.begin(), IsNoDataMarker, fill.value);
    }
    take(z, filled.data());
  }
}

Sea::Sea(const ConversionRequest& request) : waterVp_(request.preparation.waterVp) {
  const GridWindow& window = request.window;
  nx_ = std::max(window.nxInput, 0);
  nz_ = nx_ > 0 ? window.elementCount / static_cast<std::uint64_t>(nx_) : 0;
  const std::size_t words = static_cast<std::size_t>((nx_ * nz_ + 63) / 64);
  slow_.assign(words, 0);
  sea_.assign(words, 0);
  const float factor = UnitOf(PropertyKind::kVp, request.inputs[PropertyKind::kVp]).factor;
  ForEachVpRow(request, [&](std::int64_t z, const float* row) {
    for (std::int64_t x = 0; x < nx_; ++x) {
      if (!IsNoDataMarker(row[x]) && factor * row[x] <= waterVp_) {
        SetBit(slow_, static_cast<std::uint64_t>(z * nx_ + x));
      }
    }
  });
  Flood();
}

// A row's runs of slow nodes, each joined along the row, are sea as a whole as soon as one of
// their nodes is, or touches sea above or below. Rows whose neighbours gained sea are looked at
// again, until no row changes: the top row's slow nodes and all joined to them.
void Sea::Flood() {
  std::vector<std::int64_t> pending;
  std::vector<bool> isPending(static_cast<std::size_t>(nz_), false);
  const auto mark = [&](std::int64_t z) {
    if (z < 0 || z >= nz_ || isPending[static_cast<std::size_t>(z)]) return;
    isPending[static_cast<std::size_t>(z)] = true;
    pending.push_back(z);
  };
  for (std::int64_t x = 0; x < nx_; ++x) {
    if (Bit(slow_, 0, x)) SetBit(sea_, static_cast<std::uint64_t>(x));
  }
  mark(1);
  while (!pending.empty()) {
    const std::int64_t z = pending.back();
    pending.pop_back();
    isPending[static_cast<std::size_t>(z)] = false;
    bool gained = false;
    for (std::int64_t x = 0; x < nx_;) {
      if (!Bit(slow_, z, x)) {
        ++x;
        continue;
      }
      const std::int64_t start = x;
      bool joined = false;
      for (; x < nx_ && Bit(slow_, z, x); ++x) {
        joined = joined || Bit(sea_, z, x) || (z > 0 && Bit(sea_, z - 1, x)) ||
                 (z + 1 < nz_ && Bit(sea_, z + 1, x));
      }
      if (!joined || Bit(sea_, z, start)) continue;
      for (std::int64_t i = start; i < x; ++i)
        SetBit(sea_, static_cast<std::uint64_t>(z * nx_ + i));
      gained = true;
    }
    if (gained) {
      mark(z - 1);
      mark(z + 1);
    }
  }
}

std::string Sea::BelowTheSeaFinding() const {
  std::uint64_t count = 0, first = 0;
  for (std::size_t w = slow_.size(); w-- > 0;) {
    const std::uint64_t below = slow_[w] & ~sea_[w];
    if (below == 0) continue;
    count += std::bitset<64>(below).count();
    first = w * 64 + LowestSetBit(below);
  }
  if (count == 0) return {};
  const std::uint64_t width = static_cast<std::uint64_t>(nx_);
  return FormatInteger(static_cast<std::int64_t>(count)) +
         (count == 1 ? " node at or below " : " nodes at or below ") + FormatShortest(waterVp_) +
         (count == 1 ? " m/s lies" : " m/s lie") + " below the sea (the first at row " +
         FormatInteger(static_cast<std::int64_t>(first / width + 1)) + ", column " +
         FormatInteger(static_cast<std::int64_t>(first % width + 1)) + "): not taken as water.";
}
