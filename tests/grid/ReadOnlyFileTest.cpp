#include "grid/ReadOnlyFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace {

namespace fs = std::filesystem;

TEST(ReadOnlyFileTest, ReadsAtAnyOffsetAndShortOnlyAtTheEnd) {
  const fs::path path = fs::temp_directory_path() / "mvg-read-only-file-test.txt";
  std::ofstream(path, std::ios::binary) << "0123456789";
  auto file = std::make_unique<ReadOnlyFile>();
  std::string reason;
  ASSERT_TRUE(file->Open(path.string(), &reason)) << reason;
  EXPECT_EQ(file->Size(), 10u);
  char buffer[8] = {};
  std::size_t got = 0;
  ASSERT_TRUE(file->ReadAt(3, buffer, 4, &got, &reason));
  EXPECT_EQ(std::string(buffer, got), "3456");
  ASSERT_TRUE(file->ReadAt(7, buffer, 8, &got, &reason));
  EXPECT_EQ(std::string(buffer, got), "789");
  ASSERT_TRUE(file->ReadAt(10, buffer, 8, &got, &reason));
  EXPECT_EQ(got, 0u);
  file.reset();
  fs::remove(path);
}

TEST(ReadOnlyFileTest, MissingFilesAndFoldersAreRefusedWithTheSystemsReason) {
  ReadOnlyFile missing;
  std::string reason;
  EXPECT_FALSE(
      missing.Open((fs::temp_directory_path() / "mvg-no-such-file.txt").string(), &reason));
  EXPECT_FALSE(reason.empty());
  ReadOnlyFile folder;
  reason.clear();
  EXPECT_FALSE(folder.Open(fs::temp_directory_path().string(), &reason));
  EXPECT_FALSE(reason.empty());
}

}  // namespace
