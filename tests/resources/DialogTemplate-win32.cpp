#include "resources/DialogTemplate-win32.h"

#include <cstdint>
#include <cstring>

namespace resource_test {

namespace {

// Walks a template's bytes with bounds checks; any read past the end fails the parse.
class Cursor {
 public:
  explicit Cursor(const std::vector<unsigned char>& bytes) : bytes(bytes) {}

  bool ok() const { return good; }

  uint16_t Word() {
    uint16_t v = 0;
    Read(&v, sizeof v);
    return v;
  }
  uint32_t Dword() {
    uint32_t v = 0;
    Read(&v, sizeof v);
    return v;
  }
  uint8_t Byte() {
    uint8_t v = 0;
    Read(&v, sizeof v);
    return v;
  }
  void AlignDword() { pos = (pos + 3) & ~size_t{3}; }

  // A zero-terminated UTF-16 string (ASCII is all our resources use).
  std::string String() {
    std::string s;
    for (uint16_t c = Word(); good && c != 0; c = Word()) {
      s.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    }
    return s;
  }

  // A string or, after 0xFFFF, a 16-bit ordinal (returned in *ordinal, else -1).
  std::string StringOrOrdinal(int* ordinal) {
    *ordinal = -1;
    const size_t start = pos;
    if (Word() == 0xFFFF) {
      *ordinal = Word();
      return {};
    }
    pos = start;
    return String();
  }

  void Skip(size_t n) {
    if (n > bytes.size() - pos) good = false;
    pos = good ? pos + n : pos;
  }

 private:
  void Read(void* out, size_t n) {
    if (!good || pos > bytes.size() || n > bytes.size() - pos) {
      good = false;
      return;
    }
    std::memcpy(out, bytes.data() + pos, n);
    pos += n;
  }

  const std::vector<unsigned char>& bytes;
  size_t pos = 0;
  bool good = true;
};

std::string PredefinedClassName(int ordinal) {
  switch (ordinal) {
    case 0x80:
      return "Button";
    case 0x81:
      return "Edit";
    case 0x82:
      return "Static";
    case 0x83:
      return "ListBox";
    case 0x84:
      return "ScrollBar";
    case 0x85:
      return "ComboBox";
    default:
      return "#" + std::to_string(ordinal);
  }
}

// Class names written as text come back in the platform's spelling.
std::string CanonicalClassName(const std::string& name) {
  for (int ordinal = 0x80; ordinal <= 0x85; ++ordinal) {
    const std::string canonical = PredefinedClassName(ordinal);
    if (lstrcmpiA(canonical.c_str(), name.c_str()) == 0) return canonical;
  }
  return name;
}

int16_t Signed(uint16_t v) { return static_cast<int16_t>(v); }

}  // namespace

std::vector<unsigned char> ResourceBytes(int id, LPCSTR type) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), type);
  if (found == nullptr) return {};
  HGLOBAL loaded = LoadResource(module, found);
  const auto* data = static_cast<const unsigned char*>(LockResource(loaded));
  if (data == nullptr) return {};
  return std::vector<unsigned char>(data, data + SizeofResource(module, found));
}

HWND CreateHiddenDialog(int id, DLGPROC procedure) {
  std::vector<unsigned char> bytes = ResourceBytes(id, MAKEINTRESOURCEA(5));  // RT_DIALOG
  if (bytes.size() < 16) return nullptr;
  const bool extended = bytes[0] == 1 && bytes[1] == 0 && bytes[2] == 0xFF && bytes[3] == 0xFF;
  const size_t styleAt = extended ? 12 : 0;
  DWORD style = 0;
  std::memcpy(&style, bytes.data() + styleAt, sizeof style);
  style &= ~static_cast<DWORD>(WS_VISIBLE);
  std::memcpy(bytes.data() + styleAt, &style, sizeof style);
  // The platform wants the template DWORD-aligned; a vector's storage is.
  return CreateDialogIndirectParamA(GetModuleHandleA(nullptr),
                                    reinterpret_cast<LPCDLGTEMPLATEA>(bytes.data()), nullptr,
                                    procedure, 0);
}

bool ReadDialogTemplate(int id, DialogTemplate* out) {
  const std::vector<unsigned char> bytes = ResourceBytes(id, MAKEINTRESOURCEA(5));  // RT_DIALOG
  if (bytes.empty()) return false;
  Cursor in(bytes);
  DialogTemplate t;
  const uint16_t version = in.Word();
  const uint16_t signature = in.Word();
  t.extended = version == 1 && signature == 0xFFFF;
  if (t.extended) {
    in.Dword();  // help id
    t.exStyle = in.Dword();
    t.style = in.Dword();
  } else {
    t.style = version | static_cast<DWORD>(signature) << 16;
    t.exStyle = in.Dword();
  }
  const int count = in.Word();
  t.x = Signed(in.Word());
  t.y = Signed(in.Word());
  t.width = Signed(in.Word());
  t.height = Signed(in.Word());
  int ordinal = -1;
  in.StringOrOrdinal(&ordinal);  // menu
  in.StringOrOrdinal(&ordinal);  // window class
  t.title = in.String();
  if (t.style & (DS_SETFONT | DS_SHELLFONT)) {
    t.fontSize = in.Word();
    if (t.extended) {
      in.Word();  // weight
      in.Byte();  // italic
      in.Byte();  // character set
    }
    t.fontName = in.String();
  }
  for (int i = 0; i < count && in.ok(); ++i) {
    TemplateControl c;
    in.AlignDword();
    if (t.extended) {
      in.Dword();  // help id
      c.exStyle = in.Dword();
      c.style = in.Dword();
    } else {
      c.style = in.Dword();
      c.exStyle = in.Dword();
    }
    c.x = Signed(in.Word());
    c.y = Signed(in.Word());
    c.width = Signed(in.Word());
    c.height = Signed(in.Word());
    c.id = t.extended ? static_cast<int32_t>(in.Dword()) : Signed(in.Word());
    int classOrdinal = -1;
    const std::string className = in.StringOrOrdinal(&classOrdinal);
    c.className =
        classOrdinal >= 0 ? PredefinedClassName(classOrdinal) : CanonicalClassName(className);
    c.text = in.StringOrOrdinal(&c.textResource);
    in.Skip(in.Word());  // creation data
    t.controls.push_back(c);
  }
  if (!in.ok()) return false;
  *out = t;
  return true;
}

}  // namespace resource_test
