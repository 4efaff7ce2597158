#include "setup/system/restart.h"

#include "win/scoped.h"
#include "win/windows_info.h"

#include <winsock.h>
#include <windows.h>

#include <string>

namespace {
// The socket library is loaded here, for the one request that needs it, rather than with the
// program: it and what it pulls in would otherwise be loaded at every start.
struct SocketLibrary {
  ScopedLibrary module{LoadLibraryW(L"wsock32.dll")};
  template <typename Function>
  Function Find(const char* name) const {
    return module.held() ? reinterpret_cast<Function>(
                               reinterpret_cast<void (*)()>(GetProcAddress(module.get(), name)))
                         : nullptr;
  }
};

// The first address of the local host name in dotted decimal form; empty when the name
// cannot be resolved or has no address.
std::string LocalAddress() {
  SocketLibrary sockets;
  auto startup = sockets.Find<int(WINAPI*)(WORD, WSADATA*)>("WSAStartup");
  auto cleanup = sockets.Find<int(WINAPI*)()>("WSACleanup");
  auto hostName = sockets.Find<int(WINAPI*)(char*, int)>("gethostname");
  auto hostByName = sockets.Find<hostent*(WINAPI*)(const char*)>("gethostbyname");
  if (!startup || !cleanup || !hostName || !hostByName) return "";
  WSADATA data;
  startup(2, &data);  // a failure shows up as a failed lookup below
  char name[256] = {};
  std::string address;
  if (hostName(name, 255) == 0) {
    const hostent* host = hostByName(name);
    if (host && host->h_addr_list && host->h_addr_list[0] && host->h_length >= 4)
      address = DottedAddress(reinterpret_cast<const unsigned char*>(host->h_addr_list[0]));
  }
  cleanup();
  return address;
}
}  // namespace

void RestartWindows(WindowsVersion version) {
  if (RestartWayFor(version) == RestartWay::kShutdownByAddress) {
    std::string address = LocalAddress();
    if (!address.empty()) {
      char empty[] = "";
      // Refused requests are not reported: the installation ends either way.
      InitiateSystemShutdownA(&address[0], empty, 0, TRUE, TRUE);
      return;
    }
    // Without an address the request could not name the machine: restart the other way.
  }
  ExitWindowsEx(EWX_REBOOT, 2);  // reason: other, minor reason installation
}

void RestartWindows() { RestartWindows(RunningWindowsVersion()); }
