#include "tests/e2e/driver.h"

#include <shellapi.h>
#include <tlhelp32.h>

#include <cstdlib>
#include <stdexcept>

namespace e2e {

std::string WindowsPath(const std::string& path) {
  if (path.empty() || path[0] != '/') return path;
  std::string out = "Z:" + path;
  for (char& c : out)
    if (c == '/') c = '\\';
  return out;
}

std::string ProgramPath(const std::string& fileName) {
  const char* programs = std::getenv("E2E_PROGRAMS");
  return WindowsPath(programs && *programs ? programs : BIN_DIR) + "\\" + fileName;
}

Process::Process(const std::string& program, const std::string& currentFolder) {
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  std::wstring commandLine = L"\"" + Wide1256(program) + L"\"";
  if (!CreateProcessW(Wide1256(program).c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0,
                      nullptr, currentFolder.empty() ? nullptr : Wide1256(currentFolder).c_str(),
                      &startup, &info_))
    throw std::runtime_error("cannot start " + program + ": error " +
                             std::to_string(GetLastError()));
}

Process::~Process() {
  if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
    TerminateProcess(info_.hProcess, 255);
    WaitForSingleObject(info_.hProcess, 5000);
  }
  CloseHandle(info_.hThread);
  CloseHandle(info_.hProcess);
}

long Process::WaitExit(DWORD timeoutMs) {
  if (WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  GetExitCodeProcess(info_.hProcess, &code);
  return (long)code;
}

bool WaitChildrenGone(DWORD parentId, DWORD timeoutMs) {
  std::vector<HANDLE> children;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return false;
  PROCESSENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
    if (entry.th32ParentProcessID != parentId) continue;
    // Wine's desktop process is started by the first program of a prefix that opens a window,
    // as its child, and lives as long as the prefix: it is not the program's work.
    if (lstrcmpiA(entry.szExeFile, "explorer.exe") == 0) continue;
    // A child that ended between the listing and this call needs no waiting.
    if (HANDLE child = OpenProcess(SYNCHRONIZE, FALSE, entry.th32ProcessID))
      children.push_back(child);
  }
  CloseHandle(snapshot);
  const DWORD start = GetTickCount();
  bool allGone = true;
  for (HANDLE child : children) {
    const DWORD spent = GetTickCount() - start;
    if (WaitForSingleObject(child, spent < timeoutMs ? timeoutMs - spent : 0) != WAIT_OBJECT_0)
      allGone = false;
    CloseHandle(child);
  }
  return allGone;
}

namespace {
struct Search {
  DWORD processId;
  const char* className;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM data) {
  Search* search = reinterpret_cast<Search*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  char name[256] = "";
  GetClassNameA(window, name, sizeof name);
  if (owner == search->processId && IsWindowVisible(window) &&
      lstrcmpA(name, search->className) == 0) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

template <typename Probe>
auto Poll(DWORD timeoutMs, Probe probe) -> decltype(probe()) {
  DWORD start = GetTickCount();
  for (;;) {
    auto result = probe();
    if (result || GetTickCount() - start >= timeoutMs) return result;
    Sleep(20);
  }
}
}  // namespace

HWND WaitWindow(const Process& process, const char* className, DWORD timeoutMs) {
  return Poll(timeoutMs, [&]() -> HWND {
    Search search = {process.id(), className, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
  });
}

HWND WaitDialog(const Process& process, DWORD timeoutMs) {
  return WaitWindow(process, "#32770", timeoutMs);
}

bool WaitGone(HWND window, DWORD timeoutMs) {
  return Poll(timeoutMs, [&] { return !IsWindow(window); });
}

bool WaitHidden(HWND window, DWORD timeoutMs) {
  return Poll(timeoutMs, [&] { return !IsWindow(window) || !IsWindowVisible(window); });
}

std::wstring Caption(HWND window) { return Text(window); }

void ClickRect(HWND window, const RECT& rect) {
  Click(window, (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}

COLORREF ScreenPixel(HWND window, int x, int y) {
  SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  Sleep(300);
  POINT point = {x, y};
  ClientToScreen(window, &point);
  HDC screen = GetDC(nullptr);
  COLORREF color = GetPixel(screen, point.x, point.y);
  ReleaseDC(nullptr, screen);
  return color;
}

std::wstring Text(HWND window) {
  wchar_t buffer[4096] = L"";
  SendMessageTimeoutW(window, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(buffer),
                      SMTO_ABORTIFHUNG, 5000, nullptr);
  return buffer;
}

std::wstring DialogMessage(HWND dialog) {
  // The message box's text is its static control with ID 0xFFFF.
  HWND text = GetDlgItem(dialog, 0xFFFF);
  return text ? Text(text) : std::wstring();
}

std::vector<std::wstring> DialogButtons(HWND dialog) {
  std::vector<std::wstring> buttons;
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char name[64] = "";
    GetClassNameA(child, name, sizeof name);
    if (lstrcmpiA(name, "Button") == 0) buttons.push_back(Text(child));
  }
  return buttons;
}

void PressButton(HWND dialog, const std::wstring& text) {
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char name[64] = "";
    GetClassNameA(child, name, sizeof name);
    if (lstrcmpiA(name, "Button") == 0 && Text(child) == text) {
      PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(child), BN_CLICKED),
                   reinterpret_cast<LPARAM>(child));
      return;
    }
  }
  throw std::runtime_error("no such button in the dialog");
}

namespace {
struct IdSearch {
  int id;
  HWND found;
};
BOOL CALLBACK MatchId(HWND window, LPARAM data) {
  IdSearch* search = reinterpret_cast<IdSearch*>(data);
  if (GetDlgCtrlID(window) == search->id) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}
}  // namespace

HWND Control(HWND window, int id) {
  IdSearch search = {id, nullptr};
  EnumChildWindows(window, MatchId, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

RECT ChildRect(HWND child) {
  RECT rect;
  GetWindowRect(child, &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

void Click(HWND window, int x, int y) {
  POINT point = {x, y};
  HWND target = ChildWindowFromPointEx(window, point, CWP_SKIPINVISIBLE | CWP_SKIPDISABLED);
  if (!target) target = window;
  MapWindowPoints(window, target, &point, 1);
  LPARAM at = MAKELPARAM(point.x, point.y);
  PostMessageW(target, WM_MOUSEMOVE, 0, at);
  PostMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(target, WM_LBUTTONUP, 0, at);
}

void PressKey(HWND window, UINT virtualKey, wchar_t character) {
  PostMessageW(window, WM_KEYDOWN, virtualKey, 1);
  if (character) PostMessageW(window, WM_CHAR, character, 1);
  PostMessageW(window, WM_KEYUP, virtualKey, 0xC0000001);
}

void CloseBox(HWND window) { PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0); }

std::string NewTestFolder(const std::string& name) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::string folder = Narrow1256(temp) + "e2e-" + name;
  RemoveTree(folder);
  CreateDirectoryW(Wide1256(folder).c_str(), nullptr);
  return folder;
}

void RemoveTree(const std::string& path) {
  if (!Exists(path)) return;
  // Double zero-terminated for the shell.
  std::wstring from = Wide1256(path) + L'\0';
  SHFILEOPSTRUCTW remove = {};
  remove.wFunc = FO_DELETE;
  remove.pFrom = from.c_str();
  remove.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
  SHFileOperationW(&remove);
}

void WriteFile(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileW(Wide1256(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot write " + path);
  DWORD written = 0;
  ::WriteFile(file, bytes.data(), (DWORD)bytes.size(), &written, nullptr);
  CloseHandle(file);
}

bool ReadFile(const std::string& path, std::string* bytes) {
  HANDLE file = CreateFileW(Wide1256(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bytes->clear();
  char buffer[65536];
  DWORD got = 0;
  while (::ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
    bytes->append(buffer, got);
  CloseHandle(file);
  return true;
}

namespace {

// Runs a Unix command on the Unix paths of Windows paths (Wine starts Unix programs like any
// other), then polls until done() holds, as the wait does not follow a Unix process.
bool RunOnUnixPaths(const std::string& command, const std::vector<std::string>& paths,
                    const std::function<bool()>& done) {
  using UnixName = char*(CDECL*)(const wchar_t*);
  const auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void (*)()>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  if (!unixName) return false;
  std::string line = command;
  for (const std::string& path : paths) {
    wchar_t wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
    char* name = unixName(wide);
    if (!name) return false;
    line += " \"" + std::string(name) + "\"";
    HeapFree(GetProcessHeap(), 0, name);
  }
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process;
  if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process))
    return false;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return Poll(5000, done);
}

bool IsLink(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

}  // namespace

// Wine keeps a link as a Unix symbolic link; its CreateSymbolicLink makes none, and its
// deletes do not remove one.
bool MakeLink(const std::string& link, const std::string& target) {
  return RunOnUnixPaths("Z:\\bin\\ln -s", {target, link}, [&] { return IsLink(link); });
}

bool RemoveLink(const std::string& link) {
  return RunOnUnixPaths("Z:\\bin\\rm", {link}, [&] { return !Exists(link); });
}

SharedShellFoldersLock::SharedShellFoldersLock()
    : mutex_(CreateMutexA(nullptr, FALSE, "e2e.SharedShellFolders")) {
  WaitForSingleObject(mutex_, INFINITE);
}

SharedShellFoldersLock::~SharedShellFoldersLock() {
  ReleaseMutex(mutex_);
  CloseHandle(mutex_);
}

bool Exists(const std::string& path) {
  return GetFileAttributesW(Wide1256(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::string> Names(const std::string& pattern) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW(Wide1256(pattern).c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    std::string name = Narrow1256(data.cFileName);
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return names;
}

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs) { return Poll(timeoutMs, done); }

std::wstring Wide1256(const std::string& bytes) {
  std::wstring wide(bytes.size(), L'\0');
  const int length =
      MultiByteToWideChar(1256, 0, bytes.data(), (int)bytes.size(), &wide[0], (int)wide.size());
  wide.resize(length > 0 ? length : 0);
  return wide;
}

std::string Narrow1256(const std::wstring& text) {
  std::string bytes(text.size() * 2, '\0');
  const int length = WideCharToMultiByte(1256, 0, text.data(), (int)text.size(), &bytes[0],
                                         (int)bytes.size(), nullptr, nullptr);
  bytes.resize(length > 0 ? length : 0);
  return bytes;
}

}  // namespace e2e
