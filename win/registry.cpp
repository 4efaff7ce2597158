#include "win/registry.h"

#include "core/failure.h"
#include "core/names.h"
#include "core/fill.h"
#include "core/texts.h"
#include "win/text.h"

#include <vector>

bool Registry::Open(const std::string& key) {
  Close();
  HKEY opened = nullptr;
  if (RegOpenKeyExW(root_, ToWide(key).c_str(), 0, KEY_ALL_ACCESS, &opened) == ERROR_SUCCESS)
    key_.Reset(opened);
  return IsOpen();
}

bool Registry::OpenOrCreate(const std::string& key) {
  Close();
  HKEY opened = nullptr;
  if (RegCreateKeyExW(root_, ToWide(key).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_ALL_ACCESS, nullptr, &opened, nullptr) == ERROR_SUCCESS)
    key_.Reset(opened);
  return IsOpen();
}

void Registry::Close() { key_.Reset(); }

bool Registry::ValueExists(const std::string& name) const {
  return IsOpen() && RegQueryValueExW(key_.get(), ToWide(name).c_str(), nullptr, nullptr, nullptr,
                                      nullptr) == ERROR_SUCCESS;
}

std::string Registry::ReadString(const std::string& name) const {
  if (!IsOpen()) return {};
  const std::wstring valueName = ToWide(name);
  DWORD type = 0, size = 0;
  if (RegQueryValueExW(key_.get(), valueName.c_str(), nullptr, &type, nullptr, &size) !=
      ERROR_SUCCESS)
    return {};
  if (type != REG_SZ && type != REG_EXPAND_SZ)
    throw Failure(FillText(texts::kInvalidDataType, {name}));
  std::vector<wchar_t> data(size / sizeof(wchar_t) + 1, L'\0');
  if (RegQueryValueExW(key_.get(), valueName.c_str(), nullptr, &type,
                       reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS)
    return {};
  std::wstring value(data.data(), size / sizeof(wchar_t));
  // The stored size counts the terminating zero when there is one.
  if (!value.empty() && value.back() == L'\0') value.pop_back();
  return FromWide(value);
}

void Registry::WriteString(const std::string& name, const std::string& value) const {
  const std::wstring data = ToWide(value);
  if (!IsOpen() || RegSetValueExW(key_.get(), ToWide(name).c_str(), 0, REG_SZ,
                                  reinterpret_cast<const BYTE*>(data.c_str()),
                                  DWORD((data.size() + 1) * sizeof(wchar_t))) != ERROR_SUCCESS)
    throw Failure(FillText(texts::kFailedToSetData, {name}));
}

// Removes the sub-keys first: RegDeleteKeyW deletes only keys without sub-keys. Sub-keys are
// named by the wide functions, so a name that code page 1256 cannot spell is removed too.
static bool DeleteTree(HKEY parent, const std::wstring& key) {
  {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(parent, key.c_str(), 0, KEY_ALL_ACCESS, &opened) != ERROR_SUCCESS)
      return false;
    ScopedKey handle(opened);
    wchar_t name[256];
    for (;;) {
      DWORD length = sizeof name / sizeof name[0];
      if (RegEnumKeyExW(handle.get(), 0, name, &length, nullptr, nullptr, nullptr, nullptr) !=
          ERROR_SUCCESS)
        break;
      if (!DeleteTree(handle.get(), std::wstring(name, length))) break;
    }
  }
  return RegDeleteKeyW(parent, key.c_str()) == ERROR_SUCCESS;
}

bool Registry::DeleteKey(const std::string& key) {
  Close();
  if (IsUninstallKeyOrAbove(key)) return false;
  return DeleteTree(root_, ToWide(key));
}
