#pragma once
// The prepared model made a run of a row at a time, as the export writes it: holes filled,
// properties derived, the window at new steps, a border. It holds two rows of the window for each
// property and, to fill holes with their nearest nodes, a few values a column of the input grid;
// for the rules, two bits a node of the input grid (Sea.h).

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "conversion/ConversionRequest.h"
#include "conversion/NearestHoleFill.h"
#include "conversion/PreparedShape.h"
#include "conversion/PropertyRules.h"
#include "conversion/Sea.h"
#include "gridfile/GridExport.h"

class PreparedRows : public MadeRows {
 public:
  // A request that passed CheckConversionRequest; it must outlive the rows.
  explicit PreparedRows(const ConversionRequest& request);

  const PreparedShape& Shape() const { return shape_; }
  // The codes of the properties made, in the file's order: those loaded and those derived.
  const std::string& PropertyCodes() const { return codes_; }
  // The index among them of a property; -1 when it is not made.
  int IndexOf(PropertyKind kind) const;

  void MakeRun(std::size_t index, std::int32_t z, std::int32_t x, std::size_t count,
               float* out) override;

 private:
  struct Property {
    PropertyKind kind;
    const float* values = nullptr;  // null for a derived property
    float factor = 1.0f;
    PropertySource source;
    std::unique_ptr<NearestHoleFill> nearest;
  };
  // Window row j of every property, each nxWrite values in the file's units.
  struct RowSet {
    std::int64_t row = -1;
    std::vector<float> values;
  };

  const float* WindowRow(std::size_t index, std::int64_t j);
  void MakeRowSet(RowSet& set, std::int64_t j);

  const ConversionRequest& request_;
  PreparedShape shape_;
  Water water_;
  std::unique_ptr<Sea> sea_;  // when a rule derives a property
  std::string codes_;
  std::vector<Property> properties_;
  RowSet sets_[2];
  // The window rows and weight of the row last made.
  std::int64_t madeRow_ = -1;
  std::int64_t upperRow_ = 0;
  double lowerWeight_ = 0;
};
