#include "core/medium_check.h"

#include "core/fill.h"
#include "core/inventory.h"
#include "core/jpeg.h"
#include "core/lines.h"
#include "core/names.h"
#include "core/picture_format.h"
#include "core/setup_config.h"
#include "core/system_payload.h"
#include "core/medium_check_texts.h"
#include "core/texts.h"
#include "core/windows_version.h"

#include <cstdio>

namespace {

const char* const kFieldNames[10] = {
    "Title1",       "Title2",       "SourceFolder",      "DefaultFolderName", "ProgramName",
    "ShortcutName", "Organization", "BackgroundPicture", "MenuGroup",         "LocaleMode"};
// The checker reckons with Windows in C:\WINDOWS: the default install folder is on drive C:.
const char kWindowsFolder[] = "C:\\WINDOWS";
// The longest path the installer can create: the platform's limit of 260 with its zero.
const size_t kLongestPath = 259;
const char kByteOrderMark[] = "\xEF\xBB\xBF";

class Report {
 public:
  void Error(std::string text) { findings.push_back({MediumFinding::kError, std::move(text)}); }
  void Warning(std::string text) { findings.push_back({MediumFinding::kWarning, std::move(text)}); }
  void Note(std::string text) { findings.push_back({MediumFinding::kNote, std::move(text)}); }
  std::vector<MediumFinding> findings;
};

std::string Join(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  return folder.back() == '\\' ? folder + name : folder + "\\" + name;
}

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// C:\x, \\server\share and \x (the root of the current drive).
bool IsAbsolutePath(const std::string& path) {
  if (!path.empty() && IsSeparator(path[0])) return true;
  return path.size() >= 3 && path[1] == ':' && IsSeparator(path[2]);
}

// A single folder name relative to the medium's folder: no separator, no drive, not . or ..
bool IsSingleFolderName(const std::string& path) {
  return path.find_first_of("\\/:") == std::string::npos && !IsDotName(path);
}

// The folder above an absolute path, keeping the drive root's backslash (D:\x gives D:\).
std::string ParentFolder(std::string path) {
  while (path.size() > 3 && IsSeparator(path.back())) path.pop_back();
  size_t last = path.find_last_of("\\/");
  if (last == std::string::npos) return "";
  return path.substr(0, last == 2 && path[1] == ':' ? 3 : last);
}

// Whether a text is well-formed UTF-8 with at least one character beyond ASCII: code page
// 1256 text of an author practically never is, UTF-8 saved by an editor always is.
bool IsUtf8Text(const std::string& text) {
  bool beyondAscii = false;
  for (size_t i = 0; i < text.size();) {
    unsigned char lead = text[i];
    size_t more = lead < 0x80                    ? 0
                  : lead >= 0xC2 && lead <= 0xDF ? 1
                  : lead >= 0xE0 && lead <= 0xEF ? 2
                  : lead >= 0xF0 && lead <= 0xF4 ? 3
                                                 : 4;  // not a lead byte
    if (more == 4 || i + more >= text.size()) return false;
    for (size_t k = 1; k <= more; ++k)
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    beyondAscii = beyondAscii || more > 0;
    i += more + 1;
  }
  return beyondAscii;
}

// One line where code page 1256 text is expected: every byte of that code page is a
// character, but the control bytes are not text, and UTF-8 shows as wrong letters.
void CheckText(Report& report, const std::string& place, const std::string& line) {
  for (unsigned char c : line)
    if (c < 0x20 || c == 0x7F) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "0x%02X", c);
      report.Error(FillText(texts::kCheckControlByte, {place, hex}));
      return;
    }
  if (IsUtf8Text(line)) report.Error(FillText(texts::kCheckUtf8Text, {place}));
}

// One line of a text file, checked as text: line `index` (from 0) of `file`, named after its
// field in REG.CFG. A byte order mark is reported once and left out of the first line's check.
void CheckTextLine(Report& report, const std::string& file, const std::string& bytes, size_t index,
                   std::string line, bool fieldNames) {
  if (index == 0 && bytes.compare(0, 3, kByteOrderMark) == 0) {
    report.Error(FillText(texts::kCheckByteOrderMark, {file}));
    line.erase(0, 3);
  }
  std::string place = file + " line " + std::to_string(index + 1);
  if (fieldNames) place += std::string(" (") + kFieldNames[index] + ")";
  CheckText(report, place, line);
}

void CheckLineCount(Report& report, const std::string& bytes) {
  size_t count = 0;
  bool extraText = false;
  ForEachLine(bytes, [&](const std::string& line) {
    extraText = extraText || (count >= 10 && !line.empty());
    ++count;
    return true;
  });
  if (count < 10) {
    std::string missing;
    for (size_t i = count; i < 10; ++i) {
      if (i > count) missing += i == 9 ? " and " : ", ";
      missing += kFieldNames[i];
    }
    report.Warning(FillText(texts::kCheckFewLines, {std::to_string(count), missing}));
  }
  if (extraText) report.Warning(FillText(texts::kCheckExtraLines, {std::to_string(count)}));
}

void CheckPicture(Report& report, const MediumFolder& medium, const std::string& picture) {
  if (picture.empty()) return;
  std::optional<std::string> bytes = medium.Read(picture);
  if (!bytes) return report.Warning(FillText(texts::kCheckPictureMissing, {picture}));
  const PictureFormat format = PictureFormatOf(picture);
  if (format == PictureFormat::kJpeg) {
    JpegResult check = CheckJpeg(*bytes);
    if (!check.decodes)
      return report.Error(FillText(texts::kCheckPictureUndecodable, {picture, check.message}));
    if (!check.message.empty())
      report.Warning(FillText(texts::kCheckPictureDamaged, {picture, check.message}));
    if (check.width != 790 || check.height != 536)
      report.Note(FillText(texts::kCheckPictureSize,
                           {picture, std::to_string(check.width), std::to_string(check.height)}));
  } else if (format != PictureFormat::kUnknown) {
    report.Note(FillText(texts::kCheckPictureNotChecked, {picture}));
  } else {
    report.Error(FillText(texts::kCheckPictureExtension, {picture}));
  }
}

const char* AttributeWords(uint32_t attributes) {
  if (attributes & kReparsePointBit) return texts::kCheckLink;
  if ((attributes & kHiddenBit) && (attributes & kSystemBit)) return texts::kCheckHiddenSystem;
  return (attributes & kHiddenBit) ? texts::kCheckHidden : texts::kCheckSystem;
}

void CheckPayload(Report& report, const MediumFolder& medium, const std::string& payloadFolder,
                  const SetupConfig& config) {
  PayloadInventory inventory;
  WalkPayload(
      "",
      [&](const std::string& prefix, const std::function<void(const ListedEntry&)>& visit) {
        std::string folder = prefix.empty()
                                 ? payloadFolder
                                 : Join(payloadFolder, prefix.substr(0, prefix.size() - 1));
        if (auto entries = medium.List(folder))
          for (const ListedEntry& entry : *entries) visit(entry);
      },
      inventory,
      [&](const std::string& path, const ListedEntry& entry) {
        report.Warning(FillText((entry.attributes & kFolderBit) ? texts::kCheckPassedOverFolder
                                                                : texts::kCheckPassedOverFile,
                                {AttributeWords(entry.attributes), Join(payloadFolder, path)}));
      });

  auto carries = [&](const std::string& name) {
    for (const std::string& path : inventory.FilePaths)
      if (SameFileName(path, name)) return true;
    return false;
  };
  if (!config.ProgramName.empty() && !carries(config.ProgramName + ".dat"))
    report.Error(FillText(texts::kCheckNoProgramFile, {config.ProgramName + ".dat"}));
  if (!carries("uninstall.dat")) report.Error(texts::kCheckNoUninstaller);

  // A path is reported where it first grows too long; what lies below it is longer still.
  const std::string installFolder = DefaultInstallPath(kWindowsFolder, config.DefaultFolderName);
  auto checkLength = [&](const std::string& path) {
    size_t slash = path.rfind('\\');
    std::string parent =
        slash == std::string::npos ? installFolder : installFolder + "\\" + path.substr(0, slash);
    size_t length = installFolder.size() + 1 + path.size();
    if (length > kLongestPath && parent.size() <= kLongestPath)
      report.Error(FillText(texts::kCheckPathTooLong,
                            {Join(payloadFolder, path), std::to_string(length), installFolder}));
  };
  for (const std::string& path : inventory.FolderPaths) checkLength(path);
  for (const std::string& path : inventory.FilePaths) checkLength(path);

  if (!medium.SeesHiddenAndSystem()) report.Note(texts::kCheckAttributesUnseen);
  report.Note(FillText(texts::kCheckPayloadSize, {std::to_string(inventory.FileCount()),
                                                  std::to_string(inventory.FolderCount()),
                                                  std::to_string(inventory.TotalSize)}));
}

// The entries of the System or Fonts folder that the installer installs, in listing order;
// the others are reported.
std::vector<std::string> InstalledEntries(Report& report, const std::vector<ListedEntry>& entries,
                                          const char* folderName, const std::string& listName,
                                          const char* misspeltList) {
  std::vector<std::string> installed;
  for (const ListedEntry& entry : entries) {
    if (!SkipsPayloadEntry(entry.name, uint32_t(entry.size), listName)) {
      if (SameFileName(entry.name, listName)) report.Warning(FillText(misspeltList, {entry.name}));
      installed.push_back(entry.name);
    } else if (entry.attributes & kFolderBit) {
      report.Warning(FillText(texts::kCheckSubfolder, {folderName, entry.name}));
    } else if (entry.name != listName) {
      report.Warning(FillText(texts::kCheckEmptyFile, {folderName, entry.name}));
    }
  }
  return installed;
}

void CheckSystemFolder(Report& report, const MediumFolder& medium, const std::string& folder) {
  std::optional<std::vector<ListedEntry>> entries = medium.List(folder);
  if (!entries) return;
  InstalledEntries(report, *entries, "System", "SYSTEM.TXT", texts::kCheckSystemListSpelling);
  std::optional<std::string> bytes = medium.Read(Join(folder, "SYSTEM.TXT"));
  if (!bytes) return report.Note(texts::kCheckNoSystemList);
  size_t index = 0;
  ForEachListFileLine(*bytes, [&](const std::string& line) {
    CheckTextLine(report, "SYSTEM.TXT", *bytes, index++, line, false);
    if (line.empty()) return true;
    bool present = false;
    for (const ListedEntry& entry : *entries)
      present = present || (!(entry.attributes & kFolderBit) && SameFileName(entry.name, line));
    if (!present)
      report.Warning(FillText(texts::kCheckSystemListName, {std::to_string(index), line}));
    return true;
  });
}

void CheckFontsFolder(Report& report, const MediumFolder& medium, const std::string& folder) {
  std::optional<std::vector<ListedEntry>> entries = medium.List(folder);
  if (!entries) return;
  std::vector<std::string> fonts =
      InstalledEntries(report, *entries, "Fonts", "FONT.TXT", texts::kCheckFontListSpelling);
  std::optional<std::vector<FontPair>> pairs;
  if (std::optional<std::string> bytes = medium.Read(Join(folder, "FONT.TXT"))) {
    pairs = ParseFontList(*bytes);
    size_t lineCount = 0;
    ForEachListFileLine(*bytes, [&](const std::string& line) {
      CheckTextLine(report, "FONT.TXT", *bytes, lineCount++, line, false);
      return true;
    });
    size_t pairCount = (lineCount + 1) / 2;
    if (pairCount > kFontListSlots)
      report.Warning(FillText(texts::kCheckTooManyPairs, {std::to_string(pairCount)}));
    const std::string counts[] = {std::to_string(pairs->size()), std::to_string(fonts.size())};
    if (pairs->size() < fonts.size())
      report.Warning(FillText(texts::kCheckFewerPairs, {counts[0], counts[1]}));
    if (pairs->size() > fonts.size())
      report.Warning(FillText(texts::kCheckMorePairs, {counts[0], counts[1]}));
  }
  if (fonts.empty()) return;
  report.Note(pairs ? texts::kCheckPairingTable : texts::kCheckNoFontList);
  const std::string fontsFolder = FontsFolderOf(kWindowsFolder);
  for (size_t position = 1; position <= fonts.size(); ++position) {
    const std::string& name = fonts[position - 1];
    FontValue value = FontValueFor(pairs, position, name, fontsFolder);
    report.Note(FillText(texts::kCheckPairingRow, {name, value.name, value.data}));
  }
  for (size_t position = 1; pairs && position <= fonts.size() && position <= pairs->size();
       ++position) {
    const std::string& fileLine = (*pairs)[position - 1].fileLine;
    if (!SameFileName(fileLine, fonts[position - 1]))
      report.Warning(FillText(texts::kCheckPairMismatch,
                              {fonts[position - 1], std::to_string(position), fileLine}));
  }
}

void CheckLocaleMode(Report& report, const std::string& mode) {
  if (mode.empty()) return report.Note(texts::kCheckLocaleEmpty);
  if (mode == "1") return report.Note(texts::kCheckLocaleOne);
  if (mode == "0") return report.Note(texts::kCheckLocaleZero);
  report.Warning(FillText(texts::kCheckLocaleOther, {mode}));
}

}  // namespace

std::vector<MediumFinding> CheckMedium(const MediumFolder& medium) {
  Report report;
  std::optional<std::string> settings = medium.Read("REG.CFG");
  if (!settings) {
    report.Error(texts::kCheckNoSettings);
    return report.findings;
  }
  const SetupConfig config = ParseSetupConfig(*settings);
  CheckLineCount(report, *settings);
  const std::string* fields[10] = {
      &config.Title1,      &config.Title2,       &config.SourceFolder, &config.DefaultFolderName,
      &config.ProgramName, &config.ShortcutName, &config.Organization, &config.BackgroundPicture,
      &config.MenuGroup,   &config.LocaleMode};
  for (size_t i = 0; i < 10; ++i) CheckTextLine(report, "REG.CFG", *settings, i, *fields[i], true);

  if (config.ProgramName.empty())
    report.Error(texts::kCheckNoProgramName);
  else if (!IsValidProgramName(config.ProgramName))
    report.Error(FillText(texts::kCheckProgramNameInvalid, {config.ProgramName}));
  if (!IsValidShortcutName(config.ShortcutName))
    report.Error(FillText(texts::kCheckShortcutNameInvalid, {config.ShortcutName}));
  CheckPicture(report, medium, config.BackgroundPicture);

  // Where the installer looks: the payload in SourceFolder, System and Fonts beside it.
  const std::string& source = config.SourceFolder;
  std::string parent;
  bool located = true;
  if (source.empty()) {
    report.Error(texts::kCheckNoSourceFolder);
    located = false;
  } else if (source.find('\0') != std::string::npos) {
    // Reported as a control byte above; the installer finds no folder of that name.
    located = false;
  } else if (IsAbsolutePath(source)) {
    report.Note(FillText(texts::kCheckSourceFolderAbsolute, {source}));
    parent = ParentFolder(source);
  } else if (!IsSingleFolderName(source)) {
    report.Error(FillText(texts::kCheckSourceFolderNotOneName, {source}));
    located = false;
  }
  if (located && !medium.List(source)) {
    // An absolute folder may well exist on the customer's machine and not on this one.
    if (IsAbsolutePath(source))
      report.Warning(FillText(texts::kCheckSourceFolderUnreachable, {source}));
    else
      report.Error(FillText(texts::kCheckSourceFolderMissing, {source}));
    located = false;
  }
  if (located) {
    CheckPayload(report, medium, source, config);
    CheckSystemFolder(report, medium, Join(parent, "System"));
    CheckFontsFolder(report, medium, Join(parent, "Fonts"));
  }

  if (!config.MenuGroup.empty() && !SameFileName(config.MenuGroup, texts::kDefaultMenuGroup))
    report.Warning(FillText(texts::kCheckMenuGroup, {config.MenuGroup}));
  CheckLocaleMode(report, config.LocaleMode);
  return report.findings;
}

std::string FindingLine(const MediumFinding& finding) {
  static const char* const kinds[] = {"error: ", "warning: ", "note: "};
  return kinds[finding.kind] + finding.text;
}
