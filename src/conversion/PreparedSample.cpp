#include "conversion/PreparedSample.h"

#include <new>

#include "conversion/PreparedRows.h"

namespace {

// The request without the properties `kind` does not need: each property is made from its own
// file or from Vp alone, so what is left is made exactly as the whole request makes it.
ConversionRequest OnlyWhatMakes(const ConversionRequest& request, PropertyKind kind) {
  ConversionRequest only = request;
  const bool derived = IsDerived(request.preparation.sources[kind]);
  for (const GridProperty& property : kGridProperties) {
    if (property.kind == kind || (derived && property.kind == PropertyKind::kVp)) continue;
    only.inputs[property.kind] = PropertyInput();
    only.preparation.sources[property.kind] = PropertySource();
  }
  return only;
}

// The step between the nodes taken along an axis of `nodes`, so that at most `most` are.
std::int32_t Every(std::int64_t nodes, std::int32_t most) {
  return nodes <= most ? 1 : static_cast<std::int32_t>((nodes + most - 1) / most);
}

std::int32_t Taken(std::int64_t nodes, std::int32_t every) {
  return nodes > 0 ? static_cast<std::int32_t>((nodes - 1) / every + 1) : 0;
}

}  // namespace

PreparedSample SamplePreparedModel(const ConversionRequest& request, PropertyKind kind,
                                   std::int32_t most) {
  PreparedSample sample;
  const ConversionRequest only = OnlyWhatMakes(request, kind);
  PreparedRows rows(only);
  sample.shape = rows.Shape();
  const int index = rows.IndexOf(kind);
  if (index < 0) return sample;
  sample.xEvery = Every(sample.shape.nx, most);
  sample.zEvery = Every(sample.shape.nz, most);
  sample.nx = Taken(sample.shape.nx, sample.xEvery);
  sample.nz = Taken(sample.shape.nz, sample.zEvery);
  const std::size_t width = static_cast<std::size_t>(sample.nx);
  try {
    sample.values.resize(width * static_cast<std::size_t>(sample.nz));
  } catch (const std::bad_alloc&) {
    sample.status = Status::Error("Not enough memory to show the model.");
    return sample;
  }
  const std::size_t property = static_cast<std::size_t>(index);
  for (std::int32_t j = 0; j < sample.nz; ++j) {
    float* const out = sample.values.data() + static_cast<std::size_t>(j) * width;
    const std::int32_t z = j * sample.zEvery;
    if (sample.xEvery == 1) {
      rows.MakeRun(property, z, 0, width, out);
      continue;
    }
    for (std::size_t i = 0; i < width; ++i) {
      rows.MakeRun(property, z, static_cast<std::int32_t>(i) * sample.xEvery, 1, out + i);
    }
  }
  return sample;
}
