// Icons, the decorative bitmap, version information and manifest linked into the program.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "resource.h"
#include "resources/DialogTemplate-win32.h"

namespace {

using resource_test::ResourceBytes;

struct IconEntry {
  int width;
  int height;
  int bits;
};

// The images an icon group lists, from its directory resource.
std::vector<IconEntry> IconGroup(int id) {
  const std::vector<unsigned char> bytes = ResourceBytes(id, MAKEINTRESOURCEA(14));  // group icon
  std::vector<IconEntry> entries;
  if (bytes.size() < 6) return entries;
  const int count = bytes[4] | bytes[5] << 8;
  for (int i = 0; i < count && 6 + 14 * (i + 1) <= static_cast<int>(bytes.size()); ++i) {
    const unsigned char* e = bytes.data() + 6 + 14 * i;
    entries.push_back({e[0] == 0 ? 256 : e[0], e[1] == 0 ? 256 : e[1], e[6] | e[7] << 8});
  }
  return entries;
}

// Size of the image the platform picks for an icon loaded at the given size.
SIZE LoadedIconSize(int id, int size) {
  SIZE result{0, 0};
  auto icon = static_cast<HICON>(
      LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0));
  if (icon == nullptr) return result;
  ICONINFO info{};
  if (GetIconInfo(icon, &info)) {
    BITMAP mask{};
    GetObjectA(info.hbmMask, sizeof mask, &mask);
    result.cx = mask.bmWidth;
    result.cy = info.hbmColor != nullptr ? mask.bmHeight : mask.bmHeight / 2;
    DeleteObject(info.hbmMask);
    if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
  }
  DestroyIcon(icon);
  return result;
}

TEST(ApplicationIcon, HoldsA32And16PixelImage) {
  const std::vector<IconEntry> group = IconGroup(IDI_APP);
  ASSERT_EQ(group.size(), 2u);
  EXPECT_EQ(group[0].width, 32);
  EXPECT_EQ(group[0].height, 32);
  EXPECT_EQ(group[1].width, 16);
  EXPECT_EQ(group[1].height, 16);
  for (int size : {32, 16}) {
    const SIZE loaded = LoadedIconSize(IDI_APP, size);
    EXPECT_EQ(loaded.cx, size);
    EXPECT_EQ(loaded.cy, size);
  }
  EXPECT_NE(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_APP)), nullptr);
}

TEST(BrowseIcons, OpenHas32And16PixelsAndSaveHas32In16Colours) {
  const std::vector<IconEntry> open = IconGroup(IDI_OPEN);
  ASSERT_EQ(open.size(), 2u);
  EXPECT_EQ(open[0].width, 32);
  EXPECT_EQ(open[1].width, 16);
  const std::vector<IconEntry> save = IconGroup(IDI_SAVE);
  ASSERT_EQ(save.size(), 1u);
  EXPECT_EQ(save[0].width, 32);
  EXPECT_EQ(save[0].height, 32);
  for (const IconEntry& e : {open[0], open[1], save[0]}) EXPECT_EQ(e.bits, 4);
  for (int id : {IDI_OPEN, IDI_SAVE}) {
    EXPECT_NE(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id)), nullptr) << id;
    const SIZE loaded = LoadedIconSize(id, 32);
    EXPECT_EQ(loaded.cx, 32) << id;
  }
  EXPECT_EQ(LoadedIconSize(IDI_OPEN, 16).cx, 16);
}

TEST(DecorativePicture, Is119By115With256Colours) {
  auto bitmap =
      static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_PICTURE),
                                      IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  ASSERT_NE(bitmap, nullptr);
  DIBSECTION dib{};
  ASSERT_EQ(GetObjectA(bitmap, sizeof dib, &dib), static_cast<int>(sizeof dib));
  EXPECT_EQ(dib.dsBm.bmWidth, 119);
  EXPECT_EQ(dib.dsBm.bmHeight, 115);
  EXPECT_EQ(dib.dsBmih.biBitCount, 8);
  DeleteObject(bitmap);

  const std::vector<unsigned char> raw = ResourceBytes(IDB_PICTURE, MAKEINTRESOURCEA(2));
  ASSERT_GE(raw.size(), sizeof(BITMAPINFOHEADER));
  BITMAPINFOHEADER header{};
  std::memcpy(&header, raw.data(), sizeof header);
  EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));
  EXPECT_EQ(header.biClrUsed, 256u);
}

TEST(VersionInformation, SaysVersion1_0_0) {
  const std::vector<unsigned char> raw = ResourceBytes(1, MAKEINTRESOURCEA(16));  // version
  const DWORD signature = 0xFEEF04BD;
  const unsigned char* found = nullptr;
  for (size_t i = 0; i + sizeof(VS_FIXEDFILEINFO) <= raw.size(); i += 4) {
    if (std::memcmp(raw.data() + i, &signature, sizeof signature) == 0) {
      found = raw.data() + i;
      break;
    }
  }
  ASSERT_NE(found, nullptr);
  VS_FIXEDFILEINFO info{};
  std::memcpy(&info, found, sizeof info);
  EXPECT_EQ(info.dwFileVersionMS, 0x00010000u);
  EXPECT_EQ(info.dwFileVersionLS, 0u);
}

TEST(Manifest, AsksForCommonControlsVersion6) {
  const std::vector<unsigned char> raw = ResourceBytes(1, MAKEINTRESOURCEA(24));  // manifest
  const std::string text(raw.begin(), raw.end());
  EXPECT_NE(text.find("Microsoft.Windows.Common-Controls"), std::string::npos);
  EXPECT_NE(text.find("version=\"6.0.0.0\""), std::string::npos);
}

}  // namespace
