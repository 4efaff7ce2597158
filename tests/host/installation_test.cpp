// The installation's order and decisions, run over recorded stand-ins of its operations.
#include "core/installation.h"
#include "core/failure.h"
#include "core/installation_rules.h"
#include "core/texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return std::tolower(c); });
  return text;
}

// Records every call as one line; files are a case-insensitive set of paths.
class RecordedSteps : public InstallationSteps {
 public:
  std::vector<std::string> log;
  PayloadInventory payload;
  PayloadInventory scanned;
  std::set<std::string> files;  // lower case
  std::optional<uint64_t> freeBytes = 1ull << 40;
  bool secondLocaleStep = true;
  bool answerYes = true;
  std::string failingSource;  // CopyFileContents raises for this source

  void ApplyPersianLocale(int mode) override { Add("locale " + std::to_string(mode)); }
  void ChangeFolder(const std::string& folder) override { Add("cd " + folder); }
  const PayloadInventory& ScanPayload() override {
    Add("scan");
    scanned = payload;
    return scanned;
  }
  std::optional<uint64_t> FreeBytes(const std::string& root) override {
    Add("free " + root);
    return freeBytes;
  }
  void CreateTargetFolders(const std::string& folder, const PayloadInventory& inventory) override {
    Add("folders " + folder + " " + std::to_string(inventory.FolderCount()));
  }
  void ShowProgress(uint64_t maximum) override { Add("progress " + std::to_string(maximum)); }
  void SetProgress(uint64_t value) override { Add("gauge " + std::to_string(value)); }
  void StopProgress() override { Add("stop"); }
  void InstallSystemFiles() override { Add("system"); }
  void InstallFonts() override { Add("fonts"); }
  bool FileExists(const std::string& path) override { return files.count(Lower(path)) > 0; }
  void CopyFileContents(const std::string& source, const std::string& target) override {
    if (source == failingSource) throw Failure("Cannot create file");
    Add("copy " + source + " > " + target);
    files.insert(Lower(target));
  }
  void PumpMessages() override { Add("pump"); }
  void RenamePayloadPrograms(const std::string& folder, const std::string& programName) override {
    Add("renames " + folder + "|" + programName);
  }
  void WriteProductRecord(const std::string& folder, const ProductRecord& r) override {
    Add("record " + folder + "|" + r.Title1 + "|" + r.Title2 + "|" + r.DefaultFolderName + "|" +
        r.ProgramName + "|" + r.ShortcutName + "|" + r.Organization);
  }
  void CreateShortcutsAndUninstallEntry(const std::string& folder, const std::string& programName,
                                        const std::string& shortcutName,
                                        const std::string& menuGroup) override {
    Add("shortcuts " + folder + "|" + programName + "|" + shortcutName + "|" + menuGroup);
  }
  bool RunsSecondLocaleStep() override { return secondLocaleStep; }
  void ShowSuccessPicture() override { Add("picture"); }
  void ShowInformation(const std::string& text) override {
    Add(text == texts::kNotEnoughSpace          ? "info no space"
        : text == texts::kInstalledSuccessfully ? "info success"
                                                : "info ?");
  }
  bool Confirm(const std::string& text) override {
    Add(text == RestartQuestionText() ? "ask restart" : "ask ?");
    return answerYes;
  }
  void RestartWindows() override { Add("restart"); }
  void EndProgram() override { Add("end"); }

  bool Logged(const std::string& line) const {
    return std::find(log.begin(), log.end(), line) != log.end();
  }

 private:
  void Add(const std::string& line) { log.push_back(line); }
};

PayloadInventory Payload(std::vector<std::pair<std::string, uint64_t>> files,
                         std::vector<std::string> folders = {}) {
  PayloadInventory inventory;
  for (const std::string& folder : folders) inventory.AddFolder(folder);
  for (const auto& file : files) inventory.AddFile(file.first, file.second);
  return inventory;
}

InstallationInputs Inputs(const std::string& localeMode) {
  InstallationInputs in;
  in.startFolder = "E:\\";
  in.sourceFolder = "Data";
  in.defaultFolderName = "Accounts";
  in.programName = "Acc";
  in.shortcutName = "Accounting";
  in.menuGroup = "Tools";
  in.organization = "Org";
  in.localeMode = localeMode;
  in.installFolder = "D:\\Programs\\Accounts";
  in.title1 = "T1";
  in.title2 = "T2";
  return in;
}

}  // namespace

TEST(Installation, RunsEveryStepInOrder) {
  RecordedSteps steps;
  steps.payload = Payload(
      {{"readme.txt", 10}, {"Sub\\b.txt", 20}, {"Acc.dat", 30}, {"uninstall.dat", 40}}, {"Sub"});
  steps.files = {Lower("D:\\Programs\\Accounts\\Sub\\b.txt")};  // left from an earlier run
  steps.answerYes = false;
  EXPECT_EQ(RunInstallation(Inputs(""), steps), InstallationOutcome::kEnded);
  const std::vector<std::string> expected = {
      "locale 0",
      "cd E:\\",
      "cd Data",
      "scan",
      "cd ..",
      "free D:\\",
      "folders D:\\Programs\\Accounts 1",
      "progress 100",
      "system",
      "fonts",
      "copy Data\\readme.txt > D:\\Programs\\Accounts\\readme.txt",
      "gauge 10",
      "pump",
      "gauge 30",  // the existing target is skipped and still counted
      "pump",
      "copy Data\\Acc.dat > D:\\Programs\\Accounts\\Acc.dat",
      "gauge 60",
      "pump",
      "copy Data\\uninstall.dat > D:\\Programs\\Accounts\\uninstall.dat",
      "gauge 100",
      "pump",
      "renames D:\\Programs\\Accounts|Acc",
      "record D:\\Programs\\Accounts|T1|T2|Accounts|Acc|Accounting|Org",
      "shortcuts D:\\Programs\\Accounts|Acc|Accounting|Tools",
      "locale 0",
      "stop",
      "ask restart",
      "end",
  };
  EXPECT_EQ(steps.log, expected);
}

TEST(Installation, LocaleModeDecidesTheLocaleStepsAndTheFinalScreen) {
  const struct {
    const char* localeMode;
    bool secondStep;
    bool answerYes;
    std::vector<std::string> head, tail;  // before "cd E:\", after "shortcuts ..."
  } cases[] = {
      {"", true, true, {"locale 0"}, {"locale 0", "stop", "ask restart", "restart", "end"}},
      {"1", true, false, {"locale 1"}, {"locale 0", "stop", "ask restart", "end"}},
      {"1", false, true, {"locale 1"}, {"stop", "ask restart", "restart", "end"}},
      {"0", true, true, {}, {"locale 0", "stop", "picture", "info success", "end"}},
      {"0", false, true, {}, {"stop", "picture", "info success", "end"}},
      {"2", true, true, {}, {"locale 0", "stop", "ask restart", "restart", "end"}},
      {"1 ", false, true, {}, {"stop", "ask restart", "restart", "end"}},
  };
  for (const auto& c : cases) {
    RecordedSteps steps;
    steps.secondLocaleStep = c.secondStep;
    steps.answerYes = c.answerYes;
    RunInstallation(Inputs(c.localeMode), steps);
    const auto start = std::find(steps.log.begin(), steps.log.end(), "cd E:\\");
    const auto shortcuts = std::find(steps.log.begin(), steps.log.end(),
                                     "shortcuts D:\\Programs\\Accounts|Acc|Accounting|Tools");
    ASSERT_NE(shortcuts, steps.log.end());
    EXPECT_EQ(std::vector<std::string>(steps.log.begin(), start), c.head)
        << '"' << c.localeMode << '"';
    EXPECT_EQ(std::vector<std::string>(shortcuts + 1, steps.log.end()), c.tail)
        << '"' << c.localeMode << '"';
  }
}

TEST(Installation, WithoutRoomItShowsTheMessageAndEndsBeforeWritingAnything) {
  for (const std::optional<uint64_t> free :
       {std::optional<uint64_t>(99), std::optional<uint64_t>()}) {
    RecordedSteps steps;
    steps.payload = Payload({{"a.txt", 60}, {"b.txt", 40}});
    steps.freeBytes = free;
    EXPECT_EQ(RunInstallation(Inputs("1"), steps), InstallationOutcome::kEnded);
    const std::vector<std::string> expected = {"locale 1", "cd E:\\",   "cd Data",       "scan",
                                               "cd ..",    "free D:\\", "info no space", "end"};
    EXPECT_EQ(steps.log, expected);
  }
  RecordedSteps exact;
  exact.payload = Payload({{"a.txt", 60}, {"b.txt", 40}});
  exact.freeBytes = 100;
  RunInstallation(Inputs("1"), exact);
  EXPECT_TRUE(exact.Logged("folders D:\\Programs\\Accounts 0"));
  EXPECT_FALSE(exact.Logged("info no space"));
}

TEST(Installation, AnEmptyInstallFolderDoesNothing) {
  RecordedSteps steps;
  InstallationInputs in = Inputs("");
  in.installFolder.clear();
  EXPECT_EQ(RunInstallation(in, steps), InstallationOutcome::kNoTargetPath);
  EXPECT_TRUE(steps.log.empty());
}

TEST(Installation, AFailedCopyStopsTheRunAndASecondRunFinishesIt) {
  RecordedSteps steps;
  steps.payload = Payload({{"a.txt", 10}, {"b.txt", 20}, {"c.txt", 30}, {"Acc.dat", 40}});
  steps.failingSource = "Data\\b.txt";
  EXPECT_THROW(RunInstallation(Inputs("0"), steps), Failure);
  EXPECT_EQ(steps.log.back(), "pump");  // after a.txt
  EXPECT_FALSE(steps.Logged("renames D:\\Programs\\Accounts|Acc"));

  steps.log.clear();
  steps.failingSource.clear();
  EXPECT_EQ(RunInstallation(Inputs("0"), steps), InstallationOutcome::kEnded);
  std::vector<std::string> copies, gauge;
  for (const std::string& line : steps.log) {
    if (line.rfind("copy ", 0) == 0) copies.push_back(line);
    if (line.rfind("gauge ", 0) == 0 || line.rfind("progress ", 0) == 0) gauge.push_back(line);
  }
  const std::vector<std::string> missing = {"copy Data\\b.txt > D:\\Programs\\Accounts\\b.txt",
                                            "copy Data\\c.txt > D:\\Programs\\Accounts\\c.txt",
                                            "copy Data\\Acc.dat > D:\\Programs\\Accounts\\Acc.dat"};
  EXPECT_EQ(copies, missing);
  // The second run's bar counts this run's inventory from 0 to its total.
  const std::vector<std::string> bar = {"progress 100", "gauge 10", "gauge 30", "gauge 60",
                                        "gauge 100"};
  EXPECT_EQ(gauge, bar);
  EXPECT_TRUE(steps.Logged("renames D:\\Programs\\Accounts|Acc"));
}

TEST(Installation, AnEmptyPayloadHasNoCopyLoopAndAZeroRange) {
  RecordedSteps steps;
  RunInstallation(Inputs("2"), steps);
  for (const std::string& line : steps.log) EXPECT_NE(line.rfind("gauge", 0), 0u) << line;
  EXPECT_TRUE(steps.Logged("progress 0"));
}
