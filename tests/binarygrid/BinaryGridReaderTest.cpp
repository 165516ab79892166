#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "BinaryGridReading.h"
#include "binarygrid/IbmFloat.h"

namespace {

std::string BigEndian(std::uint32_t value, int bytes) {
  std::string text;
  for (int i = bytes - 1; i >= 0; --i) text += static_cast<char>(value >> (8 * i) & 0xFF);
  return text;
}

// A file that grows while it is read: its size, as a file stream takes it at the start, says
// less than it gives.
class GrowingFile final : public MemoryStream {
 public:
  GrowingFile(std::string_view bytes, std::uint64_t sizeAtStart)
      : MemoryStream(bytes, 64), sizeAtStart_(sizeAtStart) {}
  std::uint64_t Remaining() const override {
    return sizeAtStart_ >= InputDone() ? sizeAtStart_ - InputDone() : kUnknownSize;
  }

 private:
  std::uint64_t sizeAtStart_;
};

// A SEG-Y file as the standard lays it out: a textual header of EBCDIC blanks, a binary header
// giving the sample format and count, then each trace's header (its count at bytes 115-116, and
// what `fields` writes into it for each trace) and big-endian samples.
std::string Segy(int format, const std::vector<std::vector<std::uint32_t>>& traces,
                 const std::function<void(std::size_t trace, std::string& header)>& fields = {}) {
  std::string file(3200, '\x40');
  std::string binary(400, '\0');
  binary.replace(20, 2, BigEndian(static_cast<std::uint32_t>(traces[0].size()), 2));
  binary.replace(24, 2, BigEndian(static_cast<std::uint32_t>(format), 2));
  file += binary;
  for (std::size_t trace = 0; trace < traces.size(); ++trace) {
    const std::vector<std::uint32_t>& samples = traces[trace];
    std::string header(240, '\0');
    header.replace(114, 2, BigEndian(static_cast<std::uint32_t>(samples.size()), 2));
    if (fields) fields(trace, header);
    file += header;
    for (const std::uint32_t sample : samples) file += BigEndian(sample, format == 3 ? 2 : 4);
  }
  return file;
}

// IBM floats: their worked example (-118.625), values in float's subnormal range rounded to the
// nearest (ties to even), and the edges of float's range.
TEST(BinaryGridReaderTest, IbmFloatsConvertExactlyAndRoundToNearestEven) {
  const float tiny = std::ldexp(1.0f, -149);
  const struct {
    std::uint32_t bits;
    float value;
  } cases[] = {
      {0xC276A000, -118.625f},
      {0x42640000, 100.0f},
      {0x42064000, 6.25f},     // an unnormalized fraction, 0x064000 x 16^2 / 2^24
      {0x2000000C, 2 * tiny},  // 1.5 x 2^-149, a tie, to the even 2
      {0x2000001C, 4 * tiny},  // 3.5 x 2^-149, a tie, to the even 4
      {0x00100000, 0.0f},      // 16^-65, below half the least float
      {0x80000000, 0.0f},      // a negative zero reads as 0
      {0x60FFFFFF, std::numeric_limits<float>::max()},
      {0x61100000, std::numeric_limits<float>::infinity()},
  };
  std::vector<std::uint32_t> samples;
  for (const auto& [bits, value] : cases) {
    EXPECT_EQ(IbmToFloat(bits), value) << std::hex << bits;
    EXPECT_FALSE(std::signbit(IbmToFloat(bits)) && value == 0) << std::hex << bits;
    if (!std::isinf(value)) samples.push_back(bits);
  }
  // Read from a SEG-Y trace alike, most of it normal values.
  samples.resize(3000, 0x42640000);
  const TextGridRead read = ReadBinaryBytes(Segy(1, {samples}));
  ASSERT_TRUE(read.ok()) << read.status.message();
  for (std::size_t i = 0; i < samples.size(); ++i) {
    EXPECT_EQ(read.values[i], IbmToFloat(samples[i])) << std::hex << samples[i];
    EXPECT_EQ(std::signbit(read.values[i]), std::signbit(IbmToFloat(samples[i])));
  }
}

// Traces are the grid's columns, read in pieces as a pipe gives them; a value beyond floats is
// refused with its trace and sample, and a file that grows while it is read is refused.
TEST(BinaryGridReaderTest, SegyTracesAreColumnsAndValuesBeyondFloatsAreRefused) {
  const std::string file = Segy(3, {{1, 2, 3}, {4, 5, 6}});
  for (const std::size_t piece : {std::size_t{1}, ~std::size_t{0}}) {
    const TextGridRead read = ReadBinaryBytes(file, {}, piece);
    ASSERT_TRUE(read.ok()) << read.status.message();
    EXPECT_EQ(read.form.nx, 2);
    EXPECT_EQ(read.form.nz, 3);
    std::vector<float> values(read.values.data(), read.values.data() + read.values.size());
    if (read.form.order == ValueOrder::kColumns) {
      EXPECT_EQ(values, (std::vector<float>{1, 2, 3, 4, 5, 6}));
    } else {
      EXPECT_EQ(values, (std::vector<float>{1, 4, 2, 5, 3, 6}));
    }
  }
  const std::string longer = file + file.substr(3600, 243);  // by half a trace
  GrowingFile grown(longer, file.size());
  EXPECT_EQ(ReadBinaryStream(grown).status.message(), "grid: changed while it was being read");
  const TextGridRead beyond =
      ReadBinaryBytes(Segy(1, {{0x41100000, 0x41100000}, {0x41100000, 0x7FFFFFFF}}));
  EXPECT_EQ(beyond.status.message(),
            "grid: trace 2, sample 2: 7.23701e+75 is beyond the range of 32-bit floats");
  // A revision 2 binary header's count of 8-bit samples, 2^31 - 16, takes no memory the file
  // does not fill; no count anywhere, the first trace after an extended textual header.
  std::string claim = Segy(8, {{0x01020304}});
  claim[3500] = 2;
  claim.replace(3268, 4, BigEndian(0x7FFFFFF0, 4));
  claim.replace(3600 + 114, 2, std::string(2, '\0'));
  std::string none = Segy(3, {{}});
  none[3500] = 1;
  none.replace(3504, 2, BigEndian(1, 2));
  none.insert(3600, std::string(3200, '\x40'));
  const std::pair<std::string, std::string> refusals[] = {
      {claim, "grid: trace 1 is cut short: 4 of its 2147483632 samples"},
      {none, "grid: its traces hold no samples"},
  };
  for (const auto& [bytes, message] : refusals) {
    for (const std::size_t piece : {std::size_t{3}, ~std::size_t{0}}) {
      EXPECT_EQ(ReadBinaryBytes(bytes, {}, piece).status.message(), message);
    }
  }
}

// dx is proven by the traces' X coordinates rising by one step, times their coordinate scalar
// (a negative one divides): CDP X, else source X where CDP X is all alike.
TEST(BinaryGridReaderTest, SegyCoordinatesProveDxWithTheirScalar) {
  const struct {
    std::vector<std::int32_t> scalar, cdpX, sourceX;
    std::string taken;  // as "mvgtool sizes" shows it
    float dx;           // 0: not proven
  } cases[] = {
      {{-100, -100, -100}, {0, 2000, 4000}, {0, 0, 0}, "CDP X 0 to 40 at steps of 20", 20},
      {{10, 10, 10}, {7, 7, 7}, {5, 7, 9}, "source X 50 to 90 at steps of 20", 20},
      {{-100, -100, -100}, {0, 2000, 5000}, {0, 0, 0}, "CDP X not at one step", 0},
      {{-100, -100, -10}, {0, 2000, 4000}, {0, 0, 0}, "CDP X", 0},  // scalars differ
  };
  for (const auto& c : cases) {
    const std::string file = Segy(3, {{1}, {2}, {3}}, [&c](std::size_t trace, std::string& header) {
      header.replace(70, 2, BigEndian(static_cast<std::uint32_t>(c.scalar[trace]), 2));
      header.replace(72, 4, BigEndian(static_cast<std::uint32_t>(c.sourceX[trace]), 4));
      header.replace(180, 4, BigEndian(static_cast<std::uint32_t>(c.cdpX[trace]), 4));
    });
    for (const std::size_t piece : {std::size_t{1}, ~std::size_t{0}}) {
      const TextGridRead read = ReadBinaryBytes(file, {}, piece);
      ASSERT_TRUE(read.ok()) << read.status.message();
      EXPECT_NE(read.form.taken.find(c.taken), std::string::npos) << read.form.taken;
      EXPECT_EQ(StatesDx(read.form), c.dx > 0) << c.taken;
      if (c.dx > 0) {
        EXPECT_EQ(read.form.dx, c.dx) << c.taken;
      }
    }
  }
}

// An .npy file's worked example: its magic, version, header length and dictionary, then the
// values, here 16-bit integers in two rows of three.
TEST(BinaryGridReaderTest, NpyArraysReadWithTheirTypeShapeAndOrder) {
  std::string header = "{'descr': '<i2', 'fortran_order': True, 'shape': (2, 3), }";
  header += std::string(128 - 10 - 1 - header.size(), ' ') + "\n";  // values 64-byte aligned
  const std::string file = std::string("\x93NUMPY\x01\x00", 8) + static_cast<char>(header.size()) +
                           '\0' + header + std::string("\x01\0\x04\0\x02\0\x05\0\x03\0\x06\0", 12);
  const TextGridRead read = ReadBinaryBytes(file);
  ASSERT_TRUE(read.ok()) << read.status.message();
  EXPECT_EQ(read.form.nx, 3);
  EXPECT_EQ(read.form.nz, 2);
  EXPECT_EQ(read.form.order, ValueOrder::kColumns);  // Fortran order: column by column
  EXPECT_EQ(std::vector<float>(read.values.data(), read.values.data() + 6),
            (std::vector<float>{1, 4, 2, 5, 3, 6}));
}

// Fortran records all as long, of more than one value, prove the row length; a first record of
// another length (a header of sizes) is named, with the bytes to pass over.
TEST(BinaryGridReaderTest, FortranRecordsMustAllBeAsLong) {
  const auto record = [](const std::string& bytes) {
    const std::string marker(1, static_cast<char>(bytes.size()));
    return marker + std::string(3, '\0') + bytes + marker + std::string(3, '\0');
  };
  const std::string row = std::string("\0\0\xC0\x3F\0\0\0\x40", 8);  // 1.5 and 2
  TextReadingChoices choices;
  choices.raw = RawType::kF32Le;
  const TextGridRead rows = ReadBinaryBytes(record(row) + record(row) + record(row), choices);
  ASSERT_TRUE(rows.ok()) << rows.status.message();
  EXPECT_EQ(rows.form.nx, 2);
  EXPECT_EQ(rows.form.nz, 3);
  // Records of one value each, and one record of all, say nothing of the sizes.
  for (const std::string& bytes :
       {record(row.substr(0, 4)) + record(row.substr(4)) + record(row.substr(0, 4)),
        record(row + row)}) {
    const TextGridRead unsized = ReadBinaryBytes(bytes, choices);
    ASSERT_TRUE(unsized.ok()) << unsized.status.message();
    EXPECT_FALSE(unsized.form.statesSizes);
  }
  const TextGridRead sized = ReadBinaryBytes(record(std::string(4, '\2')) + record(row), choices);
  EXPECT_EQ(sized.status.message(),
            "grid: Fortran record 2 holds 8 bytes, but record 1 holds 4: every record must hold "
            "as many (passing over the first 12 bytes leaves record 1 out)");
  choices.skipBytes = 12;
  EXPECT_TRUE(ReadBinaryBytes(record(std::string(4, '\2')) + record(row), choices).ok());
  // A value beyond floats in a record is refused with its place.
  const auto f64 = [](double value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, 8);
    std::string bytes;
    for (int i = 0; i < 8; ++i) bytes += static_cast<char>(bits >> (8 * i) & 0xFF);
    return bytes;
  };
  choices = {};
  choices.raw = RawType::kF64Le;
  EXPECT_EQ(ReadBinaryBytes(record(f64(1) + f64(2)) + record(f64(3) + f64(1e300)), choices)
                .status.message(),
            "grid: value 4: 1e+300 is beyond the range of 32-bit floats");
}

}  // namespace
