#include <new>

#include "grid/TextGridArray.h"

// Large pages need a privilege that users do not have: the array has ordinary pages.
std::unique_ptr<float[]> NewTextGridArray(std::uint32_t count) {
  return std::unique_ptr<float[]>(new (std::nothrow) float[count]);
}
