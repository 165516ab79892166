#include "gridfile/GridFileHeader.h"

#include <algorithm>

namespace {

void PutText(const char* text, std::size_t offset, std::uint8_t* bytes) {
  // The NUL that ends the text is already there: the header starts all zero.
  std::memcpy(bytes + offset, text, std::strlen(text));
}

void PutWord(std::uint32_t word, std::size_t offset, std::uint8_t* bytes) {
  StoreLittleEndian32(word, bytes + offset);
}

void PutFloat(float value, std::size_t offset, std::uint8_t* bytes) {
  StoreLittleEndian32(FloatBits(value), bytes + offset);
}

}  // namespace

float GridExtent(std::int32_t n, float step) {
  // A single node spans nothing, whatever the step (not -0.0 or NaN from a strange step).
  if (n == 1) return 0.0f;
  return static_cast<float>((static_cast<double>(n) - 1.0) * static_cast<double>(step));
}

std::array<std::uint8_t, kGridFileHeaderSize> GridFileHeader::ToBytes() const {
  using L = GridFileLayout;
  std::array<std::uint8_t, kGridFileHeaderSize> header{};
  std::uint8_t* bytes = header.data();
  std::memcpy(bytes + L::kSignatureOffset, L::kSignature, L::kSignatureSize);
  PutText("TestModel", L::kModelNameOffset, bytes);
  PutText("MorvTxtMvg", L::kProgramNameOffset, bytes);
  PutFloat(xExtent, L::kXExtentOffset, bytes);
  PutFloat(dx, L::kDxOffset, bytes);
  PutFloat(zExtent, L::kZExtentOffset, bytes);
  PutFloat(dz, L::kDzOffset, bytes);
  PutFloat(1.0f, L::kOneFloatOffset, bytes);
  PutWord(static_cast<std::uint32_t>(nx), L::kNxOffset, bytes);
  PutWord(static_cast<std::uint32_t>(nz), L::kNzOffset, bytes);
  for (std::size_t offset : L::kOneIntOffsets) PutWord(1, offset, bytes);
  // At most seven letters, so that a NUL always ends the codes inside their eight bytes.
  const std::size_t letters = std::min(propertyCodes.size(), L::kPropertyCodesSize - 1);
  PutWord(static_cast<std::uint32_t>(letters), L::kPropertyCountOffset, bytes);
  bytes[L::kTwoByteOffset] = 2;
  std::memcpy(bytes + L::kPropertyCodesOffset, propertyCodes.data(), letters);
  PutText("XZ", L::kAxisNamesOffset, bytes);
  PutText("Modl", L::kModlOffset, bytes);
  PutText("V", L::kVOffset, bytes);
  return header;
}

PropertyLayout LayoutOf(const GridFileHeader& header, std::size_t index) {
  // Node after node, each holding its properties' values in code order, rows along X.
  const std::uint64_t node = 4 * header.propertyCodes.size();
  return {kGridFileHeaderSize + 4 * index, node,
          node * static_cast<std::uint64_t>(header.nx > 0 ? header.nx : 0)};
}

GridFileHeader MakeGridFileHeader(std::int32_t nxWrite, std::int32_t nzWrite, float xStep,
                                  float zStep, const std::string& propertyCodes) {
  GridFileHeader header;
  header.nx = nxWrite;
  header.nz = nzWrite;
  header.dx = xStep;
  header.dz = zStep;
  header.xExtent = GridExtent(nxWrite, xStep);
  header.zExtent = GridExtent(nzWrite, zStep);
  header.propertyCodes = propertyCodes;
  return header;
}
