#include "setup/system/locale.h"

#include "core/locale_rows.h"
#include "win/registry.h"

namespace {
// The rows' registry: the machine's and the user's root, one key open at a time.
class WindowsLocaleRegistry : public LocaleRegistry {
 public:
  bool Open(LocaleRoot root, const std::string& key, bool create) override {
    machine_.Close();
    user_.Close();
    open_ = root == LocaleRoot::kLocalMachine ? &machine_ : &user_;
    return create ? open_->OpenOrCreate(key) : open_->Open(key);
  }
  std::string Read(const std::string& name) override { return open_->ReadString(name); }
  void Write(const std::string& name, const std::string& datum) override {
    open_->WriteString(name, datum);
  }

 private:
  Registry machine_{HKEY_LOCAL_MACHINE};
  Registry user_{HKEY_CURRENT_USER};
  Registry* open_ = &machine_;
};
}  // namespace

void ApplyPersianLocale(uint8_t mode) {
  WindowsLocaleRegistry registry;
  ApplyLocaleRows(mode, registry);
}
