#include "binarygrid/NpyGridReader.h"

#include <cctype>
#include <cstdint>
#include <vector>

#include "binarygrid/BinaryValues.h"
#include "binarygrid/ByteOrder.h"
#include "textgrid/TextChunkParser.h"

namespace {

constexpr std::string_view kMagic = "\x93NUMPY";
// A header longer than this is no array's.
constexpr std::uint64_t kMaxHeaderBytes = std::uint64_t{1} << 20;

struct NpyHeader {
  std::string descr;
  bool hasDescr = false, hasOrder = false, hasShape = false;
  bool fortranOrder = false;
  std::vector<std::uint64_t> shape;
};

// The header's dictionary, as numpy writes it: {'descr': '<f4', 'fortran_order': False,
// 'shape': (174, 500), }. False with why it cannot be read.
class HeaderParser {
 public:
  explicit HeaderParser(std::string_view text) : text_(text) {}

  bool Parse(NpyHeader* header, std::string* why) {
    if (!Take('{')) return Fail("no dictionary", why);
    while (!Take('}')) {
      std::string key;
      if (!String(&key) || !Take(':')) return Fail("an entry is not 'key': value", why);
      if (key == "descr") {
        if (!String(&header->descr)) return Fail("'descr' is not a type string", why);
        header->hasDescr = true;
      } else if (key == "fortran_order") {
        if (Word("True")) {
          header->fortranOrder = true;
        } else if (!Word("False")) {
          return Fail("'fortran_order' is neither True nor False", why);
        }
        header->hasOrder = true;
      } else if (key == "shape") {
        if (!Shape(&header->shape)) return Fail("'shape' is not a tuple of sizes", why);
        header->hasShape = true;
      } else {
        return Fail("unknown key '" + ShownToken(key) + "'", why);
      }
      if (!Take(',') && !Peek('}')) return Fail("entries are not apart by commas", why);
    }
    if (!header->hasDescr) return Fail("no 'descr'", why);
    if (!header->hasOrder) return Fail("no 'fortran_order'", why);
    if (!header->hasShape) return Fail("no 'shape'", why);
    return true;
  }

 private:
  static bool Fail(const std::string& what, std::string* why) {
    *why = what;
    return false;
  }
  void Blanks() {
    while (at_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[at_]))) ++at_;
  }
  bool Peek(char c) {
    Blanks();
    return at_ < text_.size() && text_[at_] == c;
  }
  bool Take(char c) {
    if (!Peek(c)) return false;
    ++at_;
    return true;
  }
  bool Word(std::string_view word) {
    Blanks();
    if (text_.substr(at_, word.size()) != word) return false;
    at_ += word.size();
    return true;
  }
  bool String(std::string* value) {
    Blanks();
    if (at_ >= text_.size() || (text_[at_] != '\'' && text_[at_] != '"')) return false;
    const char quote = text_[at_++];
    const std::size_t end = text_.find(quote, at_);
    if (end == std::string_view::npos) return false;
    *value = std::string(text_.substr(at_, end - at_));
    at_ = end + 1;
    return true;
  }
  bool Size(std::uint64_t* size) {
    Blanks();
    const std::size_t start = at_;
    *size = 0;
    while (at_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[at_]))) {
      if (*size > (std::uint64_t{1} << 62) / 10) return false;
      *size = *size * 10 + static_cast<std::uint64_t>(text_[at_++] - '0');
    }
    if (at_ < text_.size() && text_[at_] == 'L') ++at_;  // Python 2's long integers
    return at_ > start;
  }
  bool Shape(std::vector<std::uint64_t>* shape) {
    if (!Take('(')) return false;
    while (!Take(')')) {
      std::uint64_t size = 0;
      if (!Size(&size)) return false;
      shape->push_back(size);
      if (!Take(',') && !Peek(')')) return false;
    }
    return true;
  }

  std::string_view text_;
  std::size_t at_ = 0;
};

// '<f4', '>f8', '|u1', '<i2'...: its sample layout; false for another type.
bool LayoutOfDescr(const std::string& descr, SampleLayout* layout) {
  if (descr.size() < 3) return false;
  const char order = descr[0], kind = descr[1];
  const std::string bytes = descr.substr(2);
  if (order != '<' && order != '>' && order != '|' && order != '=') return false;
  layout->bigEndian = order == '>' || (order == '=' && !HostIsLittleEndian());
  const struct {
    char kind;
    const char* bytes;
    SampleType type;
  } types[] = {
      {'f', "4", SampleType::kFloat32}, {'f', "8", SampleType::kFloat64},
      {'i', "1", SampleType::kInt8},    {'u', "1", SampleType::kUInt8},
      {'i', "2", SampleType::kInt16},   {'u', "2", SampleType::kUInt16},
      {'i', "4", SampleType::kInt32},   {'u', "4", SampleType::kUInt32},
      {'i', "8", SampleType::kInt64},   {'u', "8", SampleType::kUInt64},
  };
  for (const auto& type : types) {
    if (type.kind == kind && bytes == type.bytes) {
      // A byte order of '|' goes with single bytes only.
      if (order == '|' && BytesOf(type.type) != 1) return false;
      layout->type = type.type;
      return true;
    }
  }
  return false;
}

std::string ShapeText(const std::vector<std::uint64_t>& shape) {
  std::string text = "(";
  for (std::size_t i = 0; i < shape.size(); ++i) {
    text += (i == 0 ? "" : ", ") + std::to_string(shape[i]);
  }
  return text + (shape.size() == 1 ? ",)" : ")");
}

}  // namespace

bool StartsAsNpy(std::string_view head) { return head.substr(0, kMagic.size()) == kMagic; }

TextGridRead ReadNpyGrid(PeekableStream& input, const std::string& name, bool keepValues,
                         const ReadProgress& progress, const TextReadingChoices& choices,
                         const FinalValues& final) {
  std::string problem;
  std::string_view head;
  if (!input.Peek(12, &head, &problem)) return Refused(name, problem);
  if (head.size() < 10 || !StartsAsNpy(head)) return Refused(name, "its .npy header is cut short");
  const int major = static_cast<unsigned char>(head[6]),
            minor = static_cast<unsigned char>(head[7]);
  if (major < 1 || major > 3) {
    return Refused(name, "is an .npy file of version " + std::to_string(major) + "." +
                             std::to_string(minor) + "; versions 1 to 3 are read");
  }
  const std::size_t start = major == 1 ? 10 : 12;
  if (head.size() < start) return Refused(name, "its .npy header is cut short");
  const std::uint64_t length =
      major == 1 ? LoadU16(head.data() + 8, false) : LoadU32(head.data() + 8, false);
  if (length > kMaxHeaderBytes)
    return Refused(name, "its .npy header is too long to be an array's");
  const std::size_t whole = start + static_cast<std::size_t>(length);
  if (!input.Peek(whole, &head, &problem)) return Refused(name, problem);
  if (head.size() < whole) return Refused(name, "its .npy header is cut short");
  NpyHeader header;
  std::string why;
  if (!HeaderParser(head.substr(start)).Parse(&header, &why)) {
    return Refused(name, "its .npy header cannot be read: " + why);
  }
  input.Skip(whole);

  SampleLayout layout;
  if (!LayoutOfDescr(header.descr, &layout)) {
    return Refused(
        name, "holds values of type '" + ShownToken(header.descr) + "', not floats or integers");
  }
  const std::vector<std::uint64_t>& shape = header.shape;
  if (shape.size() != 2) {
    return Refused(name, "holds a " + std::to_string(shape.size()) + "-D array, shape " +
                             ShapeText(shape) + "; a model is a 2-D array");
  }
  const std::uint64_t rows = shape[0], columns = shape[1];
  if (rows == 0 || columns == 0) return Refused(name, "holds no values, shape " + ShapeText(shape));
  if (rows > kMaxTextGridValues / columns) {
    return Refused(name, "holds more than " + std::to_string(kMaxTextGridValues) + " values");
  }
  const std::uint64_t count = rows * columns;

  // Read column by column, the first index is X.
  const bool firstIndexX = choices.order == ValueOrder::kColumns;
  TextGridForm form;
  form.kind = TextForm::kNpy;
  form.name = "numpy .npy array";
  form.taken = "version " + std::to_string(major) + "." + std::to_string(minor) + ", " +
               ShownToken(header.descr) + ", shape " + ShapeText(shape) +
               (header.fortranOrder ? ", Fortran order" : "");
  form.statesSizes = true;
  form.nx = static_cast<std::int32_t>(firstIndexX ? rows : columns);
  form.nz = static_cast<std::int32_t>(firstIndexX ? columns : rows);
  form.source = "the .npy shape";
  form.fixesOrder = true;
  form.order = header.fortranOrder == firstIndexX ? ValueOrder::kRows : ValueOrder::kColumns;

  BinaryValues values(keepValues, final);
  if (!values.Expect(count)) return Refused(name, "not enough memory to load it");
  const bool fortran = header.fortranOrder;
  ValuePieces pieces(input, layout, values, form.order == ValueOrder::kRows && !choices.flipZ,
                     progress, [=](std::uint64_t i) {
                       const std::uint64_t row = fortran ? i % rows : i / columns;
                       const std::uint64_t column = fortran ? i / rows : i % columns;
                       return "element [" + std::to_string(row) + ", " + std::to_string(column) +
                              "]";
                     });
  const std::size_t size = BytesOf(layout.type);
  std::uint64_t got = 0;
  std::size_t rest = 0;
  if (!pieces.Read(count * size, &got, &rest, &problem)) return Refused(name, problem);
  if (got < count * size) {
    return Refused(name, "its array is cut short: " + std::to_string(got / size) + " of its " +
                             std::to_string(count) + " values");
  }
  if (!input.Peek(1, &head, &problem)) return Refused(name, problem);
  if (!head.empty()) return Refused(name, "more bytes follow its array");
  return values.Finish(std::move(form));
}
