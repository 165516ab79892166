#include "conversion/WindowChoice.h"

#include <algorithm>

Status TakeWindowSizes(const NamedChoices& named, WindowChoice& choice) {
  const Status nx = TakeWholeNumber(named, "nx-write", choice.hasNxWrite, choice.nxWrite);
  if (!nx.ok()) return nx;
  return TakeWholeNumber(named, "nz-write", choice.hasNzWrite, choice.nzWrite);
}

GridWindow WindowOf(std::uint32_t count, std::int32_t nxInput, std::int32_t nzInput,
                    const WindowChoice& choice, float xStep, float zStep) {
  GridWindow window;
  window.elementCount = count;
  window.nxInput = nxInput;
  window.xFrom = choice.start.xFrom;
  window.zFrom = choice.start.zFrom;
  window.nxWrite =
      choice.hasNxWrite ? choice.nxWrite : std::max(nxInput - std::max(window.xFrom, 0), 1);
  window.nzWrite =
      choice.hasNzWrite ? choice.nzWrite : std::max(nzInput - std::max(window.zFrom, 0), 1);
  window.xStep = xStep;
  window.zStep = zStep;
  return window;
}
