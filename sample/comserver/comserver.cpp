// The sample medium's system library: a self-registering server whose registration entry
// records that it was registered, so an installation can be checked.
#include <windows.h>

static const char kKey[] = "Software\\Sample Accounts\\Server";

extern "C" __declspec(dllexport) HRESULT __stdcall DllRegisterServer() {
  HKEY key;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                      nullptr) != ERROR_SUCCESS)
    return E_FAIL;
  RegSetValueExA(key, "Registered", 0, REG_SZ, reinterpret_cast<const BYTE*>("yes"), 4);
  RegCloseKey(key);
  return S_OK;
}

extern "C" __declspec(dllexport) HRESULT __stdcall DllUnregisterServer() {
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, kKey);
  return S_OK;
}
