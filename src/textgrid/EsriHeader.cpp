#include "textgrid/EsriHeader.h"

#include "grid/AsciiCase.h"
#include "grid/DecimalNumber.h"
#include "grid/NumberText.h"
#include "textgrid/TextChunkParser.h"

namespace {

constexpr const char* kCornerKeys[] = {"xllcorner", "xllcenter", "yllcorner", "yllcenter"};
constexpr const char kKeys[] =
    "ncols, nrows, xllcorner or xllcenter, yllcorner or yllcenter, cellsize or dx and dy, "
    "nodata_value";

}  // namespace

bool IsEsriKey(std::string_view word) {
  const std::string key = AsciiLower(std::string(word));
  for (const char* corner : kCornerKeys) {
    if (key == corner) return true;
  }
  return key == "ncols" || key == "nrows" || key == "cellsize" || key == "dx" || key == "dy" ||
         key == "nodata_value";
}

Status EsriHeader::Take(std::string_view keyWord, std::string_view value,
                        const std::string& where) {
  const std::string key = AsciiLower(std::string(keyWord));
  const std::string quoted = "\"" + ShownToken(value) + "\"";
  const auto twice = [&]() { return Status::Error(where + ": " + key + " is given twice"); };
  if (key == "ncols" || key == "nrows") {
    std::int32_t& size = key == "ncols" ? ncols_ : nrows_;
    if (size != 0) return twice();
    if (!ReadInt32(value, &size) || size < 1) {
      size = 0;
      return Status::Error(where + ": " + key + " must be a whole number above 0, not " + quoted);
    }
    return Status();
  }
  for (int i = 0; i < 4; ++i) {
    if (key != kCornerKeys[i]) continue;
    if (corner_[i]) return twice();
    corner_[i] = true;
    float ignored = 0;
    if (!ReadFloat32(value, &ignored)) {
      return Status::Error(where + ": " + key + " must be a number, not " + quoted);
    }
    return Status();
  }
  std::optional<float>* number = key == "cellsize"       ? &cellsize_
                                 : key == "dx"           ? &dx_
                                 : key == "dy"           ? &dy_
                                 : key == "nodata_value" ? &noData_
                                                         : nullptr;
  if (number == nullptr) {
    return Status::Error(where + ": \"" + ShownToken(keyWord) +
                         "\" is not a key of an ESRI ASCII grid header (" + kKeys + ")");
  }
  if (number->has_value() || (number == &noData_ && noDataNaN_)) return twice();
  if (number == &noData_ && ReadDecimal(value).status == DecimalStatus::kNaN) {
    noDataNaN_ = true;
    return Status();
  }
  float read = 0;
  const bool step = number != &noData_;
  if (!ReadFloat32(value, &read) || (step && !(read > 0))) {
    return Status::Error(where + ": " + key + " must be a number" + (step ? " above 0" : "") +
                         ", not " + quoted);
  }
  *number = read;
  return Status();
}

Status EsriHeader::Finish(const std::string& name, TextGridForm& form) const {
  const std::string missing = name + ": its ESRI ASCII grid header has no ";
  if (ncols_ == 0) return Status::Error(missing + "ncols");
  if (nrows_ == 0) return Status::Error(missing + "nrows");
  if (cellsize_ && (dx_ || dy_)) {
    return Status::Error(name + ": its ESRI ASCII grid header gives both cellsize and " +
                         (dx_ ? "dx" : "dy") + "; give one or the other");
  }
  if (!cellsize_ && !(dx_ && dy_)) {
    return Status::Error(missing + (dx_ || dy_ ? (dx_ ? "dy" : "dx") : "cellsize (nor dx and dy)"));
  }
  form.kind = TextForm::kEsri;
  form.name = "ESRI ASCII grid";
  form.source = "the ESRI ASCII grid header";
  form.statesSizes = form.statesSteps = true;
  form.nx = ncols_;
  form.nz = nrows_;
  form.dx = cellsize_ ? *cellsize_ : *dx_;
  form.dz = cellsize_ ? *cellsize_ : *dy_;
  form.taken = "ncols " + FormatInteger(ncols_) + ", nrows " + FormatInteger(nrows_) +
               (cellsize_ ? ", cellsize " + FormatShortest(*cellsize_)
                          : ", dx " + FormatShortest(*dx_) + ", dy " + FormatShortest(*dy_));
  if (noData_ || noDataNaN_) {
    form.holeMarker = "nodata_value " + (noData_ ? FormatShortest(*noData_) : "NaN");
    form.taken += ", " + form.holeMarker;
  }
  return Status();
}
