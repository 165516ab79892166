#pragma once
// The header of a Surfer ASCII grid: the word DSAA, then nx ny, xlo xhi, ylo yhi and zlo zhi,
// before ny rows of nx values (a row may wrap over several lines), from the least y up. The
// steps are (xhi - xlo) / (nx - 1) and (yhi - ylo) / (ny - 1); values at Surfer's blank,
// 1.70141e38, and above are holes.

#include <string>
#include <string_view>

#include "grid/Status.h"
#include "textgrid/TextGridForm.h"

bool IsSurferMark(std::string_view word);  // DSAA, in any case

class SurferHeader {
 public:
  // The next word after DSAA; refused (naming where it is) when it is not what comes there.
  Status Take(std::string_view word, const std::string& where);
  bool Complete() const { return taken_ == kNumbers; }
  // The sizes and steps of the complete header, into the form; refused when an axis goes
  // backwards.
  Status Finish(const std::string& name, TextGridForm& form) const;

 private:
  static constexpr int kNumbers = 8;
  double numbers_[kNumbers] = {};  // nx ny xlo xhi ylo yhi zlo zhi
  int taken_ = 0;
};
