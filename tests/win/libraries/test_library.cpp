// A library for the system files tests. Built twice: as a COM server whose
// DllRegisterServer counts its registrations under HKCU\Software\InstallerTests\Registered
// (value name: the library's own path), and without that entry point.
#include <windows.h>

static HMODULE self;

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) self = instance;
  return TRUE;
}

#ifdef WITH_REGISTER_ENTRY
extern "C" __declspec(dllexport) HRESULT WINAPI DllRegisterServer() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(self, path, MAX_PATH);
  HKEY key;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\InstallerTests\\Registered", 0, nullptr, 0,
                      KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return E_FAIL;
  DWORD count = 0, size = sizeof count;
  RegQueryValueExA(key, path, nullptr, nullptr, reinterpret_cast<BYTE*>(&count), &size);
  ++count;
  RegSetValueExA(key, path, 0, REG_DWORD, reinterpret_cast<BYTE*>(&count), sizeof count);
  RegCloseKey(key);
  return S_OK;
}
#endif
