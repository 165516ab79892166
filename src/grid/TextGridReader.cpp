#include "grid/TextGridReader.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "grid/ReadOnlyFile.h"
#include "grid/TextGridPass.h"

namespace {

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

constexpr char kNoValues[] = ": holds no values";
constexpr char kChanged[] = ": changed while it was being read";

bool IsSeparator(char c) { return c == ' ' || c == '\t' || c == ',' || c == '\n' || c == '\r'; }

// Where the token at `offset` stands: its 1-based line (lines end with LF, CR+LF or a lone CR)
// and its 1-based place among the values of that line.
struct TokenPlace {
  std::uint64_t line = 0;
  std::uint64_t value = 0;
};

bool PlaceOfOffset(const TextSource& source, std::uint64_t offset, TokenPlace* place) {
  constexpr std::size_t kBlockSize = std::size_t{1} << 20;
  std::unique_ptr<char[]> block(new (std::nothrow) char[kBlockSize]);
  if (!block) return false;
  std::uint64_t line = 1, valuesBefore = 0;
  char previous = '\n';
  for (std::uint64_t at = 0; at < offset;) {
    std::size_t got = 0;
    std::string unused;
    const std::size_t wanted =
        static_cast<std::size_t>(std::min<std::uint64_t>(kBlockSize, offset - at));
    if (!source.ReadAt(at, block.get(), wanted, &got, &unused) || got == 0) return false;
    for (std::size_t i = 0; i < got; ++i) {
      const char c = block[i];
      if (c == '\n' ? previous != '\r' : c == '\r') {
        ++line;
        valuesBefore = 0;
      } else if (!IsSeparator(c) && IsSeparator(previous)) {
        ++valuesBefore;
      }
      previous = c;
    }
    at += got;
  }
  place->line = line;
  place->value = valuesBefore + 1;
  return true;
}

// Whether anything but blanks follows offset: separators, or the characters 26 and NUL bytes that
// pad a file's last record.
bool TextFollows(const TextSource& source, std::uint64_t offset) {
  constexpr std::size_t kBlockSize = std::size_t{64} << 10;
  std::unique_ptr<char[]> block(new (std::nothrow) char[kBlockSize]);
  std::size_t got = 0;
  std::string unused;  // what cannot be read is not known to follow
  for (std::uint64_t at = offset;
       block && source.ReadAt(at, block.get(), kBlockSize, &got, &unused) && got > 0; at += got) {
    for (std::size_t i = 0; i < got; ++i) {
      const char c = block[i];
      if (!IsSeparator(c) && c != 26 && c != 0) return true;
    }
  }
  return false;
}

Status TokenRefused(const TextPassResult& result, const TextSource& source,
                    const std::string& name) {
  const std::string fault =
      "\"" + result.token + "\"" +
      (result.stop == TextPassStop::kBeyondFloatRange ? " is beyond the range of 32-bit floats"
                                                      : " is not a number");
  TokenPlace place;
  if (!PlaceOfOffset(source, result.problemOffset, &place))
    return Status::Error(name + ": " + fault);
  return Status::Error(name + ", line " + std::to_string(place.line) + ", value " +
                       std::to_string(place.value) + ": " + fault);
}

Status StatusOf(const TextPassResult& result, const TextSource& source, const std::string& name) {
  switch (result.stop) {
    case TextPassStop::kEnd:
      return Status();
    case TextPassStop::kNotANumber:
    case TextPassStop::kBeyondFloatRange:
      return TokenRefused(result, source, name);
    case TextPassStop::kReadError:
      return Status::Error(name + ": cannot read: " + result.reason);
    case TextPassStop::kTooManyValues:
      return Status::Error(name + ": holds more than " + std::to_string(kMaxTextGridValues) +
                           " values");
    case TextPassStop::kChanged:
      return Status::Error(name + kChanged);
    case TextPassStop::kOutOfMemory:
      return Status::Error(name + ": not enough memory to load it");
  }
  return Status::Error(name + ": cannot read");
}

TextGridScan ScanSource(const TextSource& file, const std::string& name,
                        const ReadProgress& progress) {
  const WithoutByteOrderMark source(file);
  TextPassResult result = ScanTextPass(source, progress);
  TextGridScan scan;
  scan.status = StatusOf(result, source, name);
  if (scan.ok() && result.count == 0) scan.status = Status::Error(name + kNoValues);
  if (scan.ok()) {
    scan.summary.count = static_cast<std::uint32_t>(result.count);
    scan.summary.minimum = result.minimum;
    scan.summary.maximum = result.maximum;
    scan.lines = result.lines;
    scan.layout = std::move(result.layout);
  }
  TokenPlace mark;
  if (scan.ok() && result.endMark && TextFollows(source, result.endMarkOffset + 1)) {
    if (PlaceOfOffset(source, result.endMarkOffset, &mark)) {
      scan.endMarkLine = mark.line;
    } else {
      scan.status = Status::Error(name + ": cannot read");
    }
  }
  return scan;
}

// Loads the values where an ok scan found them.
TextGridValues LoadSource(const TextSource& file, const std::string& name, const TextGridScan& scan,
                          const ReadProgress& progress) {
  const WithoutByteOrderMark source(file);
  TextGridValues loaded;
  const std::uint32_t count = scan.summary.count;
  // Ordinary pages: large ones, taken from memory another program just gave back, cost more to
  // clear than their fewer faults save.
  std::unique_ptr<float[]> values(new (std::nothrow) float[count]);
  if (!values) {
    loaded.status = Status::Error(name + ": not enough memory to load it");
    return loaded;
  }
  const TextPassResult result = LoadTextPass(source, scan.layout, values.get(), progress);
  loaded.status = StatusOf(result, source, name);
  if (loaded.ok() && result.count != count) loaded.status = Status::Error(name + kChanged);
  if (loaded.ok()) {
    loaded.values = std::move(values);
    loaded.count = count;
  }
  return loaded;
}

// Loads a file counted before without its scan at hand: scanned again for where its values lie,
// it must still hold expectedCount of them.
TextGridValues RescanAndLoad(const TextSource& source, const std::string& name,
                             std::uint32_t expectedCount, const ReadProgress& progress) {
  // No count of 0 is ever a grid, whatever was asked.
  if (expectedCount == 0) return TextGridValues{{}, 0, Status::Error(name + kNoValues)};
  const TextGridScan scan = ScanSource(source, name, {});
  const bool emptied = scan.status.message() == name + kNoValues;
  if (emptied || (scan.ok() && scan.summary.count != expectedCount)) {
    return TextGridValues{{}, 0, Status::Error(name + kChanged)};
  }
  if (!scan.ok()) return TextGridValues{{}, 0, scan.status};
  return LoadSource(source, name, scan, progress);
}

Status CannotOpen(const std::string& name, const std::string& reason) {
  return Status::Error(name + ": cannot open: " + reason);
}

}  // namespace

std::string FileNameOf(const std::string& path) {
  const std::size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

TextGridScan ScanTextGrid(const std::string& path, const std::string& name,
                          const ReadProgress& progress) {
  ReadOnlyFile file;
  std::string reason;
  if (!file.Open(path, &reason)) {
    TextGridScan scan;
    scan.status = CannotOpen(name, reason);
    return scan;
  }
  return ScanSource(FileTextSource(file), name, progress);
}

TextGridValues LoadTextGridValues(const std::string& path, const std::string& name,
                                  const TextGridScan& scan, const ReadProgress& progress) {
  ReadOnlyFile file;
  std::string reason;
  if (!file.Open(path, &reason)) return TextGridValues{{}, 0, CannotOpen(name, reason)};
  if (!scan.ok()) return TextGridValues{{}, 0, scan.status};
  return LoadSource(FileTextSource(file), name, scan, progress);
}

TextGridValues LoadTextGridValues(const std::string& path, const std::string& name,
                                  std::uint32_t expectedCount, const ReadProgress& progress) {
  ReadOnlyFile file;
  std::string reason;
  if (!file.Open(path, &reason)) return TextGridValues{{}, 0, CannotOpen(name, reason)};
  return RescanAndLoad(FileTextSource(file), name, expectedCount, progress);
}

TextGridScan ScanTextGridText(std::string_view text, const std::string& name) {
  return ScanSource(MemoryTextSource(text), name, {});
}

TextGridValues LoadTextGridValuesFromText(std::string_view text, const std::string& name,
                                          std::uint32_t expectedCount) {
  return RescanAndLoad(MemoryTextSource(text), name, expectedCount, {});
}
