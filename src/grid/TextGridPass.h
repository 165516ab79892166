#pragma once
// One reading pass over a text grid. The text is cut into chunks of fixed size that several
// threads read and parse at once; chunk results are merged in file order, so counts, bounds,
// lines, the place of every value and the first bad token are those of a reading from start to
// end. A chunk owns the tokens that start in it and reads on past its end to finish its last one.
// The scan notes how many values each chunk holds, so that the load knows every chunk's place at
// once and each thread writes its chunks straight into the array.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "grid/ReadOnlyFile.h"
#include "grid/TextGridLines.h"
#include "grid/TextGridReader.h"

// Where the bytes of a pass come from. ReadAt is called from several threads at once.
class TextSource {
 public:
  virtual ~TextSource() = default;
  virtual std::uint64_t Size() const = 0;
  // Up to `size` bytes at `offset`, fewer only at the end; false with a reason on a read error.
  virtual bool ReadAt(std::uint64_t offset, char* buffer, std::size_t size, std::size_t* got,
                      std::string* reason) const = 0;
};

class FileTextSource : public TextSource {
 public:
  explicit FileTextSource(const ReadOnlyFile& file) : file_(file) {}
  std::uint64_t Size() const override { return file_.Size(); }
  bool ReadAt(std::uint64_t offset, char* buffer, std::size_t size, std::size_t* got,
              std::string* reason) const override {
    return file_.ReadAt(offset, buffer, size, got, reason);
  }

 private:
  const ReadOnlyFile& file_;
};

class MemoryTextSource : public TextSource {
 public:
  explicit MemoryTextSource(std::string_view text) : text_(text) {}
  std::uint64_t Size() const override { return text_.size(); }
  bool ReadAt(std::uint64_t offset, char* buffer, std::size_t size, std::size_t* got,
              std::string* reason) const override;

 private:
  std::string_view text_;
};

struct TextPassOptions {
  // A scan's (a load takes its layout's). Smaller chunks read no faster, and each costs a read and
  // a wake-up, which under Wine go through its server.
  std::size_t chunkBytes = std::size_t{1} << 20;
  unsigned threads = 0;  // 0: one per core, at most 4
  std::uint64_t maxValues = kMaxTextGridValues;
};

enum class TextPassStop {
  kEnd,               // the whole text was read (up to a character 26)
  kNotANumber,        // problemOffset, token
  kBeyondFloatRange,  // problemOffset, token
  kReadError,         // reason
  kTooManyValues,     // more than maxValues
  kChanged,           // a load found the values elsewhere than its layout says
  kOutOfMemory,       // no memory for the read buffers
};

// Count, minimum, maximum, lines and layout are meaningful only when the pass reached the end.
struct TextPassResult {
  TextPassStop stop = TextPassStop::kEnd;
  std::uint64_t count = 0;
  float minimum = 1e30f;  // rules of the first pass: a value below the minimum replaces it
  float maximum = -1e30f;
  TextGridLines lines;    // a scan's
  TextGridLayout layout;  // a scan's
  // A character 26 ended the text at this offset; what follows it was not read.
  bool endMark = false;
  std::uint64_t endMarkOffset = 0;
  std::uint64_t problemOffset = 0;  // where the bad token starts
  std::string token;                // the bad token as shown to the user
  std::string reason;
};

// Count, minimum, maximum, lines and where the values lie.
TextPassResult ScanTextPass(const TextSource& source, const ReadProgress& progress,
                            const TextPassOptions& options = {});
// The values, each chunk's stored straight at its place in values[0, the layout's count); a chunk
// that holds another number of values than the layout says stops the pass (kChanged) without
// writing outside its place. Minimum, maximum, lines and layout stay empty.
TextPassResult LoadTextPass(const TextSource& source, const TextGridLayout& layout, float* values,
                            const ReadProgress& progress, const TextPassOptions& options = {});
