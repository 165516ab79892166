#include "textgrid/TextGridReader.h"

#include "system/ReadOnlyFile.h"
#include "textgrid/TextGridPass.h"
#include "textgrid/TextGridStream.h"

namespace {

// A file or standard input, read in order.
class FileStream : public ByteStream {
 public:
  explicit FileStream(ReadOnlyFile& file) : file_(file) {}
  bool Read(char* buffer, std::size_t size, std::size_t* got, std::string* problem) override {
    if (file_.Read(buffer, size, got, problem)) return true;
    *problem = "cannot read: " + *problem;
    return false;
  }
  std::uint64_t Remaining() const override {
    return file_.IsRegular() && file_.Size() >= file_.Position() ? file_.Size() - file_.Position()
                                                                 : kUnknownSize;
  }
  std::uint64_t InputDone() const override { return file_.Position(); }
  std::uint64_t InputSize() const override { return file_.Size(); }

 private:
  ReadOnlyFile& file_;
};

Status StatusOf(const TextPassResult& result, const std::string& name) {
  switch (result.stop) {
    case TextPassStop::kEnd:
      return Status();
    case TextPassStop::kNotANumber:
    case TextPassStop::kBeyondFloatRange:
      return Status::Error(name + ", line " + std::to_string(result.problemLine) + ", value " +
                           std::to_string(result.problemValue) + ": \"" + result.token + "\"" +
                           (result.stop == TextPassStop::kBeyondFloatRange
                                ? " is beyond the range of 32-bit floats"
                                : " is not a number"));
    case TextPassStop::kReadError:
      return Status::Error(name + ": " + result.problem);
    case TextPassStop::kTooManyValues:
      return Status::Error(name + ": holds more than " + std::to_string(kMaxTextGridValues) +
                           " values");
    case TextPassStop::kChanged:
      return Status::Error(name + ": changed while it was being read");
    case TextPassStop::kOutOfMemory:
      return Status::Error(name + ": not enough memory to load it");
  }
  return Status::Error(name + ": cannot read");
}

}  // namespace

std::string FileNameOf(const std::string& path) {
  const std::size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

TextGridRead ReadTextGridStream(ByteStream& input, const std::string& name, bool keepValues,
                                const ReadProgress& progress, const FinalValues& final) {
  TextGridRead read;
  TextGridStream stream(input);
  std::string problem;
  if (!stream.Open(&problem)) {
    read.status = Status::Error(name + ": " + problem);
    return read;
  }
  TextPassOptions options;
  options.keepValues = keepValues;
  options.finalValues = final;
  TextPassResult result = ReadTextPass(stream.Text(), progress, options);
  read.status = StatusOf(result, name);
  if (read.ok() && result.count == 0) read.status = Status::Error(name + ": holds no values");
  if (read.ok()) {
    read.summary.count = static_cast<std::uint32_t>(result.count);
    read.summary.minimum = result.minimum;
    read.summary.maximum = result.maximum;
    read.lines = std::move(result.lines);
    read.values = std::move(result.values);
    read.endMarkLine = result.endMarkLine;
  }
  return read;
}

namespace {

TextGridRead ReadInput(const std::string& path, const std::string& name, bool keepValues,
                       const ReadProgress& progress, const FinalValues& final = {}) {
  ReadOnlyFile file;
  std::string reason;
  const bool opened =
      path == kStandardInput ? file.OpenStandardInput(&reason) : file.Open(path, &reason);
  if (!opened) {
    TextGridRead read;
    read.status = Status::Error(name + ": cannot open: " + reason);
    return read;
  }
  FileStream stream(file);
  return ReadTextGridStream(stream, name, keepValues, progress, final);
}

}  // namespace

TextGridRead ReadTextGrid(const std::string& path, const std::string& name,
                          const ReadProgress& progress, const FinalValues& final) {
  return ReadInput(path, name, true, progress, final);
}

TextGridRead ScanTextGrid(const std::string& path, const std::string& name,
                          const ReadProgress& progress) {
  return ReadInput(path, name, false, progress);
}

TextGridRead ReadTextGridText(std::string_view text, const std::string& name) {
  MemoryStream stream(text);
  return ReadTextGridStream(stream, name, true);
}
