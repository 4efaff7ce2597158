// The medium checker's rules on media held in memory: a healthy medium gives no error or
// warning, and each broken medium of the table (one fault each) gives exactly its findings.
#include "core/jpeg.h"
#include "core/medium_check.h"
#include "core/names.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
// jpeglib.h needs <cstdio> first.
#include <jpeglib.h>

namespace {

// Entries in the order they were added; parents are made as plain folders when missing.
class FakeMedium : public MediumFolder {
 public:
  void File(const std::string& path, const std::string& bytes, uint32_t attributes = 32) {
    Remove(path);
    MakeParents(path);
    nodes_.push_back({path, attributes, bytes});
  }
  void Folder(const std::string& path, uint32_t attributes = kFolderBit) {
    Remove(path);
    MakeParents(path);
    nodes_.push_back({path, attributes, ""});
  }
  void Remove(const std::string& path) {
    for (size_t i = 0; i < nodes_.size(); ++i)
      if (SameFileName(nodes_[i].path, path)) nodes_.erase(nodes_.begin() + i--);
  }

  std::optional<std::vector<ListedEntry>> List(const std::string& folder) const override {
    if (!folder.empty() && !Find(folder, true)) return std::nullopt;
    std::vector<ListedEntry> entries;
    for (const Node& node : nodes_)
      if (SameFileName(Parent(node.path), folder)) {
        std::string name = node.path.substr(node.path.rfind('\\') + 1);
        entries.push_back({name, node.attributes, node.bytes.size()});
      }
    return entries;
  }
  std::optional<std::string> Read(const std::string& file) const override {
    const Node* node = Find(file, false);
    if (!node) return std::nullopt;
    return node->bytes;
  }
  bool SeesHiddenAndSystem() const override { return true; }

 private:
  struct Node {
    std::string path;
    uint32_t attributes;
    std::string bytes;
  };
  static std::string Parent(const std::string& path) {
    size_t slash = path.rfind('\\');
    return slash == std::string::npos ? "" : path.substr(0, slash);
  }
  const Node* Find(const std::string& path, bool folder) const {
    for (const Node& node : nodes_)
      if (SameFileName(node.path, path) && bool(node.attributes & kFolderBit) == folder)
        return &node;
    return nullptr;
  }
  void MakeParents(const std::string& path) {
    std::string parent = Parent(path);
    if (!parent.empty() && !Find(parent, true)) Folder(parent);
  }
  std::vector<Node> nodes_;
};

// REG.CFG with CR LF after each of its lines.
std::string Settings(const std::vector<std::string>& lines) {
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  return bytes;
}

std::vector<std::string> HealthyLines() {
  return {"دفتر حساب", "نسخه 1.0",   "Payload", "Daftar", "Daftar",
          "دفتر حساب", "شركت نمونه", "",        "",       ""};
}

void WriteHealthy(FakeMedium& medium) {
  medium.File("REG.CFG", Settings(HealthyLines()));
  medium.File("Payload\\Daftar.dat", "MZ program");
  medium.File("Payload\\uninstall.dat", "MZ uninstaller");
  medium.File("Payload\\data\\گزارش.txt", "1405");
  medium.File("Payload\\data\\empty.log", "");
  medium.File("System\\Lib.dll", "MZ library");
  medium.File("System\\SYSTEM.TXT", "Lib.dll\r\n");
  medium.File("Fonts\\a.ttf", "font a");
  medium.File("Fonts\\b.ttf", "font b");
  medium.File("Fonts\\FONT.TXT", "a.ttf\r\nA (TrueType)\r\nb.ttf\r\nB (TrueType)\r\n");
}

void SetLine(FakeMedium& medium, size_t line, const std::string& value) {
  std::vector<std::string> lines = HealthyLines();
  lines[line - 1] = value;
  medium.File("REG.CFG", Settings(lines));
}

std::vector<std::string> Lines(const FakeMedium& medium, bool notes) {
  std::vector<std::string> lines;
  for (const MediumFinding& finding : CheckMedium(medium))
    if (notes == (finding.kind == MediumFinding::kNote)) lines.push_back(FindingLine(finding));
  return lines;
}

// A small grey JPEG made with libjpeg.
std::string MakeJpeg(int width, int height) {
  jpeg_compress_struct encoder;
  jpeg_error_mgr errors;
  encoder.err = jpeg_std_error(&errors);
  jpeg_create_compress(&encoder);
  unsigned char* data = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&encoder, &data, &size);
  encoder.image_width = width;
  encoder.image_height = height;
  encoder.input_components = 1;
  encoder.in_color_space = JCS_GRAYSCALE;
  jpeg_set_defaults(&encoder);
  jpeg_start_compress(&encoder, TRUE);
  std::vector<unsigned char> row(width, 128);
  while (encoder.next_scanline < encoder.image_height) {
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&encoder, rows, 1);
  }
  jpeg_finish_compress(&encoder);
  std::string bytes(reinterpret_cast<char*>(data), size);
  jpeg_destroy_compress(&encoder);
  free(data);
  return bytes;
}

}  // namespace

TEST(MediumCheck, HealthyMediumHasNoErrorOrWarning) {
  FakeMedium medium;
  WriteHealthy(medium);
  EXPECT_EQ(Lines(medium, false), std::vector<std::string>{});
  EXPECT_EQ(Lines(medium, true),
            (std::vector<std::string>{
                "note: the payload holds 4 files in 1 folders, 28 bytes in all; the installer "
                "wants that much free space on the target drive.",
                "note: the installer pairs the font files with FONT.TXT in the order it lists "
                "them, not by name:",
                "note:   a.ttf -> registry value \"A (TrueType)\" = \"a.ttf\"",
                "note:   b.ttf -> registry value \"B (TrueType)\" = \"b.ttf\"",
                "note: LocaleMode is empty: before copying, the installer sets the code pages, "
                "the default language (Arabic, Saudi Arabia), the Farsi keyboard and the user's "
                "regional settings to Persian, and at the end it asks to restart Windows."}));
}

TEST(MediumCheck, EachBrokenMediumGivesItsFindings) {
  const std::string long246(246, 'x');
  struct Case {
    const char* fault;
    std::function<void(FakeMedium&)> breakIt;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {"no REG.CFG",
       [](FakeMedium& m) { m.Remove("REG.CFG"); },
       {"error: REG.CFG is missing from the medium's folder; the installer would only say that "
        "its settings file was not found, and end."}},
      {"eight lines",
       [](FakeMedium& m) {
         std::vector<std::string> lines = HealthyLines();
         lines.resize(8);
         m.File("REG.CFG", Settings(lines));
       },
       {"warning: REG.CFG has 8 lines instead of ten; the installer reads MenuGroup and "
        "LocaleMode as empty."}},
      {"an eleventh line with text",
       [](FakeMedium& m) {
         std::vector<std::string> lines = HealthyLines();
         lines.push_back("Tools");
         m.File("REG.CFG", Settings(lines));
       },
       {"warning: REG.CFG has 11 lines; the installer reads the first ten and ignores the "
        "rest."}},
      {"byte order mark",
       [](FakeMedium& m) { m.File("REG.CFG", "\xEF\xBB\xBF" + Settings(HealthyLines())); },
       {"error: REG.CFG begins with a UTF-8 byte order mark, which the installer reads as part "
        "of its first line; save the file as code page 1256 text without one."}},
      {"UTF-8 title",
       [](FakeMedium& m) { SetLine(m, 1, "\xD8\xAF\xD9\x81\xD8\xAA\xD8\xB1"); },
       {"error: REG.CFG line 1 (Title1) is UTF-8 text; save the file in code page 1256."}},
      {"tab in a title",
       [](FakeMedium& m) { SetLine(m, 2, "1.0\tbeta"); },
       {"error: REG.CFG line 2 (Title2) holds the control byte 0x09, which is not code page "
        "1256 text."}},
      {"empty SourceFolder",
       [](FakeMedium& m) { SetLine(m, 3, ""); },
       {"error: REG.CFG line 3 (SourceFolder) is empty; the installer needs the name of the "
        "payload folder."}},
      {"SourceFolder of two names",
       [](FakeMedium& m) { SetLine(m, 3, "Product\\Payload"); },
       {"error: SourceFolder \"Product\\Payload\" is neither a single folder name nor an "
        "absolute path; the installer takes System, Fonts and every file to copy from the "
        "payload folder's parent, which then is not the medium's folder."}},
      {"SourceFolder not on the medium",
       [](FakeMedium& m) { SetLine(m, 3, "Paylod"); },
       {"error: the payload folder \"Paylod\" (SourceFolder) is not on the medium."}},
      {"absolute SourceFolder elsewhere",
       [](FakeMedium& m) { SetLine(m, 3, "D:\\Payload"); },
       {"warning: SourceFolder \"D:\\Payload\" cannot be found on this machine; the payload, "
        "System and Fonts are not checked."}},
      {"empty ProgramName",
       [](FakeMedium& m) { SetLine(m, 5, ""); },
       {"error: REG.CFG line 5 (ProgramName) is empty; the uninstall entry would have no name "
        "of its own and the uninstaller could not find the product."}},
      {"ProgramName with a backslash",
       [](FakeMedium& m) {
         SetLine(m, 5, "Tools\\Daftar");
         m.File("Payload\\Tools\\Daftar.dat", "MZ");
       },
       {"error: ProgramName \"Tools\\Daftar\" is not a plain file name (it holds \\, /, :, *, ?, "
        "\", <, >, | or a control byte, or is . or ..); the installer refuses it at start and "
        "installs nothing."}},
      {"ProgramName a lone backslash",
       [](FakeMedium& m) { SetLine(m, 5, "\\"); },
       {"error: ProgramName \"\\\" is not a plain file name (it holds \\, /, :, *, ?, \", <, >, | "
        "or a control byte, or is . or ..); the installer refuses it at start and installs "
        "nothing.",
        "error: the payload has no \"\\.dat\" at its top level; the product's program would not "
        "be installed and its shortcuts would lead nowhere."}},
      {"ShortcutName climbing out of its folder",
       [](FakeMedium& m) { SetLine(m, 6, "../../Startup/x"); },
       {"error: ShortcutName \"../../Startup/x\" has a \"..\" part; the installer refuses it at "
        "start and installs nothing."}},
      {"SourceFolder starting with a NUL byte",
       [](FakeMedium& m) { SetLine(m, 3, std::string("\0Payload", 8)); },
       {"error: REG.CFG line 3 (SourceFolder) holds the control byte 0x00, which is not code "
        "page 1256 text."}},
      {"linked folder in the payload",
       [](FakeMedium& m) { m.Folder("Payload\\Loop", kFolderBit | kReparsePointBit); },
       {"warning: the installer passes over the linked folder \"Payload\\Loop\" and everything "
        "in it."}},
      {"picture not on the medium",
       [](FakeMedium& m) { SetLine(m, 8, "back.jpg"); },
       {"warning: BackgroundPicture \"back.jpg\" is not on the medium; the installer shows its "
        "built-in picture."}},
      {"picture of another type",
       [](FakeMedium& m) {
         SetLine(m, 8, "back.gif");
         m.File("back.gif", "GIF89a");
       },
       {"error: BackgroundPicture \"back.gif\" is not a jpg, jpeg, bmp, ico, wmf or emf file; "
        "the installer would fail at start with an error and propose no install folder."}},
      {"picture that is no JPEG",
       [](FakeMedium& m) {
         SetLine(m, 8, "Back.JPG");
         m.File("back.jpg", "not a picture");
       },
       {"error: BackgroundPicture \"Back.JPG\" cannot be decoded (Not a JPEG file: starts with "
        "0x6e 0x6f); the installer would fail at start with an error and propose no install "
        "folder."}},
      {"picture cut off",
       [](FakeMedium& m) {
         SetLine(m, 8, "back.jpeg");
         std::string jpeg = MakeJpeg(790, 536);
         m.File("back.jpeg", jpeg.substr(0, jpeg.size() / 2));
       },
       {"warning: BackgroundPicture \"back.jpeg\" decodes with a fault (Premature end of JPEG "
        "file); parts of it would show grey."}},
      {"no program file",
       [](FakeMedium& m) { m.Remove("Payload\\Daftar.dat"); },
       {"error: the payload has no \"Daftar.dat\" at its top level; the product's program "
        "would not be installed and its shortcuts would lead nowhere."}},
      {"no uninstaller",
       [](FakeMedium& m) { m.Remove("Payload\\uninstall.dat"); },
       {"error: the payload has no \"uninstall.dat\" at its top level; the product could not "
        "be removed through the list of installed programs."}},
      {"hidden file",
       [](FakeMedium& m) { m.File("Payload\\data\\desktop.ini", "x", 2 | 32); },
       {"warning: the installer passes over the hidden file \"Payload\\data\\desktop.ini\"."}},
      {"system folder",
       [](FakeMedium& m) {
         m.Folder("Payload\\cache", kFolderBit | 4);
         m.File("Payload\\cache\\a.bin", "x");
       },
       {"warning: the installer passes over the system folder \"Payload\\cache\" and "
        "everything in it."}},
      {"hidden system program file",
       [](FakeMedium& m) { m.File("Payload\\Daftar.dat", "MZ", 2 | 4 | 32); },
       {"warning: the installer passes over the hidden system file \"Payload\\Daftar.dat\".",
        "error: the payload has no \"Daftar.dat\" at its top level; the product's program "
        "would not be installed and its shortcuts would lead nowhere."}},
      {"path of 259 characters",
       [&](FakeMedium& m) { m.File("Payload\\" + long246.substr(1) + ".txt", "x"); },
       {}},
      {"path of 260 characters",
       [&](FakeMedium& m) { m.File("Payload\\" + long246 + ".txt", "x"); },
       {"error: \"Payload\\" + long246 +
        ".txt\" would be 260 characters long under the default install folder C:\\Daftar "
        "(Windows taken on drive C:), more than 259; the installer could not create it there."}},
      {"folder too long, reported once",
       [&](FakeMedium& m) { m.File("Payload\\" + long246 + "1234\\a.txt", "x"); },
       {"error: \"Payload\\" + long246 +
        "1234\" would be 260 characters long under the default install folder C:\\Daftar "
        "(Windows taken on drive C:), more than 259; the installer could not create it there."}},
      {"subfolder in System",
       [](FakeMedium& m) { m.File("System\\x86\\Lib.dll", "MZ"); },
       {"warning: the System folder holds the folder \"x86\"; the installer ignores it and "
        "everything in it."}},
      {"empty file in System",
       [](FakeMedium& m) { m.File("System\\Empty.dll", ""); },
       {"warning: the System folder's file \"Empty.dll\" is empty; the installer ignores empty "
        "files there."}},
      {"SYSTEM.TXT names a missing library",
       [](FakeMedium& m) { m.File("System\\SYSTEM.TXT", "Lib.dll\r\nOther.ocx\r\n"); },
       {"warning: SYSTEM.TXT line 2 names \"Other.ocx\", which is not in the System folder; it "
        "is registered only if the Windows system folder already holds it."}},
      {"system.txt in lower case",
       [](FakeMedium& m) {
         m.Remove("System\\SYSTEM.TXT");
         m.File("System\\system.txt", "Lib.dll\r\n");
       },
       {"warning: \"system.txt\" in the System folder is not spelled \"SYSTEM.TXT\"; the "
        "installer reads it as the list but also copies it into the Windows system folder."}},
      {"FONT.TXT of 21 pairs",
       [](FakeMedium& m) {
         std::string list;
         for (int i = 0; i < 21; ++i) list += "f.ttf\r\nF\r\n";
         m.File("Fonts\\FONT.TXT", "a.ttf\r\nA\r\nb.ttf\r\nB\r\n" + list.substr(22));
       },
       {"warning: FONT.TXT has 21 pairs of lines; the installer reads the first 20 and ignores "
        "the rest.",
        "warning: FONT.TXT has more pairs (20) than font files (2); the pairs past the last font "
        "are not used."}},
      {"fewer pairs than fonts",
       [](FakeMedium& m) { m.File("Fonts\\FONT.TXT", "a.ttf\r\nA (TrueType)\r\n"); },
       {"warning: FONT.TXT has fewer pairs (1) than font files (2); the fonts without a pair "
        "are registered under their file names."}},
      {"pairs in name order against the listing",
       [](FakeMedium& m) {
         m.File("Fonts\\FONT.TXT", "b.ttf\r\nB (TrueType)\r\na.ttf\r\nA (TrueType)\r\n");
       },
       {"warning: the font file \"a.ttf\" gets pair 1, whose file line is \"b.ttf\"; pairs "
        "follow the listing order, not the names.",
        "warning: the font file \"b.ttf\" gets pair 2, whose file line is \"a.ttf\"; pairs "
        "follow the listing order, not the names."}},
      {"MenuGroup of its own",
       [](FakeMedium& m) { SetLine(m, 9, "Daftar"); },
       {"warning: MenuGroup \"Daftar\" is not the default \"Selvara\"; the uninstaller removes "
        "only the group \"Selvara\", so this group and its shortcut stay after the product is "
        "removed."}},
      {"MenuGroup default in other case", [](FakeMedium& m) { SetLine(m, 9, "selvara"); }, {}},
      {"LocaleMode with a space",
       [](FakeMedium& m) { SetLine(m, 10, "1 "); },
       {"warning: LocaleMode \"1 \" is none of empty, \"0\" or \"1\" (spaces count): the "
        "installer changes no locale setting before copying, writes the Persian settings at the "
        "end on Windows 2000 and later, and asks to restart Windows."}},
  };
  for (const Case& c : cases) {
    FakeMedium medium;
    WriteHealthy(medium);
    c.breakIt(medium);
    EXPECT_EQ(Lines(medium, false), c.expected) << c.fault;
  }
}

TEST(MediumCheck, TellsWhatTheFontsAndTheLocaleModeWillDo) {
  FakeMedium medium;
  WriteHealthy(medium);
  medium.Remove("Fonts\\FONT.TXT");
  medium.File("Fonts\\c.ttf", "font c");
  SetLine(medium, 10, "0");
  std::vector<std::string> notes = Lines(medium, true);
  ASSERT_EQ(notes.size(), 6u);
  EXPECT_EQ(notes[1],
            "note: the Fonts folder has no FONT.TXT; each font is registered under "
            "its file name:");
  EXPECT_EQ(notes[4], "note:   c.ttf -> registry value \"c.ttf\" = \"C:\\WINDOWS\\Fonts\\c.ttf\"");
  EXPECT_EQ(notes[5],
            "note: LocaleMode is \"0\": the installer changes no locale setting before "
            "copying; on Windows 2000 and later it writes the Persian settings "
            "(default language Arabic, Saudi Arabia) at the end. It ends with its "
            "picture of how to set the regional options by hand and offers no "
            "restart.");
}

TEST(MediumCheck, JpegOfAnotherSizeIsShownCentred) {
  FakeMedium medium;
  WriteHealthy(medium);
  SetLine(medium, 8, "back.jpg");
  medium.File("back.jpg", MakeJpeg(800, 540));
  EXPECT_EQ(Lines(medium, false), std::vector<std::string>{});
  EXPECT_EQ(Lines(medium, true)[0],
            "note: BackgroundPicture \"back.jpg\" is 800 x 540 pixels; the main window shows it "
            "centred at that size in 790 x 536 pixels.");
}

// A picture declaring a size far beyond any window is refused before it is decoded: a few
// hundred bytes would otherwise keep the decoder busy for seconds or exhaust its memory.
TEST(MediumCheck, HugeDeclaredJpegIsAnErrorBeforeDecoding) {
  for (int side : {8001, 65000}) {
    std::string jpeg = MakeJpeg(16, 16);
    // The frame header (FFC0): length, precision, then height and width, big-endian.
    size_t frame = jpeg.find("\xFF\xC0");
    ASSERT_NE(frame, std::string::npos);
    jpeg[frame + 5] = jpeg[frame + 7] = char(side >> 8);
    jpeg[frame + 6] = jpeg[frame + 8] = char(side & 0xFF);
    JpegResult result = CheckJpeg(jpeg);
    EXPECT_FALSE(result.decodes) << side;
    EXPECT_EQ(result.width, 0) << side;
  }
  JpegResult fine = CheckJpeg(MakeJpeg(800, 540));
  EXPECT_TRUE(fine.decodes);
}
