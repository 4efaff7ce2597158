// The background picture named in REG.CFG: each format the extension names (either letter
// case) replaces the built-in picture, centred; an unknown extension or a damaged file shows
// the failure box (the failure's text, the application's title, OK) and the window opens
// with an empty path.
#include "setup/controls.h"
#include "tests/support/driver.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

const wchar_t kApplicationTitle[] = L"برنامه نصب";
const std::string kData = std::string(SOURCE_DIR) + "/tests/e2e/data/";

std::string DataFile(const std::string& name) {
  std::string bytes;
  if (!e2e::ReadFile(e2e::WindowsPath(kData + name), &bytes)) throw std::runtime_error(name);
  return bytes;
}

void Put16(std::string& out, unsigned value) {
  out += char(value & 0xFF);
  out += char(value >> 8 & 0xFF);
}
void Put32(std::string& out, unsigned long value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

// A 24-bit bitmap of one colour.
std::string SolidBitmap(int width, int height, COLORREF color) {
  int stride = (width * 3 + 3) & ~3;
  std::string out = "BM";
  Put32(out, 54 + stride * height);
  Put32(out, 0);
  Put32(out, 54);
  Put32(out, 40);
  Put32(out, width);
  Put32(out, height);
  Put16(out, 1);
  Put16(out, 24);
  Put32(out, 0);
  Put32(out, stride * height);
  Put32(out, 2835);
  Put32(out, 2835);
  Put32(out, 0);
  Put32(out, 0);
  std::string row;
  for (int x = 0; x < width; ++x) {
    row += char(GetBValue(color));
    row += char(GetGValue(color));
    row += char(GetRValue(color));
  }
  row.resize(stride, '\0');
  for (int y = 0; y < height; ++y) out += row;
  return out;
}

// An enhanced metafile of 200 x 100 pixels filled with one colour.
void WriteSolidEnhancedMetafile(const std::string& path, COLORREF color) {
  RECT frame = {0, 0, 200 * 2540 / 96, 100 * 2540 / 96};  // hundredths of a millimetre
  HDC dc = CreateEnhMetaFileA(nullptr, path.c_str(), &frame, nullptr);
  HBRUSH brush = CreateSolidBrush(color);
  RECT all = {0, 0, 200, 100};
  FillRect(dc, &all, brush);
  DeleteObject(brush);
  DeleteEnhMetaFile(CloseEnhMetaFile(dc));
}

// A placeable Windows metafile of 200 x 100 units at 96 units per inch, one colour.
std::string SolidWindowsMetafile(COLORREF color) {
  HDC dc = CreateMetaFileA(nullptr);
  SetWindowOrgEx(dc, 0, 0, nullptr);
  SetWindowExtEx(dc, 200, 100, nullptr);
  HBRUSH brush = CreateSolidBrush(color);
  HGDIOBJ old = SelectObject(dc, brush);
  SelectObject(dc, GetStockObject(NULL_PEN));
  Rectangle(dc, 0, 0, 201, 101);
  SelectObject(dc, old);
  DeleteObject(brush);
  HMETAFILE metafile = CloseMetaFile(dc);
  std::string bits(GetMetaFileBitsEx(metafile, 0, nullptr), '\0');
  GetMetaFileBitsEx(metafile, (UINT)bits.size(), &bits[0]);
  DeleteMetaFile(metafile);
  std::string header;
  Put32(header, 0x9AC6CDD7);
  Put16(header, 0);
  for (unsigned value : {0u, 0u, 200u, 100u, 96u}) Put16(header, value);
  Put32(header, 0);
  unsigned checksum = 0;
  for (size_t i = 0; i < header.size(); i += 2)
    checksum ^= (unsigned char)header[i] | (unsigned char)header[i + 1] << 8;
  Put16(header, checksum);
  return header + bits;
}

bool Near(COLORREF a, COLORREF b) {
  return std::abs(GetRValue(a) - GetRValue(b)) < 40 && std::abs(GetGValue(a) - GetGValue(b)) < 40 &&
         std::abs(GetBValue(a) - GetBValue(b)) < 40;
}

std::string Settings(const std::string& picture) {
  return "T1\r\nT2\r\nF\r\nAccounts\r\np\r\ns\r\nOrg\r\n" + picture + "\r\n\r\n\r\n";
}

}  // namespace

// Each format is shown centred at its own size: the middle of the picture area shows it.
TEST(SetupPictureOnOwnScreen, EachFormatReplacesTheBuiltInPicture) {
  const COLORREF kRed = RGB(220, 30, 30), kYellow = RGB(230, 210, 20), kPurple = RGB(140, 40, 160);
  const COLORREF kGreen = RGB(0x20, 0xC0, 0x40), kBlue = RGB(0x20, 0x40, 0xE0);
  const struct {
    const char* file;
    COLORREF color;
  } cases[] = {
      {"picture.jpg", kGreen}, {"PICTURE.JPEG", kGreen}, {"picture.Bmp", kRed},
      {"picture.ico", kBlue},  {"picture.EMF", kYellow}, {"picture.wmf", kPurple},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    std::string folder = e2e::NewTestFolder("picture");
    std::string path = folder + "\\" + c.file;
    std::string name = c.file;
    for (char& ch : name) ch = (char)tolower(ch);
    if (name == "picture.jpg" || name == "picture.jpeg")
      e2e::WriteFile(path, DataFile("green.jpg"));
    if (name == "picture.bmp") e2e::WriteFile(path, SolidBitmap(120, 80, kRed));
    if (name == "picture.ico") e2e::WriteFile(path, DataFile("blue.ico"));
    if (name == "picture.emf") WriteSolidEnhancedMetafile(path, kYellow);
    if (name == "picture.wmf") e2e::WriteFile(path, SolidWindowsMetafile(kPurple));
    e2e::WriteFile(folder + "\\REG.CFG", Settings(c.file));
    e2e::Process setup(e2e::ProgramPath("setup.exe"), folder);
    HWND window = e2e::WaitWindow(setup, "TForm1");
    ASSERT_TRUE(window);
    EXPECT_FALSE(e2e::WaitDialog(setup, 0));
    // The suite runs under two code pages at once on one screen: each run reads the screen
    // in its own corner, low enough that the points read lie below the windows that other
    // tests open centred on the screen (the uninstaller's, frame included, reaches y = 792).
    bool persian = GetACP() == 1256;
    SetWindowPos(window, nullptr, persian ? 484 : 0, 560, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    COLORREF shown = e2e::ScreenPixel(window, 395, 268);
    EXPECT_TRUE(Near(shown, c.color)) << std::hex << shown;
    // Just beyond the picture's edge the window's background shows: the picture is drawn
    // at its own size, not stretched.
    EXPECT_FALSE(Near(e2e::ScreenPixel(window, 395, 268 + 60), c.color));
    EXPECT_NE(e2e::Text(e2e::Control(window, kPath)), L"");
  }
}

TEST(SetupPicture, MissingPictureFileKeepsTheBuiltInPictureSilently) {
  std::string folder = e2e::NewTestFolder("picture-missing");
  e2e::WriteFile(folder + "\\REG.CFG", Settings("absent.jpg"));
  e2e::Process setup(e2e::ProgramPath("setup.exe"), folder);
  HWND window = e2e::WaitWindow(setup, "TForm1");
  ASSERT_TRUE(window);
  EXPECT_FALSE(e2e::WaitDialog(setup, 0));
  EXPECT_NE(e2e::Text(e2e::Control(window, kPath)), L"");
}

// A picture that cannot be loaded: the failure box, then the window with an empty path.
TEST(SetupPicture, UnloadablePictureShowsTheFailureAndSkipsThePath) {
  const struct {
    const char* file;
    std::string bytes;
    std::wstring text;  // empty: only its start and end are checked
  } cases[] = {
      {"picture.gif", "GIF89a", L"Unknown picture file extension (.gif)"},
      {"damaged.jpg", "this is not a picture", L""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    std::string folder = e2e::NewTestFolder("picture-bad");
    e2e::WriteFile(folder + "\\" + c.file, c.bytes);
    e2e::WriteFile(folder + "\\REG.CFG", Settings(c.file));
    e2e::Process setup(e2e::ProgramPath("setup.exe"), folder);
    HWND dialog = e2e::WaitDialog(setup);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(e2e::Caption(dialog), kApplicationTitle);
    EXPECT_EQ(e2e::DialogButtons(dialog), std::vector<std::wstring>{L"OK"});
    std::wstring text = e2e::DialogMessage(dialog);
    if (!c.text.empty()) {
      EXPECT_EQ(text, c.text);  // ends with ")", below ".": no full stop added
    } else {
      EXPECT_EQ(text.rfind(L"JPEG error #", 0), 0u) << text.c_str();
      EXPECT_EQ(text.back(), L'.');  // a digit is above ".": a full stop added
    }
    e2e::PressButton(dialog, L"OK");
    HWND window = e2e::WaitWindow(setup, "TForm1");
    ASSERT_TRUE(window);
    EXPECT_EQ(e2e::Text(e2e::Control(window, kPath)), L"");
    EXPECT_EQ(e2e::Text(e2e::Control(window, kTetr1)), L"T1");
  }
}
