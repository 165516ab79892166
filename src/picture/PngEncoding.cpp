#include "picture/PngEncoding.h"

#define STBI_WRITE_NO_STDIO
#include <stb_image_write.h>

#include <new>

namespace {

struct Output {
  std::vector<std::uint8_t> bytes;
  bool failed = false;
};

void Append(void* context, void* data, int size) {
  Output& output = *static_cast<Output*>(context);
  const auto* from = static_cast<const std::uint8_t*>(data);
  try {
    if (!output.failed) output.bytes.insert(output.bytes.end(), from, from + size);
  } catch (const std::bad_alloc&) {
    output.failed = true;
  }
}

}  // namespace

std::vector<std::uint8_t> EncodePng(const Canvas& canvas) {
  Output output;
  const int stride = canvas.Width() * 3;
  if (stbi_write_png_to_func(Append, &output, canvas.Width(), canvas.Height(), 3, canvas.Pixels(),
                             stride) == 0 ||
      output.failed) {
    return {};
  }
  return std::move(output.bytes);
}
