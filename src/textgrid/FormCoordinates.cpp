#include "textgrid/FormCoordinates.h"

#include <cstdlib>

#include "grid/NumberText.h"

bool ReadsAsElevation(float low, float high, VerticalName named) {
  if (named != VerticalName::kNone) return named == VerticalName::kElevation;
  return high <= 0 && low < high;
}

VerticalFact TakeVertical(const std::string& name, float low, float high, VerticalName named,
                          bool turned) {
  VerticalFact axis;
  axis.name = name;
  axis.low = low;
  axis.high = high;
  axis.elevation = ReadsAsElevation(low, high, named) != turned;
  if (turned) {
    axis.known = {HowKnown::kGiven, "the rows turned over"};
  } else if (named != VerticalName::kNone) {
    axis.known = {HowKnown::kStated, "the header's name"};
  } else if (low >= 0 || high <= 0) {
    axis.known = {HowKnown::kShown, name + " wholly on one side of 0"};
  } else {
    axis.known = {HowKnown::kGuessed, name + " across 0, read as depth"};
  }
  return axis;
}

std::string DescribeVertical(const VerticalFact& axis) {
  return std::string("read as ") + (axis.elevation ? "elevation" : "depth") + ": the top row is " +
         axis.name + " " + FormatShortest(axis.elevation ? axis.high : axis.low);
}

Status TakeCoordinatesInKm(TextGridForm& form, const std::string& name) {
  const bool dx = StatesDx(form), dz = StatesDz(form);
  if (!dx && !dz) {
    return Status::Error(name + ": a " + form.name + " holds no coordinates to read in km");
  }
  if (dx) form.dx = KilometresInMetres(form.dx);
  if (dz) form.dz = KilometresInMetres(form.dz);
  form.text.push_back("coordinates in km");
  return Status();
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
