#include "conversion/NearestHoleFill.h"

#include <algorithm>

#include "conversion/NoDataFindings.h"

// The nearest node of a hole is found in two steps (as in Meijster's distance transform): each
// column's nearest node to the row, above or below, then across the columns the lower envelope
// of their distances, ordered by (distance, row, column). Along a row, one column's distance less
// another's only falls, so each column wins over a half-line of the row and the envelope is
// exact, ties included.

NearestHoleFill::NearestHoleFill(const float* values, std::int32_t nx, std::int32_t nz, float xStep,
                                 float zStep)
    : values_(values),
      nx_(nx),
      nz_(nz),
      xStep_(xStep),
      zStep_(zStep),
      above_(static_cast<std::size_t>(nx), -1),
      below_(static_cast<std::size_t>(nx), -1),
      candidateRow_(static_cast<std::size_t>(nx), -1),
      candidateDistance_(static_cast<std::size_t>(nx), 0.0) {}

bool NearestHoleFill::Hole(std::int64_t z, std::int64_t x) const {
  return IsNoDataMarker(values_[z * nx_ + x]);
}

void NearestHoleFill::FillRow(std::int32_t z, std::int32_t x, std::int32_t count, float* out) {
  const float* const row = values_ + static_cast<std::int64_t>(z) * nx_ + x;
  std::copy(row, row + count, out);
  if (std::none_of(out, out + count, IsNoDataMarker)) return;
  FindColumnCandidates(z);
  BuildLowerEnvelope();
  if (envelope_.empty()) return;  // nothing but holes
  std::size_t j = 0;
  for (std::int32_t i = 0; i < count; ++i) {
    if (!IsNoDataMarker(out[i])) continue;
    while (j + 1 < envelope_.size() && envelopeFrom_[j + 1] <= x + i) ++j;
    const std::int32_t column = envelope_[j];
    out[i] = values_[static_cast<std::int64_t>(candidateRow_[column]) * nx_ + column];
  }
}

// Each column's scans only move down the column over all the rows filled, so a column costs its
// length in all.
void NearestHoleFill::FindColumnCandidates(std::int32_t z) {
  for (std::int32_t c = 0; c < nx_; ++c) {
    std::int32_t r = z;
    while (r > lastRow_ && Hole(r, c)) --r;
    if (r > lastRow_) above_[c] = r;
    if (below_[c] < z) {
      r = z;
      while (r < nz_ && Hole(r, c)) ++r;
      below_[c] = r;
    }
    const std::int32_t up = above_[c] >= 0 ? z - above_[c] : -1;
    const std::int32_t down = below_[c] < nz_ ? below_[c] - z : -1;
    if (up < 0 && down < 0) {
      candidateRow_[c] = -1;
      continue;
    }
    const bool upper = down < 0 || (up >= 0 && up <= down);
    candidateRow_[c] = upper ? above_[c] : below_[c];
    const double metres = (upper ? up : down) * zStep_;
    candidateDistance_[c] = metres * metres;
  }
  lastRow_ = z;
}

bool NearestHoleFill::Beats(std::int32_t p, std::int32_t q, std::int64_t x) const {
  const double dp = static_cast<double>(x - p) * xStep_, dq = static_cast<double>(x - q) * xStep_;
  const double toP = dp * dp + candidateDistance_[p], toQ = dq * dq + candidateDistance_[q];
  if (toP != toQ) return toP < toQ;
  return candidateRow_[p] < candidateRow_[q];  // p is right of q: it wins a tie from above only
}

void NearestHoleFill::BuildLowerEnvelope() {
  envelope_.clear();
  envelopeFrom_.clear();
  for (std::int32_t p = 0; p < nx_; ++p) {
    if (candidateRow_[p] < 0) continue;
    std::int64_t from = 0;
    while (!envelope_.empty()) {
      const std::int32_t q = envelope_.back();
      if (Beats(p, q, envelopeFrom_.back())) {
        envelope_.pop_back();
        envelopeFrom_.pop_back();
        continue;
      }
      // The first column after q's first where p wins; nx_ when p never does.
      std::int64_t lo = envelopeFrom_.back(), hi = nx_;
      while (hi - lo > 1) {
        const std::int64_t middle = lo + (hi - lo) / 2;
        (Beats(p, q, middle) ? hi : lo) = middle;
      }
      from = hi;
      break;
    }
    if (from >= nx_) continue;
    envelope_.push_back(p);
    envelopeFrom_.push_back(static_cast<std::int32_t>(from));
  }
}
