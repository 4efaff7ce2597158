#include "win/registry.h"

#include "core/failure.h"
#include "core/names.h"
#include "core/fill.h"
#include "core/texts.h"

#include <vector>

bool Registry::Open(const std::string& key, bool create) {
  Close();
  LONG result;
  if (create)
    result = RegCreateKeyExA(root_, key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                             KEY_ALL_ACCESS, nullptr, &key_, nullptr);
  else
    result = RegOpenKeyExA(root_, key.c_str(), 0, KEY_ALL_ACCESS, &key_);
  if (result != ERROR_SUCCESS) key_ = nullptr;
  return key_ != nullptr;
}

void Registry::Close() {
  if (key_) RegCloseKey(key_);
  key_ = nullptr;
}

bool Registry::ValueExists(const std::string& name) const {
  return key_ && RegQueryValueExA(key_, name.c_str(), nullptr, nullptr, nullptr, nullptr) ==
                     ERROR_SUCCESS;
}

std::string Registry::ReadString(const std::string& name) const {
  if (!key_) return {};
  DWORD type = 0, size = 0;
  if (RegQueryValueExA(key_, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
    return {};
  if (type != REG_SZ && type != REG_EXPAND_SZ)
    throw Failure(FillText(texts::kInvalidDataType, {name}));
  std::vector<char> data(size + 1, '\0');
  if (RegQueryValueExA(key_, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                       &size) != ERROR_SUCCESS)
    return {};
  std::string value(data.data(), size);
  // The stored size counts the terminating zero when there is one.
  if (!value.empty() && value.back() == '\0') value.pop_back();
  return value;
}

void Registry::WriteString(const std::string& name, const std::string& value) const {
  if (!key_ || RegSetValueExA(key_, name.c_str(), 0, REG_SZ,
                              reinterpret_cast<const BYTE*>(value.c_str()),
                              (DWORD)value.size() + 1) != ERROR_SUCCESS)
    throw Failure(FillText(texts::kFailedToSetData, {name}));
}

// Removes the sub-keys first: RegDeleteKeyA deletes only keys without sub-keys.
static bool DeleteTree(HKEY parent, const std::string& key) {
  HKEY handle;
  if (RegOpenKeyExA(parent, key.c_str(), 0, KEY_ALL_ACCESS, &handle) != ERROR_SUCCESS)
    return false;
  char name[256];
  for (;;) {
    DWORD length = sizeof name;
    if (RegEnumKeyExA(handle, 0, name, &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
      break;
    if (!DeleteTree(handle, name)) break;
  }
  RegCloseKey(handle);
  return RegDeleteKeyA(parent, key.c_str()) == ERROR_SUCCESS;
}

bool Registry::DeleteKey(const std::string& key) {
  Close();
  if (IsUninstallKeyOrAbove(key)) return false;
  return DeleteTree(root_, key);
}
