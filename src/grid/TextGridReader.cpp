#include "grid/TextGridReader.h"

#include <cstring>
#include <new>

#include "grid/ReadOnlyFile.h"
#include "grid/TextGridPass.h"

namespace {

const char kNotLoaded[] = "\nThe file was not loaded.";

// A UTF-8 byte-order mark at the very start (as Windows Notepad writes one) reads as spaces.
class WithoutByteOrderMark : public TextSource {
 public:
  explicit WithoutByteOrderMark(const TextSource& source) : source_(source) {
    char head[3];
    std::size_t got = 0;
    std::string unused;  // a read error shows again in the pass itself
    if (source.ReadAt(0, head, sizeof head, &got, &unused) && got == sizeof head &&
        std::memcmp(head, "\xEF\xBB\xBF", sizeof head) == 0) {
      markBytes_ = sizeof head;
    }
  }
  std::uint64_t Size() const override { return source_.Size(); }
  bool ReadAt(std::uint64_t offset, char* buffer, std::size_t size, std::size_t* got,
              std::string* reason) const override {
    if (!source_.ReadAt(offset, buffer, size, got, reason)) return false;
    for (std::uint64_t at = offset; at < markBytes_ && at < offset + *got; ++at) {
      buffer[at - offset] = ' ';
    }
    return true;
  }

 private:
  const TextSource& source_;
  std::uint64_t markBytes_ = 0;
};

// What went wrong, without the file's name: "\"12a\" is not a number".
std::string TokenFault(const TextGridProblem& problem) {
  return "\"" + problem.token + "\"" +
         (problem.beyondFloatRange ? " is beyond the range of 32-bit floats" : " is not a number");
}

TextGridProblem ProblemOf(const TextPassResult& result, const TextSource& source,
                          const std::string& fileName) {
  TextGridProblem problem;
  problem.fileName = fileName;
  switch (result.stop) {
    case TextPassStop::kEnd:
      break;
    case TextPassStop::kNotANumber:
    case TextPassStop::kBeyondFloatRange: {
      problem.error = TextGridError::kNotANumber;
      problem.token = result.token;
      problem.beyondFloatRange = result.stop == TextPassStop::kBeyondFloatRange;
      std::string unused;
      if (!LineOfOffset(source, result.problemOffset, &problem.line, &unused)) problem.line = 0;
      break;
    }
    case TextPassStop::kReadError:
      problem.error = TextGridError::kCannotRead;
      problem.reason = result.reason;
      break;
    case TextPassStop::kTooManyValues:
      problem.error = TextGridError::kTooManyValues;
      break;
    case TextPassStop::kChanged:
      problem.error = TextGridError::kFileChanged;
      break;
    case TextPassStop::kOutOfMemory:
      problem.error = TextGridError::kOutOfMemory;
      break;
  }
  return problem;
}

TextGridScan ScanSource(const TextSource& file, const std::string& fileName,
                        const ReadProgress& progress) {
  const WithoutByteOrderMark source(file);
  TextPassResult result = ScanTextPass(source, progress);
  TextGridScan scan;
  scan.problem = ProblemOf(result, source, fileName);
  if (scan.ok() && result.count == 0) scan.problem.error = TextGridError::kNoValues;
  if (scan.ok()) {
    scan.summary.count = static_cast<std::uint32_t>(result.count);
    scan.summary.minimum = result.minimum;
    scan.summary.maximum = result.maximum;
    scan.lines = result.lines;
    scan.layout = std::move(result.layout);
  }
  return scan;
}

TextGridValues LoadSource(const TextSource& file, const std::string& fileName,
                          const TextGridScan& scan, std::uint32_t expectedCount,
                          const ReadProgress& progress) {
  const WithoutByteOrderMark source(file);
  TextGridValues loaded;
  loaded.problem.fileName = fileName;
  if (!scan.ok()) {
    loaded.problem = scan.problem;
    // Values were there when counted.
    if (scan.problem.error == TextGridError::kNoValues && expectedCount > 0) {
      loaded.problem.error = TextGridError::kFileChanged;
    }
    return loaded;
  }
  if (scan.summary.count != expectedCount) {
    // No count of 0 is ever a grid, whatever was asked.
    loaded.problem.error =
        expectedCount == 0 ? TextGridError::kNoValues : TextGridError::kFileChanged;
    return loaded;
  }
  // Ordinary pages: large ones, taken from memory another program just gave back, cost more to
  // clear than their fewer faults save.
  std::unique_ptr<float[]> values(new (std::nothrow) float[expectedCount]);
  if (!values) {
    loaded.problem.error = TextGridError::kOutOfMemory;
    return loaded;
  }
  const TextPassResult result = LoadTextPass(source, scan.layout, values.get(), progress);
  loaded.problem = ProblemOf(result, source, fileName);
  if (loaded.ok() && result.count != expectedCount) {
    loaded.problem.error = TextGridError::kFileChanged;
  }
  if (loaded.ok()) {
    loaded.values = std::move(values);
    loaded.count = expectedCount;
  }
  return loaded;
}

}  // namespace

std::string TextGridFileName(const std::string& path) {
  const std::size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string TextGridProblem::Message() const {
  switch (error) {
    case TextGridError::kNone:
      return std::string();
    case TextGridError::kCannotOpen:
      return "Cannot open " + fileName + ": " + reason + "." + kNotLoaded;
    case TextGridError::kCannotRead:
      return "Cannot read " + fileName + ": " + reason + "." + kNotLoaded;
    case TextGridError::kNotANumber:
      if (line == 0) return fileName + ": " + TokenFault(*this) + "." + kNotLoaded;
      return "Line " + std::to_string(line) + " of " + fileName + ": " + TokenFault(*this) + "." +
             kNotLoaded;
    case TextGridError::kNoValues:
      return fileName + " holds no values." + kNotLoaded;
    case TextGridError::kTooManyValues:
      return fileName + " holds more than " + std::to_string(kMaxTextGridValues) + " values." +
             kNotLoaded;
    case TextGridError::kOutOfMemory:
      return "Not enough memory to load " + fileName + "." + kNotLoaded;
    case TextGridError::kFileChanged:
      return fileName + " changed while it was being read." + kNotLoaded;
  }
  return std::string();
}

std::string TextGridProblem::OneLine() const {
  switch (error) {
    case TextGridError::kNone:
      return std::string();
    case TextGridError::kCannotOpen:
      return fileName + ": cannot open: " + reason;
    case TextGridError::kCannotRead:
      return fileName + ": cannot read: " + reason;
    case TextGridError::kNotANumber:
      if (line == 0) return fileName + ": " + TokenFault(*this);
      return fileName + ", line " + std::to_string(line) + ": " + TokenFault(*this);
    case TextGridError::kNoValues:
      return fileName + ": holds no values";
    case TextGridError::kTooManyValues:
      return fileName + ": holds more than " + std::to_string(kMaxTextGridValues) + " values";
    case TextGridError::kOutOfMemory:
      return fileName + ": not enough memory to load it";
    case TextGridError::kFileChanged:
      return fileName + ": changed while it was being read";
  }
  return std::string();
}

TextGridScan ScanTextGrid(const std::string& path, const ReadProgress& progress) {
  ReadOnlyFile file;
  std::string reason;
  if (!file.Open(path, &reason)) {
    TextGridScan scan;
    scan.problem.error = TextGridError::kCannotOpen;
    scan.problem.fileName = TextGridFileName(path);
    scan.problem.reason = reason;
    return scan;
  }
  return ScanSource(FileTextSource(file), TextGridFileName(path), progress);
}

TextGridValues LoadTextGridValues(const std::string& path, const TextGridScan& scan,
                                  const ReadProgress& progress) {
  ReadOnlyFile file;
  std::string reason;
  if (!file.Open(path, &reason)) {
    TextGridValues loaded;
    loaded.problem.error = TextGridError::kCannotOpen;
    loaded.problem.fileName = TextGridFileName(path);
    loaded.problem.reason = reason;
    return loaded;
  }
  return LoadSource(FileTextSource(file), TextGridFileName(path), scan, scan.summary.count,
                    progress);
}

TextGridValues LoadTextGridValues(const std::string& path, std::uint32_t expectedCount,
                                  const ReadProgress& progress) {
  ReadOnlyFile file;
  std::string reason;
  if (!file.Open(path, &reason)) {
    TextGridValues loaded;
    loaded.problem.error = TextGridError::kCannotOpen;
    loaded.problem.fileName = TextGridFileName(path);
    loaded.problem.reason = reason;
    return loaded;
  }
  const FileTextSource source(file);
  const std::string fileName = TextGridFileName(path);
  return LoadSource(source, fileName, ScanSource(source, fileName, {}), expectedCount, progress);
}

TextGridScan ScanTextGridText(std::string_view text, const std::string& fileName) {
  return ScanSource(MemoryTextSource(text), fileName, {});
}

TextGridValues LoadTextGridValuesFromText(std::string_view text, const std::string& fileName,
                                          std::uint32_t expectedCount) {
  const MemoryTextSource source(text);
  return LoadSource(source, fileName, ScanSource(source, fileName, {}), expectedCount, {});
}
