#pragma once
// A grid file of one property whose data block is written while its text grid is still read: the
// values as they are, from the first, told by the reading as they become final (FinalValues), so
// that the export is left with the header alone to write. ExportGridFile finishes a draft when the
// file it writes is exactly that data block (one property, unscaled, whole rows from the first
// node, on a little-endian host); otherwise it writes as usual, and the draft's temporary goes
// with the draft, as a write that does not end leaves nothing behind.

#include <cstdint>
#include <string>

#include "grid/Status.h"
#include "gridfile/GridFileHeader.h"
#include "system/AtomicFileWriter.h"

class GridFileDraft {
 public:
  // The temporary beside path (see AtomicFileWriter), with room for the header. False when it
  // cannot be begun: the export then begins anew and says why.
  bool Begin(const std::string& path);
  // Values [first, first + count) of the array that starts at `values`; from 0 on, in order.
  void Take(const float* values, std::uint64_t first, std::uint64_t count);
  // Whether the draft holds the first `count` values of the array at `values` as its data block
  // (a failure to write them included, which Finish reports).
  bool Holds(const float* values, std::uint64_t count) const;
  // Writes the header, ends the file after `count` values and gives it its name; the failure is
  // the system's reason alone, as AtomicFileWriter's.
  Status Finish(const GridFileHeader& header, std::uint64_t count);

 private:
  AtomicFileWriter file_;
  bool begun_ = false;
  const float* values_ = nullptr;
  std::uint64_t taken_ = 0;
  bool inOrder_ = true;
};
