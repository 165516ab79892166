#include "system/AtomicFileWriter.h"

#include <charconv>

namespace {

#ifdef _WIN32
constexpr char kSeparators[] = "/\\:";
#else
constexpr char kSeparators[] = "/";
#endif

// The longest file name of common file systems: 255 bytes (ext4, XFS), 255 UTF-16 units (NTFS),
// which no UTF-8 name of 255 bytes exceeds.
constexpr std::size_t kLongestName = 255;
constexpr char kEnding[] = ".tmp";
constexpr std::size_t kEndingSize = sizeof kEnding - 1;

std::size_t NameStart(const std::string& path) {
  const std::size_t separator = path.find_last_of(kSeparators);
  return separator == std::string::npos ? 0 : separator + 1;
}

// Reads the digits of text[from, to) into value; false unless they are all digits.
template <class Number>
bool ReadDigits(const std::string& text, std::size_t from, std::size_t to, Number* value) {
  const char* const end = text.data() + to;
  const auto [stop, error] = std::from_chars(text.data() + from, end, *value);
  return from < to && error == std::errc() && stop == end;
}

}  // namespace

std::string TemporaryFileName(const std::string& path, std::uint64_t processId, int attempt) {
  const std::string suffix =
      "." + std::to_string(processId) + "-" + std::to_string(attempt) + kEnding;
  const std::size_t nameStart = NameStart(path);
  std::size_t nameEnd = path.size();
  if (nameEnd - nameStart + suffix.size() > kLongestName) {
    nameEnd = nameStart + kLongestName - suffix.size();
    // Not inside a letter of several bytes.
    while (nameEnd > nameStart && (static_cast<unsigned char>(path[nameEnd]) & 0xC0) == 0x80) {
      --nameEnd;
    }
  }
  return path.substr(0, nameEnd) + suffix;
}

bool IsTemporaryFileOf(const std::string& path, const std::string& fileName,
                       std::uint64_t* processId) {
  if (fileName.size() <= kEndingSize ||
      fileName.compare(fileName.size() - kEndingSize, kEndingSize, kEnding) != 0) {
    return false;
  }
  const std::size_t numbersEnd = fileName.size() - kEndingSize;
  const std::size_t dot = fileName.rfind('.', numbersEnd - 1);
  const std::size_t dash = fileName.find('-', dot == std::string::npos ? 0 : dot);
  std::uint64_t process = 0;
  int attempt = 0;
  if (dot == std::string::npos || dash == std::string::npos || dash > numbersEnd ||
      !ReadDigits(fileName, dot + 1, dash, &process) ||
      !ReadDigits(fileName, dash + 1, numbersEnd, &attempt)) {
    return false;
  }
  // The whole name as this path's temporary of that process and attempt: digits written
  // otherwise, or another file's name, do not count.
  const std::string expected = TemporaryFileName(path, process, attempt);
  if (expected.compare(NameStart(expected), std::string::npos, fileName) != 0) return false;
  *processId = process;
  return true;
}

Status WriteFileAtomically(const std::string& path, const std::vector<FileBlock>& blocks) {
  AtomicFileWriter writer;
  Status status = writer.Begin(path);
  for (const FileBlock& block : blocks) {
    if (status.ok()) status = writer.Write(block.data, block.size);
  }
  return status.ok() ? writer.Commit() : status;
}
