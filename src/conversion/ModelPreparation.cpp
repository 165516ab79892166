#include "conversion/ModelPreparation.h"

#include <algorithm>

#include "grid/NumberText.h"

bool ReadBorder(const std::string& text, Border& border) {
  std::int32_t* const sides[] = {&border.left, &border.right, &border.top, &border.bottom};
  std::size_t at = 0, side = 0;
  for (; side < 4 && at <= text.size(); ++side) {
    const std::size_t comma = std::min(text.find(',', at), text.size());
    if (!ReadInt32(text.substr(at, comma - at), sides[side])) return false;
    at = comma + 1;
  }
  return side == 4 && at == text.size() + 1;
}
