#include "textgrid/SurferHeader.h"

#include <cmath>

#include "grid/AsciiCase.h"
#include "grid/DecimalNumber.h"
#include "grid/NumberText.h"
#include "textgrid/TextChunkParser.h"

namespace {

constexpr const char* kNames[] = {"nx", "ny", "xlo", "xhi", "ylo", "yhi", "zlo", "zhi"};

}  // namespace

bool IsSurferMark(std::string_view word) { return SameIgnoringAsciiCase(word, "DSAA"); }

Status SurferHeader::Take(std::string_view word, const std::string& where) {
  const char* const what = kNames[taken_];
  const DecimalReading reading = ReadDecimal(word);
  if (taken_ < 2) {
    std::int32_t size = 0;
    if (!ReadInt32(word, &size) || size < 2) {
      return Status::Error(where + ": the Surfer grid header's " + what +
                           " must be a whole number of 2 or more, not \"" + ShownToken(word) +
                           "\"");
    }
    numbers_[taken_++] = size;
    return Status();
  }
  if (reading.status != DecimalStatus::kNumber) {
    return Status::Error(where + ": the Surfer grid header's " + what +
                         " must be a number, not \"" + ShownToken(word) + "\"");
  }
  numbers_[taken_++] = reading.value;
  return Status();
}

Status SurferHeader::Finish(const std::string& name, TextGridForm& form) const {
  const double nx = numbers_[0], ny = numbers_[1];
  const double dx = (numbers_[3] - numbers_[2]) / (nx - 1);
  const double dz = (numbers_[5] - numbers_[4]) / (ny - 1);
  for (int axis = 0; axis < 2; ++axis) {
    const double low = numbers_[2 + 2 * axis], high = numbers_[3 + 2 * axis];
    const float step = static_cast<float>(axis == 0 ? dx : dz);
    if (!(step > 0) || !std::isfinite(step)) {
      const std::string x = axis == 0 ? "x" : "y";
      return Status::Error(name + ": its Surfer grid header gives " + x + " from " +
                           FormatShortest(static_cast<float>(low)) + " to " +
                           FormatShortest(static_cast<float>(high)) + ": " + x +
                           "hi must be above " + x + "lo");
    }
  }
  form.kind = TextForm::kSurfer;
  form.name = "Surfer ASCII grid";
  form.source = "the Surfer grid header";
  form.statesSizes = form.statesSteps = true;
  form.nx = static_cast<std::int32_t>(nx);
  form.nz = static_cast<std::int32_t>(ny);
  form.dx = static_cast<float>(dx);
  form.dz = static_cast<float>(dz);
  const auto number = [this](int i) { return FormatShortest(static_cast<float>(numbers_[i])); };
  form.taken = "nx " + FormatInteger(form.nx) + ", ny " + FormatInteger(form.nz) + ", x " +
               number(2) + " to " + number(3) + ", y " + number(4) + " to " + number(5);
  form.holeMarker = "Surfer's blank, 1.70141e38 and above";
  // Rows from the least y up; which way is up is told once the values are read.
  form.facts.vertical.name = "y";
  form.facts.vertical.low = static_cast<float>(numbers_[4]);
  form.facts.vertical.high = static_cast<float>(numbers_[5]);
  return Status();
}
