// The locale rows against a registry kept in memory: which keys are opened or created, what
// each mode writes, exact comparison, and the Persian data as code page 1256 bytes.
#include "core/locale_rows.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <utility>
#include <vector>

namespace {
using Key = std::pair<LocaleRoot, std::string>;

class MemoryRegistry : public LocaleRegistry {
 public:
  std::map<Key, std::map<std::string, std::string>> keys;
  std::vector<std::string> writes;  // "key|name=datum" in order

  bool Open(LocaleRoot root, const std::string& key, bool create) override {
    open_ = {root, key};
    if (!keys.count(open_) && !create) return false;
    keys[open_];
    return true;
  }
  std::string Read(const std::string& name) override {
    auto& values = keys.at(open_);
    auto found = values.find(name);
    return found == values.end() ? "" : found->second;
  }
  void Write(const std::string& name, const std::string& datum) override {
    keys.at(open_)[name] = datum;
    writes.push_back(open_.second + "|" + name + "=" + datum);
  }
  // Every key of the rows, empty.
  void AddAllKeys() {
    for (const LocaleRow& row : kLocaleRows) keys[{row.root, row.key}];
  }

 private:
  Key open_;
};

const char kCodePage[] = "SYSTEM\\CurrentControlSet\\Control\\Nls\\CodePage";
const char kLanguage[] = "SYSTEM\\CurrentControlSet\\Control\\Nls\\Language";
}  // namespace

TEST(LocaleRows, MissingKeysAreCreatedOnlyWhereTheTableSays) {
  MemoryRegistry registry;
  ApplyLocaleRows(0, registry);
  EXPECT_EQ(
      registry.writes,
      (std::vector<std::string>{
          "SYSTEM\\CurrentControlSet\\Control\\Nls\\Language Groups|d=1",
          "SYSTEM\\CurrentControlSet\\Control\\Nls\\Locale|00000429=d",
          "SYSTEM\\CurrentControlSet\\Control\\keyboard layouts\\00000429|Layout File=KBDFA.DLL",
          "SYSTEM\\CurrentControlSet\\Control\\keyboard layouts\\00000429|Layout Text=Farsi",
      }));
  EXPECT_EQ(registry.keys.size(), 3u);  // the two layout rows share their key
}

TEST(LocaleRows, ModeDecidesCodePagesAndDefaultLanguage) {
  struct Case {
    uint8_t mode;
    std::set<std::string> machineLanguageWrites;
  };
  const std::string acp = std::string(kCodePage) + "|ACP=1256";
  const std::string oemcp = std::string(kCodePage) + "|OEMCP=720";
  const std::string maccp = std::string(kCodePage) + "|MACCP=10004";
  const std::string intl = std::string(kLanguage) + "|0429=l_intl.nls";
  const Case cases[] = {
      {0, {acp, oemcp, maccp, std::string(kLanguage) + "|Default=0401", intl}},
      {1, {acp, oemcp, maccp, std::string(kLanguage) + "|Default=0429", intl}},
      {2, {intl}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(int(c.mode));
    MemoryRegistry registry;
    registry.AddAllKeys();
    ApplyLocaleRows(c.mode, registry);
    std::set<std::string> written;
    for (const std::string& w : registry.writes)
      if (w.rfind(std::string(kCodePage) + "|", 0) == 0 ||
          w.rfind(std::string(kLanguage) + "|", 0) == 0)
        written.insert(w);
    EXPECT_EQ(written, c.machineLanguageWrites);
    // Rows 7 to 10, the 18 regional values and "Nation" in every mode.
    EXPECT_EQ(registry.writes.size(), written.size() + 4 + 18 + 1);
  }
}

TEST(LocaleRows, ComparesExactlyAndOnlyTheReadValues) {
  MemoryRegistry registry;
  registry.AddAllKeys();
  ApplyLocaleRows(0, registry);
  auto& machine = registry.keys[{LocaleRoot::kLocalMachine, kCodePage}];
  machine["OEMCP"] = "437";  // not compared: stays while "ACP" is 1256
  registry.keys[{LocaleRoot::kLocalMachine,
                 "SYSTEM\\CurrentControlSet\\Control\\keyboard layouts\\00000429"}]["Layout File"] =
      "kbdfa.dll";
  registry.keys[{LocaleRoot::kCurrentUser, "Control Panel\\International"}]["sCountry"] =
      "Elsewhere";  // not compared: stays while "Locale" is 00000429
  registry.writes.clear();
  ApplyLocaleRows(0, registry);
  EXPECT_EQ(
      registry.writes,
      (std::vector<std::string>{
          "SYSTEM\\CurrentControlSet\\Control\\keyboard layouts\\00000429|Layout File=KBDFA.DLL"}));
  EXPECT_EQ(machine["OEMCP"], "437");
}

TEST(LocaleRows, PersianDataAreCodePage1256Bytes) {
  std::map<std::string, std::string> regional;
  for (const RegionalValue& value : kRegionalValues) regional[value.value] = value.datum;
  EXPECT_EQ(regional["s1159"], "\xDE\x2E\xD9");
  EXPECT_EQ(regional["s2359"], "\xC8\x2E\xD9");
  EXPECT_EQ(regional["sCurrency"], "\xD1\xED\xC7\xE1");
  EXPECT_EQ(std::string(kRegionalValues[9].value), "Locale");
  EXPECT_EQ(std::string(kRegionalValues[9].datum), "00000429");
}
