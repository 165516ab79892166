#include <windows.h>

#include "widgets/DibSurface.h"

bool DibSurface::Paint(HDC deviceContext, std::int32_t x, std::int32_t y) const {
  if (!block || deviceContext == nullptr) return false;
  SetStretchBltMode(deviceContext, COLORONCOLOR);
  const auto height = static_cast<DWORD>(header.biHeight);
  SetDIBitsToDevice(deviceContext, x, y, static_cast<DWORD>(header.biWidth), height, 0, 0, 0,
                    height, PixelData(), reinterpret_cast<const BITMAPINFO*>(block.get()),
                    DIB_RGB_COLORS);
  return true;
}
