#include "core/locale_rows.h"

#include <cstring>
#include <iterator>

namespace {
constexpr LocaleRoot kMachine = LocaleRoot::kLocalMachine;
constexpr LocaleRoot kUser = LocaleRoot::kCurrentUser;
constexpr char kCodePage[] = "SYSTEM\\CurrentControlSet\\Control\\Nls\\CodePage";
constexpr char kLanguage[] = "SYSTEM\\CurrentControlSet\\Control\\Nls\\Language";
constexpr char kLanguageGroups[] = "SYSTEM\\CurrentControlSet\\Control\\Nls\\Language Groups";
constexpr char kLocale[] = "SYSTEM\\CurrentControlSet\\Control\\Nls\\Locale";
constexpr char kFarsiLayout[] = "SYSTEM\\CurrentControlSet\\Control\\keyboard layouts\\00000429";
constexpr char kInternational[] = "Control Panel\\International";
constexpr char kGeo[] = "Control Panel\\International\\Geo";
}  // namespace

// clang-format off
const LocaleRow kLocaleRows[12] = {
//  row root      key              created value          datum         written
  { 1, kMachine, kCodePage,       false, "ACP",         "1256",       Written::kMode0Or1},
  { 2, kMachine, kCodePage,       false, "OEMCP",       "720",        Written::kWithRowAbove},
  { 3, kMachine, kCodePage,       false, "MACCP",       "10004",      Written::kWithRowAbove},
  { 4, kMachine, kLanguage,       false, "Default",     "0401",       Written::kMode0},
  { 5, kMachine, kLanguage,       false, "Default",     "0429",       Written::kMode1},
  { 6, kMachine, kLanguage,       false, "0429",        "l_intl.nls", Written::kEveryMode},
  { 7, kMachine, kLanguageGroups, true,  "d",           "1",          Written::kEveryMode},
  { 8, kMachine, kLocale,         true,  "00000429",    "d",          Written::kEveryMode},
  { 9, kMachine, kFarsiLayout,    true,  "Layout File", "KBDFA.DLL",  Written::kEveryMode},
  {10, kMachine, kFarsiLayout,    true,  "Layout Text", "Farsi",      Written::kEveryMode},
  {11, kUser,    kInternational,  false, "Locale",      "00000429",   Written::kRegional},
  {12, kUser,    kGeo,            false, "Nation",      "116",        Written::kEveryMode},
};

// Written under "Control Panel\International" when "Locale" reads other than "00000429".
// The three Persian data are code page 1256 bytes: DE 2E D9, C8 2E D9 and D1 ED C7 E1.
const RegionalValue kRegionalValues[18] = {
  {"iCalendarType", "2"},
  {"iCountry",      "981"},
  {"iCurrDigits",   "2"},
  {"iCurrency",     "2"},
  {"iDate",         "2"},
  {"iDigits",       "2"},
  {"iNegCurr",      "3"},
  {"iNegNumber",    "3"},
  {"iTLZero",       "1"},
  {"Locale",        "00000429"},
  {"NumShape",      "0"},
  {"s1159",         "ق.ظ"},
  {"s2359",         "ب.ظ"},
  {"sCountry",      "Iran"},
  {"sCurrency",     "ريال"},
  {"sLanguage",     "FAR"},
  {"sLongDate",     "yyyy/MM/dd"},
  {"sShortDate",    "yyyy/MM/dd"},
};
// clang-format on

namespace {
bool ModeMatches(Written when, uint8_t mode) {
  switch (when) {
    case Written::kMode0Or1:
      return mode == 0 || mode == 1;
    case Written::kMode0:
      return mode == 0;
    case Written::kMode1:
      return mode == 1;
    default:
      return true;
  }
}

// Performs one row; true when it wrote, which the rows that follow it look at.
bool ApplyRow(const LocaleRow& row, uint8_t mode, bool aboveWritten, LocaleRegistry& registry) {
  if (row.when == Written::kWithRowAbove) {
    if (aboveWritten) registry.Write(row.value, row.datum);
    return aboveWritten;
  }
  if (!ModeMatches(row.when, mode) || registry.Read(row.value) == row.datum) return false;
  if (row.when == Written::kRegional)
    for (const RegionalValue& regional : kRegionalValues)
      registry.Write(regional.value, regional.datum);
  else
    registry.Write(row.value, row.datum);
  return true;
}

bool SameKey(const LocaleRow& a, const LocaleRow& b) {
  return a.root == b.root && std::strcmp(a.key, b.key) == 0;
}
}  // namespace

void ApplyLocaleRows(uint8_t mode, LocaleRegistry& registry) {
  const LocaleRow* end = std::end(kLocaleRows);
  for (const LocaleRow* first = std::begin(kLocaleRows); first != end;) {
    const LocaleRow* last = first;
    while (last != end && SameKey(*last, *first)) ++last;
    if (registry.Open(first->root, first->key, first->createdWhenMissing)) {
      bool written = false;
      for (const LocaleRow* row = first; row != last; ++row)
        written = ApplyRow(*row, mode, written, registry);
    }
    first = last;
  }
}
