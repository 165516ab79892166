#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
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

// A SEG-Y file as the standard lays it out: a textual header of EBCDIC blanks, a binary header
// giving the sample format and count, then each trace's header (its count at bytes 115-116) and
// big-endian samples.
std::string Segy(int format, const std::vector<std::vector<std::uint32_t>>& traces) {
  std::string file(3200, '\x40');
  std::string binary(400, '\0');
  binary.replace(20, 2, BigEndian(static_cast<std::uint32_t>(traces[0].size()), 2));
  binary.replace(24, 2, BigEndian(static_cast<std::uint32_t>(format), 2));
  file += binary;
  for (const auto& samples : traces) {
    std::string header(240, '\0');
    header.replace(114, 2, BigEndian(static_cast<std::uint32_t>(samples.size()), 2));
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
  for (const auto& [bits, value] : cases) {
    EXPECT_EQ(IbmToFloat(bits), value) << std::hex << bits;
    EXPECT_FALSE(std::signbit(IbmToFloat(bits)) && value == 0) << std::hex << bits;
  }
}

// Traces are the grid's columns, read in pieces as a pipe gives them; a value beyond floats is
// refused with its trace and sample.
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
  const TextGridRead beyond =
      ReadBinaryBytes(Segy(1, {{0x41100000, 0x41100000}, {0x41100000, 0x7FFFFFFF}}));
  EXPECT_EQ(beyond.status.message(),
            "grid: trace 2, sample 2: 7.23701e+75 is beyond the range of 32-bit floats");
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

// Fortran records all as long prove the row length; a first record of another length (a header
// of sizes) is named, with the bytes to pass over.
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
  const TextGridRead sized = ReadBinaryBytes(record(std::string(4, '\2')) + record(row), choices);
  EXPECT_EQ(sized.status.message(),
            "grid: Fortran record 2 holds 8 bytes, but record 1 holds 4: every record must hold "
            "as many (passing over the first 12 bytes leaves record 1 out)");
  choices.skipBytes = 12;
  EXPECT_TRUE(ReadBinaryBytes(record(std::string(4, '\2')) + record(row), choices).ok());
}

}  // namespace
