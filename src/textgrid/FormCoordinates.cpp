#include "textgrid/FormCoordinates.h"

#include <cstdlib>

#include "grid/NumberText.h"

bool ReadsAsElevation(float low, float high, VerticalName named) {
  if (named != VerticalName::kNone) return named == VerticalName::kElevation;
  return high <= 0 && low < high;
}

VerticalAxis TakeVertical(const std::string& name, float low, float high, VerticalName named,
                          bool turned) {
  VerticalAxis axis;
  axis.name = name;
  axis.low = low;
  axis.high = high;
  axis.named = named != VerticalName::kNone;
  axis.turned = turned;
  axis.elevation = ReadsAsElevation(low, high, named) != turned;
  return axis;
}

std::string DescribeVertical(const VerticalAxis& axis) {
  return std::string("read as ") + (axis.elevation ? "elevation" : "depth") + ": the top row is " +
         axis.name + " " + FormatShortest(axis.elevation ? axis.high : axis.low);
}

bool DepthOrElevationUndecided(const VerticalAxis& axis) {
  return !axis.name.empty() && axis.low < 0 && axis.high > 0 && !axis.named && !axis.turned;
}

float KilometresInMetres(float km) {
  std::string text = FormatShortest(km);
  const std::size_t e = text.find('e');
  const int exponent = e == std::string::npos ? 0 : std::atoi(text.c_str() + e + 1);
  text = text.substr(0, e) + "e" + std::to_string(exponent + 3);
  float metres = km;
  ReadFloat32(text, &metres);
  return metres;
}
