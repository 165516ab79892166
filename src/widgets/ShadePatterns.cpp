#include "widgets/ShadePatterns.h"

#include <algorithm>

namespace {

// Products such as 255 x width are taken in 64 bits so that no face size overflows;
// for every real button size the results are those of 32-bit arithmetic. Division
// drops the remainder toward zero, also for negative values.
using Int = std::int64_t;

Int Cube(Int t) { return t * t * t / 16384; }

// A face's pixels addressed by row r counted from the bottom (the stored order) and
// column c, with the grain source. Every store is taken modulo 256.
class Canvas {
 public:
  Canvas(DibSurface& face, std::uint8_t grain, ShadeRandom& random)
      : face(face),
        pixels(face.PixelData()),
        rowBytes(face.RowBytes()),
        width(face.Width()),
        height(face.Height()),
        g(grain),
        v(ShadeRandom::kMax / std::max<Int>(2 * Int{grain}, 1)),
        random(random) {}

  DibSurface& face;
  std::uint8_t* pixels;
  Int rowBytes;
  Int width;
  Int height;
  Int g;
  Int v;  // rand() / v spans 0 to 2g
  ShadeRandom& random;

  void Set(Int r, Int c, Int value) { At(r, c) = static_cast<std::uint8_t>(value); }
  void Add(Int r, Int c, Int value) { At(r, c) = static_cast<std::uint8_t>(At(r, c) + value); }
  // One grain sample, -g to g (for g = 0 almost always 0).
  Int Grain() { return random.Next() / v - g; }
  Int Rand() { return random.Next(); }

  // Sets each pixel to its base, then adds grain, before moving on: rows from the
  // bottom, columns from the left within each row.
  template <class Base>
  void RowByRow(Base base) {
    for (Int r = 0; r < height; ++r) {
      for (Int c = 0; c < width; ++c) {
        Set(r, c, base(r, c));
        Add(r, c, Grain());
      }
    }
  }

  // As RowByRow, columns from the left and rows from the bottom within each column.
  template <class Base>
  void ColumnByColumn(Base base) {
    for (Int c = 0; c < width; ++c) {
      for (Int r = 0; r < height; ++r) {
        Set(r, c, base(r, c));
        Add(r, c, Grain());
      }
    }
  }

  // -127 at the bottom row up to at most 127 at the top.
  Int Ty(Int r) const { return 255 * r / height - 127; }
  // 128 at the leftmost column, falling to the right.
  Int Tx(Int c) const { return 255 * (width - c) / width - 127; }

 private:
  std::uint8_t& At(Int r, Int c) { return pixels[r * rowBytes + c]; }
};

void DiagonalRampPattern(Canvas& canvas) {
  const Int d = (255 - 2 * canvas.g) / 2;
  canvas.RowByRow([&](Int r, Int c) {
    return d * (canvas.width - c) / canvas.width + d * r / canvas.height + canvas.g;
  });
}

void VerticalRampPattern(Canvas& canvas) {
  const Int e = 255 - 2 * canvas.g;
  canvas.RowByRow([&](Int r, Int) { return e * r / canvas.height + canvas.g; });
}

void HorizontalRampPattern(Canvas& canvas) {
  const Int e = 255 - 2 * canvas.g;
  canvas.ColumnByColumn(
      [&](Int, Int c) { return e * (canvas.width - c) / canvas.width + canvas.g; });
}

void VerticalCurvePattern(Canvas& canvas) {
  const Int a = 128 - canvas.g;
  canvas.RowByRow([&](Int r, Int) { return 128 + Cube(canvas.Ty(r)) * a / 128; });
}

void HorizontalCurvePattern(Canvas& canvas) {
  const Int a = 128 - canvas.g;
  canvas.ColumnByColumn([&](Int, Int c) { return 128 + Cube(canvas.Tx(c)) * a / 128; });
}

void CornerCurvePattern(Canvas& canvas) {
  const Int a = 128 - canvas.g;
  canvas.RowByRow([&](Int r, Int c) {
    Int value = 128 + (Cube(canvas.Tx(c)) + Cube(canvas.Ty(r))) * a / 128;
    if (value < canvas.g) value = canvas.g;
    if (value > 255 - canvas.g) value = 255 - canvas.g;
    return value;
  });
}

void CapsuleCurvePattern(Canvas& canvas) {
  const Int g = canvas.g;
  const Int width = canvas.width;
  const Int height = canvas.height;
  canvas.RowByRow([&](Int r, Int) { return 128 + Cube(canvas.Ty(r)) * (64 - g) * 2 / 128; });

  // End caps along a parabola, widest (capRadius columns) at the middle row.
  const Int k = height * height / 4;
  if (k < 1) return;
  const Int capRadius = std::min<Int>(16, width / 6);
  const Int middleRow = height / 2;
  const Int middleColumn = width / 2;
  for (Int r = 0; r < height; ++r) {
    const Int q = capRadius * (r - middleRow) * (r - middleRow) / k;
    const Int bound = middleColumn - capRadius + q;
    for (Int c = 0; c < width; ++c) {
      const Int d = c - middleColumn;
      // With no radius no pixel lies in a cap; the test keeps clear of dividing by it.
      if (capRadius > 0 && d > bound) canvas.Set(r, c, 128 * (width - c) / capRadius + g);
      if (capRadius > 0 && d + bound < 0) canvas.Set(r, c, (255 - g) - 128 * c / capRadius);
      canvas.Add(r, c, canvas.Grain());
    }
  }
}

void ScratchedRampPattern(Canvas& canvas) {
  const Int width = canvas.width;
  const Int height = canvas.height;
  canvas.face.Fill(0);
  if (width < 1 || height < 1) return;

  // Faces wider or higher than 32767 pixels would make a step 0: keep it at least 1.
  const Int stepX = std::max<Int>(ShadeRandom::kMax / width, 1);
  const Int stepY = std::max<Int>(ShadeRandom::kMax / height, 1);
  const Int stepLength = std::max<Int>(ShadeRandom::kMax / std::min(width, height), 1);
  for (int stroke = 0; stroke < 200; ++stroke) {
    const Int x0 = canvas.Rand() / stepX;
    const Int y0 = canvas.Rand() / stepY;
    const Int length = canvas.Rand() / stepLength;
    const auto value = static_cast<std::uint8_t>(canvas.Rand() / 819);
    // A 45-degree stroke rising to the right; y counts from the top here.
    for (Int i = 0; i < length / 2; ++i) {
      if (x0 - i > 0 && y0 + i < height) {
        canvas.face.PutPixel(static_cast<std::int32_t>(x0 - i), static_cast<std::int32_t>(y0 + i),
                             value);
      }
      if (x0 + i < width && y0 - i > 0) {
        canvas.face.PutPixel(static_cast<std::int32_t>(x0 + i), static_cast<std::int32_t>(y0 - i),
                             value);
      }
    }
  }

  const Int d = (215 - 2 * canvas.g) / 2;
  for (Int r = 0; r < height; ++r) {
    for (Int c = 0; c < width; ++c) {
      canvas.Add(r, c, d * (width - c) / width + d * r / height);
      canvas.Add(r, c, canvas.Rand() / canvas.v);  // grain without the -g: 0 to 2g
    }
  }
}

void PlainGrainPattern(Canvas& canvas) {
  canvas.RowByRow([](Int, Int) { return 128; });
}

}  // namespace

void DrawFacePattern(DibSurface& face, std::uint32_t kind, std::uint8_t grain,
                     ShadeRandom& random) {
  if (!face.HasImage() || face.Header().biBitCount != 8) return;
  Canvas canvas(face, grain, random);
  switch (kind) {
    case DiagonalRamp:
      DiagonalRampPattern(canvas);
      break;
    case VerticalRamp:
      VerticalRampPattern(canvas);
      break;
    case HorizontalRamp:
      HorizontalRampPattern(canvas);
      break;
    case VerticalCurve:
      VerticalCurvePattern(canvas);
      break;
    case HorizontalCurve:
      HorizontalCurvePattern(canvas);
      break;
    case CornerCurve:
      CornerCurvePattern(canvas);
      break;
    case CapsuleCurve:
      CapsuleCurvePattern(canvas);
      break;
    case ScratchedRamp:
      ScratchedRampPattern(canvas);
      break;
    default:
      PlainGrainPattern(canvas);
      break;
  }
}
