// The Persian locale settings as registry rows: code pages, default language, the Arabic
// language group, the Persian locale and the Farsi keyboard layout for the machine, and the
// user's regional settings. Each setting is read, compared exactly and written only when it
// differs; the rows run in table order, one key open at a time.
#pragma once
#include <cstdint>
#include <string>

enum class LocaleRoot { kLocalMachine, kCurrentUser };

// When a row is written (always only when its value reads other than its datum, except for
// the rows that follow the row above).
enum class Written {
  kMode0Or1,      // in mode 0 or 1
  kWithRowAbove,  // not read itself: written whenever the row above is written
  kMode0,         // in mode 0 only
  kMode1,         // in mode 1 only
  kEveryMode,
  kRegional,  // read only: when it differs, the regional values are written, in order
};

struct LocaleRow {
  int row;
  LocaleRoot root;
  const char* key;
  bool createdWhenMissing;
  const char* value;
  const char* datum;
  Written when;
};
extern const LocaleRow kLocaleRows[12];

struct RegionalValue {
  const char* value;
  const char* datum;
};
extern const RegionalValue kRegionalValues[18];

// The registry as the locale rows use it: opening a key closes the one opened before.
class LocaleRegistry {
 public:
  virtual ~LocaleRegistry() = default;
  // False when the key cannot be opened (or created, where asked): its rows are skipped.
  virtual bool Open(LocaleRoot root, const std::string& key, bool create) = 0;
  // A missing value reads as the empty text.
  virtual std::string Read(const std::string& name) = 0;
  virtual void Write(const std::string& name, const std::string& datum) = 0;
};

// Runs the rows for mode 0 (default language Arabic, 0401) or 1 (Persian, 0429). A mode of
// 2 or more matches neither and skips the code page and default language rows.
void ApplyLocaleRows(uint8_t mode, LocaleRegistry& registry);
