// The window pictures from files: a JPEG decodes through core's decoder into a bitmap of its
// size with its colours; the extension decides the format in either letter case; an unknown
// extension, a damaged file or one that cannot be opened is a Failure with the text the
// failure box shows.
#include "core/failure.h"
#include "tests/support/driver.h"
#include "ui/picture.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

std::string Folder() { return e2e::NewTestFolder("win-pictures"); }

std::string FailureText(const std::string& path) {
  try {
    ui::LoadPictureFile(path);
  } catch (const Failure& failure) {
    return failure.what();
  }
  return "<loaded>";
}

}  // namespace

TEST(PictureFile, JpegDecodesToItsSizeAndColours) {
  std::unique_ptr<ui::LoadedPicture> picture =
      ui::LoadPictureFile(e2e::WindowsPath(SOURCE_DIR) + "\\assets\\setup-background.jpg");
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->width(), 800);
  EXPECT_EQ(picture->height(), 540);
  // Drawn into a bitmap of its own, the picture is not one flat colour: rows arrived.
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP target = CreateCompatibleBitmap(screen, 800, 540);
  HGDIOBJ old = SelectObject(dc, target);
  picture->Draw(dc, 0, 0);
  COLORREF first = GetPixel(dc, 0, 0);
  bool varied = false;
  for (int y = 0; y < 540 && !varied; y += 20)
    for (int x = 0; x < 800 && !varied; x += 20) varied = GetPixel(dc, x, y) != first;
  SelectObject(dc, old);
  DeleteObject(target);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  EXPECT_TRUE(varied);
}

TEST(PictureFile, DamagedOrUnknownFilesFailWithTheirText) {
  std::string folder = Folder();
  const struct {
    const char* name;
    const char* bytes;
    const char* text;
  } cases[] = {
      {"a.gif", "GIF89a", "Unknown picture file extension (.gif)"},
      {"noextension", "x", "Unknown picture file extension (.)"},
      {"a.jpg", "not a picture", "JPEG error #53"},
      {"a.JPEG", "", "JPEG error #42"},
      {"a.bmp", "BM not a bitmap", "Bitmap image is not valid"},
      {"a.Ico", "\0\0\1\0", "Icon image is not valid"},
      {"a.emf", "not a metafile", "Metafile is not valid"},
      {"a.WMF", "not a placeable metafile", "Metafile is not valid"},
  };
  for (const auto& c : cases) {
    std::string path = folder + "\\" + c.name;
    e2e::WriteFile(path, c.bytes);
    EXPECT_EQ(FailureText(path), c.text) << c.name;
  }
}

TEST(PictureFile, AFileThatCannotBeOpenedFailsWithTheSystemsReason) {
  std::string path = Folder() + "\\locked.jpg";
  e2e::WriteFile(path, "x");
  HANDLE lock = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  std::string text = FailureText(path);
  CloseHandle(lock);
  EXPECT_EQ(text.rfind("Cannot open file \"" + path + "\". ", 0), 0u) << text;
}

TEST(PictureFile, AnEnhancedMetafileHasItsFramesSizeInPixels) {
  std::string path = Folder() + "\\frame.emf";
  RECT frame = {0, 0, 200 * 2540 / 96, 100 * 2540 / 96};  // hundredths of a millimetre
  DeleteEnhMetaFile(CloseEnhMetaFile(CreateEnhMetaFileA(nullptr, path.c_str(), &frame, nullptr)));
  auto picture = ui::LoadPictureFile(path);
  EXPECT_NEAR(picture->width(), 200, 1);
  EXPECT_NEAR(picture->height(), 100, 1);
}
