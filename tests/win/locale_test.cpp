// The Persian locale settings against Wine's registry, read back from inside this process
// (Wine rewrites the regional settings when a process starts under another locale). They
// change HKLM and the user's regional settings, so every test runs in its own prefix.
// RegDeleteTreeA (Windows Vista and later) is for the test's own clean-up only.
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0600
#include "setup/system/locale.h"

#include "core/failure.h"
#include "win/registry.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
const char kCodePage[] = "SYSTEM\\CurrentControlSet\\Control\\Nls\\CodePage";
const char kLanguage[] = "SYSTEM\\CurrentControlSet\\Control\\Nls\\Language";
const char kLanguageGroups[] = "SYSTEM\\CurrentControlSet\\Control\\Nls\\Language Groups";
const char kLocale[] = "SYSTEM\\CurrentControlSet\\Control\\Nls\\Locale";
const char kFarsiLayout[] = "SYSTEM\\CurrentControlSet\\Control\\keyboard layouts\\00000429";
const char kInternational[] = "Control Panel\\International";
const char kGeo[] = "Control Panel\\International\\Geo";

struct Setting {
  HKEY root;
  const char* key;
  const char* name;
  std::string datum;
};

std::string Read(HKEY root, const char* key, const char* name) {
  Registry registry(root);
  if (!registry.Open(key)) return "<no key>";
  if (!registry.ValueExists(name)) return "<no value>";
  return registry.ReadString(name);
}

void Set(HKEY root, const char* key, const char* name, const std::string& datum) {
  Registry registry(root);
  ASSERT_TRUE(registry.OpenOrCreate(key));
  registry.WriteString(name, datum);
}

void ExpectSettings(const std::vector<Setting>& settings) {
  for (const Setting& s : settings)
    EXPECT_EQ(Read(s.root, s.key, s.name), s.datum) << s.key << " / " << s.name;
}

// What the machine holds after mode 0, apart from the default language.
std::vector<Setting> MachineSettings() {
  HKEY m = HKEY_LOCAL_MACHINE;
  return {
      {m, kCodePage, "ACP", "1256"},
      {m, kCodePage, "OEMCP", "720"},
      {m, kCodePage, "MACCP", "10004"},
      {m, kLanguage, "0429", "l_intl.nls"},
      {m, kLanguageGroups, "d", "1"},
      {m, kLocale, "00000429", "d"},
      {m, kFarsiLayout, "Layout File", "KBDFA.DLL"},
      {m, kFarsiLayout, "Layout Text", "Farsi"},
  };
}

std::vector<Setting> UserSettings() {
  HKEY u = HKEY_CURRENT_USER;
  return {
      {u, kInternational, "iCalendarType", "2"},
      {u, kInternational, "iCountry", "981"},
      {u, kInternational, "iCurrDigits", "2"},
      {u, kInternational, "iCurrency", "2"},
      {u, kInternational, "iDate", "2"},
      {u, kInternational, "iDigits", "2"},
      {u, kInternational, "iNegCurr", "3"},
      {u, kInternational, "iNegNumber", "3"},
      {u, kInternational, "iTLZero", "1"},
      {u, kInternational, "Locale", "00000429"},
      {u, kInternational, "NumShape", "0"},
      {u, kInternational, "s1159", "\xDE\x2E\xD9"},
      {u, kInternational, "s2359", "\xC8\x2E\xD9"},
      {u, kInternational, "sCountry", "Iran"},
      {u, kInternational, "sCurrency", "\xD1\xED\xC7\xE1"},
      {u, kInternational, "sLanguage", "FAR"},
      {u, kInternational, "sLongDate", "yyyy/MM/dd"},
      {u, kInternational, "sShortDate", "yyyy/MM/dd"},
      {u, kGeo, "Nation", "116"},
  };
}

// The last-write times of every key the settings touch.
std::vector<FILETIME> KeyTimes() {
  std::vector<FILETIME> times;
  const std::pair<HKEY, const char*> keys[] = {{HKEY_LOCAL_MACHINE, kCodePage},
                                               {HKEY_LOCAL_MACHINE, kLanguage},
                                               {HKEY_LOCAL_MACHINE, kLanguageGroups},
                                               {HKEY_LOCAL_MACHINE, kLocale},
                                               {HKEY_LOCAL_MACHINE, kFarsiLayout},
                                               {HKEY_CURRENT_USER, kInternational},
                                               {HKEY_CURRENT_USER, kGeo}};
  for (const auto& [root, name] : keys) {
    HKEY key;
    FILETIME time = {};
    if (RegOpenKeyExA(root, name, 0, KEY_READ, &key) == ERROR_SUCCESS) {
      RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                       nullptr, nullptr, &time);
      RegCloseKey(key);
    }
    times.push_back(time);
  }
  return times;
}

bool SameTimes(const std::vector<FILETIME>& a, const std::vector<FILETIME>& b) {
  for (size_t i = 0; i < a.size(); ++i)
    if (CompareFileTime(&a[i], &b[i]) != 0) return false;
  return a.size() == b.size();
}
}  // namespace

TEST(LocaleInOwnPrefix, ModesFromWineDefaultRegistry) {
  ASSERT_EQ(Read(HKEY_CURRENT_USER, kInternational, "Locale"), "00000409");
  ASSERT_EQ(Read(HKEY_LOCAL_MACHINE, kFarsiLayout, "Layout File"), "<no key>");

  ApplyPersianLocale(0);
  ExpectSettings(MachineSettings());
  ExpectSettings(UserSettings());
  EXPECT_EQ(Read(HKEY_LOCAL_MACHINE, kLanguage, "Default"), "0401");

  ApplyPersianLocale(1);
  ExpectSettings(MachineSettings());
  ExpectSettings(UserSettings());
  EXPECT_EQ(Read(HKEY_LOCAL_MACHINE, kLanguage, "Default"), "0429");
}

TEST(LocaleInOwnPrefix, FromEmptyRegistry) {
  // Wine's regional settings hold a sub-key whose name has no ANSI form, which only the
  // wide functions can delete: RegDeleteTreeA enumerates with them.
  for (const char* key : {kCodePage, kLanguage, kLanguageGroups, kLocale})
    ASSERT_EQ(RegDeleteTreeA(HKEY_LOCAL_MACHINE, key), ERROR_SUCCESS) << key;
  ASSERT_EQ(RegDeleteTreeA(HKEY_CURRENT_USER, kInternational), ERROR_SUCCESS);
  Registry machine(HKEY_LOCAL_MACHINE), user(HKEY_CURRENT_USER);

  // Keys that are only opened stay missing; the others are created with their values.
  ApplyPersianLocale(0);
  const std::pair<HKEY, const char*> openedOnly[] = {{HKEY_LOCAL_MACHINE, kCodePage},
                                                     {HKEY_LOCAL_MACHINE, kLanguage},
                                                     {HKEY_CURRENT_USER, kInternational},
                                                     {HKEY_CURRENT_USER, kGeo}};
  for (const auto& [root, key] : openedOnly) EXPECT_EQ(Read(root, key, "x"), "<no key>") << key;
  ExpectSettings({{HKEY_LOCAL_MACHINE, kLanguageGroups, "d", "1"},
                  {HKEY_LOCAL_MACHINE, kLocale, "00000429", "d"},
                  {HKEY_LOCAL_MACHINE, kFarsiLayout, "Layout File", "KBDFA.DLL"},
                  {HKEY_LOCAL_MACHINE, kFarsiLayout, "Layout Text", "Farsi"}});

  // Present but empty keys receive every value.
  for (const char* key : {kCodePage, kLanguage}) ASSERT_TRUE(machine.OpenOrCreate(key));
  for (const char* key : {kInternational, kGeo}) ASSERT_TRUE(user.OpenOrCreate(key));
  machine.Close();
  user.Close();
  ApplyPersianLocale(1);
  ExpectSettings(MachineSettings());
  ExpectSettings(UserSettings());
  EXPECT_EQ(Read(HKEY_LOCAL_MACHINE, kLanguage, "Default"), "0429");
}

TEST(LocaleInOwnPrefix, SecondRunWritesNothing) {
  ApplyPersianLocale(0);
  // Values that are written but not compared, changed by hand.
  Set(HKEY_LOCAL_MACHINE, kCodePage, "OEMCP", "437");
  Set(HKEY_CURRENT_USER, kInternational, "sCountry", "Elsewhere");
  const std::vector<FILETIME> before = KeyTimes();
  Sleep(50);

  ApplyPersianLocale(0);

  EXPECT_EQ(Read(HKEY_LOCAL_MACHINE, kCodePage, "OEMCP"), "437");
  EXPECT_EQ(Read(HKEY_CURRENT_USER, kInternational, "sCountry"), "Elsewhere");
  // Wine keeps a key's time when a write stores the same data, so this sees only writes
  // that change a value.
  EXPECT_TRUE(SameTimes(KeyTimes(), before)) << "a key was written";
}

TEST(LocaleInOwnPrefix, PersianUserLocaleLeavesTheRegionalValues) {
  Set(HKEY_CURRENT_USER, kInternational, "Locale", "00000429");
  Set(HKEY_CURRENT_USER, kInternational, "iDate", "0");
  Set(HKEY_CURRENT_USER, kInternational, "sCurrency", "$");
  // A value differing only in letter case is rewritten.
  Set(HKEY_LOCAL_MACHINE, kFarsiLayout, "Layout File", "kbdfa.dll");

  ApplyPersianLocale(0);

  EXPECT_EQ(Read(HKEY_CURRENT_USER, kInternational, "iDate"), "0");
  EXPECT_EQ(Read(HKEY_CURRENT_USER, kInternational, "sCurrency"), "$");
  EXPECT_EQ(Read(HKEY_CURRENT_USER, kInternational, "sCountry"), "United States");
  EXPECT_EQ(Read(HKEY_CURRENT_USER, kGeo, "Nation"), "116");
  EXPECT_EQ(Read(HKEY_LOCAL_MACHINE, kFarsiLayout, "Layout File"), "KBDFA.DLL");
}

TEST(LocaleInOwnPrefix, ValueOfWrongTypeRaisesAndStopsThere) {
  HKEY key;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kLanguage, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
  DWORD number = 1;
  RegSetValueExA(key, "Default", 0, REG_DWORD, reinterpret_cast<BYTE*>(&number), sizeof number);
  RegCloseKey(key);
  try {
    ApplyPersianLocale(0);
    ADD_FAILURE() << "no failure raised";
  } catch (const Failure& failure) {
    EXPECT_STREQ(failure.what(), "Invalid data type for 'Default'");
  }
  // The code page rows before it were written; the rows after it were not.
  EXPECT_EQ(Read(HKEY_LOCAL_MACHINE, kCodePage, "ACP"), "1256");
  EXPECT_EQ(Read(HKEY_LOCAL_MACHINE, kFarsiLayout, "Layout File"), "<no key>");
  EXPECT_EQ(Read(HKEY_CURRENT_USER, kInternational, "Locale"), "00000409");
}
