#pragma once
// The header of an ESRI ASCII grid (an ARC/INFO ASCII grid): lines of a key and its value, in
// any case and order, before nrows rows of ncols values, the first row the top:
//   ncols 500   nrows 174   xllcorner 0 (or xllcenter)   yllcorner 0 (or yllcenter)
//   cellsize 20 (or dx 20 and dy 20)   nodata_value -9999 (optional)
// Its steps are the X and Z steps; nodes holding the nodata_value are holes.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "grid/Status.h"
#include "textgrid/TextGridForm.h"

bool IsEsriKey(std::string_view word);

class EsriHeader {
 public:
  // One line of the header, its words as read; refused (naming the line) when the key is unknown,
  // given twice or its value is not what the key needs.
  Status Take(std::string_view key, std::string_view value, const std::string& where);
  // The sizes, steps and holes' marker of the complete header, into the form; refused when a key
  // is missing or cellsize comes with dx or dy.
  Status Finish(const std::string& name, TextGridForm& form) const;
  // The value that marks a hole, when the header gives one other than NaN (a NaN is a hole
  // anyway).
  const std::optional<float>& NoData() const { return noData_; }

 private:
  std::int32_t ncols_ = 0, nrows_ = 0;
  std::optional<float> cellsize_, dx_, dy_, noData_;
  bool corner_[4] = {};  // xllcorner, xllcenter, yllcorner, yllcenter
  bool noDataNaN_ = false;
};
