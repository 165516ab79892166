// The checks of a request's preparation, with their messages (listed in ConversionRequest.h).

#include <cmath>
#include <cstdint>
#include <limits>
#include <tuple>
#include <utility>

#include "conversion/ConversionRequest.h"
#include "conversion/NoDataFindings.h"
#include "conversion/PreparedShape.h"
#include "conversion/PropertyRules.h"
#include "grid/NumberText.h"

namespace {

constexpr std::int64_t kMostNodes = std::numeric_limits<std::int32_t>::max();

Status Refuse(RequestPart part, RequestPart* refused, const std::string& message) {
  if (refused != nullptr) *refused = part;
  return Status::Error(message);
}

RequestPart SourcePart(PropertyKind kind) {
  return kind == PropertyKind::kVs ? RequestPart::kVsSource : RequestPart::kDensitySource;
}

std::string Capitalized(std::string text) {
  if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') text[0] = static_cast<char>(text[0] - 32);
  return text;
}

Status CheckSources(const ConversionRequest& request, RequestPart* refused) {
  const ModelPreparation& preparation = request.preparation;
  bool anyRule = false;
  for (const GridProperty& property : kGridProperties) {
    const PropertySource& source = preparation.sources[property.kind];
    if (!IsDerived(source)) continue;
    anyRule = true;
    if (property.kind == PropertyKind::kVp) {
      return Refuse(RequestPart::kInputs, refused, "Vp is read from its file: it has no rule.");
    }
    if (request.inputs[property.kind].values != nullptr) {
      return Refuse(
          SourcePart(property.kind), refused,
          Capitalized(property.name) + " is given both as a file and as a rule: choose one.");
    }
    if (request.inputs[PropertyKind::kVp].values == nullptr) {
      return Refuse(SourcePart(property.kind), refused,
                    RuleName(property.kind, source) + " needs Vp: load the Vp grid too.");
    }
    if (source.rule == PropertyRule::kVpRatio &&
        !(source.ratio > 1.0f && std::isfinite(source.ratio))) {
      return Refuse(SourcePart(property.kind), refused,
                    RuleName(property.kind, source) +
                        " puts Vs at or above Vp: the ratio must be greater than 1.");
    }
  }
  if (!anyRule) return Status();
  if (!(preparation.waterVp >= 0.0f && std::isfinite(preparation.waterVp))) {
    return Refuse(
        RequestPart::kWater, refused,
        "The water's Vp, " + FormatShortest(preparation.waterVp) + " m/s, must be 0 or more.");
  }
  if (!(preparation.waterDensity > 0.0f && std::isfinite(preparation.waterDensity))) {
    return Refuse(RequestPart::kWater, refused,
                  "The water's density, " + FormatShortest(preparation.waterDensity) +
                      " kg/m3, must be greater than 0.");
  }
  return Status();
}

Status CheckHoles(const ConversionRequest& request, RequestPart* refused) {
  for (const GridProperty& property : kGridProperties) {
    const HoleFill& fill = request.preparation.sources[property.kind].fill;
    const PropertyInput& input = request.inputs[property.kind];
    if (input.values == nullptr || fill.how == HoleFilling::kNone) continue;
    if (fill.how == HoleFilling::kValue) {
      const Unit& unit = UnitOf(property.kind, input);
      if (IsNoDataMarker(fill.value) || !std::isfinite(fill.value)) {
        return Refuse(RequestPart::kHoles, refused,
                      "Holes cannot be filled with " + FormatShortest(fill.value) +
                          ": it is a no-data marker itself.");
      }
      if (!std::isfinite(fill.value * unit.factor)) {
        return Refuse(RequestPart::kHoles, refused,
                      input.name + ": holes cannot be filled with " + FormatShortest(fill.value) +
                          " " + unit.name + ": it is beyond the range of 32-bit floats in " +
                          property.unit + ".");
      }
      continue;
    }
    const std::uint32_t count = request.window.elementCount;
    if (count > 0 && TakeCensus(input.values, count).markers == count) {
      return Refuse(
          RequestPart::kHoles, refused,
          input.name + " holds no-data markers alone: no node is left to fill its holes from.");
    }
  }
  return Status();
}

Status CheckShape(const ConversionRequest& request, RequestPart* refused) {
  const ModelPreparation& preparation = request.preparation;
  if (preparation.resample) {
    for (const auto& [part, step, axis] :
         {std::tuple{RequestPart::kNewXStep, preparation.xStep, "X"},
          std::tuple{RequestPart::kNewZStep, preparation.zStep, "Z"}}) {
      if (!(step > 0.0f)) {
        return Refuse(part, refused,
                      std::string("The new ") + axis + " step must be greater than 0.");
      }
    }
  }
  const Border& border = preparation.border;
  for (const auto& [side, nodes] :
       {std::pair{"left", border.left}, std::pair{"right", border.right},
        std::pair{"top", border.top}, std::pair{"bottom", border.bottom}}) {
    if (nodes < 0) {
      return Refuse(RequestPart::kBorder, refused,
                    std::string("The border's ") + side + " side, " + FormatInteger(nodes) +
                        " nodes, must be 0 nodes or more.");
    }
  }
  const PreparedShape shape = PreparedShapeOf(request);
  const RequestPart part = shape.x.count > kMostNodes   ? RequestPart::kNewXStep
                           : shape.z.count > kMostNodes ? RequestPart::kNewZStep
                                                        : RequestPart::kBorder;
  const std::string sizes = "The grid to write, " + FormatInteger(shape.nx) + " x " +
                            FormatInteger(shape.nz) + " nodes, ";
  if (shape.nx > kMostNodes || shape.nz > kMostNodes) {
    return Refuse(part, refused,
                  sizes + "is more than a grid file holds (" + FormatInteger(kMostNodes) +
                      " nodes along an axis).");
  }
  // 4 bytes a value of three properties, and the header, within 64 bits.
  const std::uint64_t nodes =
      static_cast<std::uint64_t>(shape.nx) * static_cast<std::uint64_t>(shape.nz);
  if (nodes > (std::numeric_limits<std::uint64_t>::max() - 296) / 12) {
    return Refuse(part, refused, sizes + "is more than any file holds.");
  }
  return Status();
}

}  // namespace

Status CheckModelPreparation(const ConversionRequest& request, RequestPart* refused) {
  for (const auto check : {CheckSources, CheckHoles, CheckShape}) {
    const Status status = check(request, refused);
    if (!status.ok()) return status;
  }
  return Status();
}
