#include "tests/support/setup_driver.h"

#include "core/installation_rules.h"
#include "setup/controls.h"
#include "uninstall/controls.h"

#include <stdexcept>
#include <utility>

namespace e2e {

std::string PathText(HWND window) { return Narrow1256(Text(Control(window, kPath))); }

std::string RegistryText(HKEY root, const std::string& key, const std::string& name, REGSAM view) {
  HKEY opened;
  if (RegOpenKeyExW(root, Wide1256(key).c_str(), 0, KEY_READ | view, &opened) != ERROR_SUCCESS)
    return "";
  wchar_t buffer[4096];
  DWORD size = sizeof buffer, type = 0;
  std::wstring value;
  if (RegQueryValueExW(opened, Wide1256(name).c_str(), nullptr, &type,
                       reinterpret_cast<BYTE*>(buffer), &size) == ERROR_SUCCESS &&
      (type == REG_SZ || type == REG_EXPAND_SZ)) {
    size /= sizeof(wchar_t);
    value.assign(buffer, size > 0 && buffer[size - 1] == L'\0' ? size - 1 : size);
  }
  RegCloseKey(opened);
  return Narrow1256(value);
}

std::string ShellFolder(const std::string& name) {
  return RegistryText(HKEY_CURRENT_USER,
                      "Software\\Microsoft\\windows\\CurrentVersion\\Explorer\\Shell Folders",
                      name);
}

std::string WindowsFolder() {
  wchar_t buffer[MAX_PATH] = L"";
  GetWindowsDirectoryW(buffer, MAX_PATH);
  return Narrow1256(buffer);
}

std::string SystemFolder() {
  wchar_t buffer[MAX_PATH] = L"";
  GetSystemDirectoryW(buffer, MAX_PATH);
  return Narrow1256(buffer);
}

ProgramsPlaces PlacesOfPrograms() {
  DWORD type = 0;
  if (!GetBinaryTypeA(ProgramPath("setup.exe").c_str(), &type))
    throw std::runtime_error("cannot read the type of " + ProgramPath("setup.exe"));
  char wow64[MAX_PATH] = "";
  GetSystemWow64DirectoryA(wow64, MAX_PATH);
  ProgramsPlaces places = {SystemFolder(), KEY_WOW64_64KEY, wow64, KEY_WOW64_32KEY};
  if (type == SCS_32BIT_BINARY) {
    std::swap(places.systemFolder, places.otherSystemFolder);
    std::swap(places.view, places.otherView);
  }
  return places;
}

void SetWineVersionFor(const std::string& program, const std::string& version) {
  HKEY key;
  const std::string path = "Software\\Wine\\AppDefaults\\" + program;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                      nullptr) != ERROR_SUCCESS)
    throw std::runtime_error("cannot set the Windows version of " + program);
  RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version.c_str()),
                 (DWORD)version.size() + 1);
  RegCloseKey(key);
}

HWND OpenChooser(const Process& process, HWND window) {
  ClickControl(window, kChange);
  return WaitWindow(process, "TForm4");
}

namespace {
// The lines are read as wide texts: Wine passes list texts between processes in UTF-16.
std::string ListLine(HWND list, int index) {
  // The list may be refilled meanwhile: the buffer is larger than any line can be.
  if (SendMessageW(list, LB_GETTEXTLEN, index, 0) >= MAX_PATH) return "";
  wchar_t line[2 * MAX_PATH] = L"";
  if (SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(line)) == LB_ERR) return "";
  const wchar_t* start = line;
  while (*start == L' ') ++start;
  return Narrow1256(start);
}
}  // namespace

std::vector<std::string> ListedFolders(HWND chooser) {
  HWND list = Control(chooser, kDirectoryListBox1);
  std::vector<std::string> lines;
  const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
  for (int i = 0; i < count; ++i) lines.push_back(ListLine(list, i));
  return lines;
}

std::string SelectedDrive(HWND chooser) {
  HWND drives = Control(chooser, kDriveComboBox1);
  const LRESULT index = SendMessageW(drives, CB_GETCURSEL, 0, 0);
  wchar_t name[64] = L"";
  if (index == CB_ERR || SendMessageW(drives, CB_GETLBTEXTLEN, index, 0) >= 64) return "";
  SendMessageW(drives, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(name));
  return Narrow1256(name);
}

void PickDrive(HWND chooser, char letter) {
  HWND drives = Control(chooser, kDriveComboBox1);
  const std::wstring name = {wchar_t(letter), L':'};
  const LRESULT index =
      SendMessageW(drives, CB_FINDSTRINGEXACT, (WPARAM)-1, reinterpret_cast<LPARAM>(name.c_str()));
  if (index == CB_ERR)
    throw std::runtime_error(std::string("no drive ") + letter + " in the drive list");
  SendMessageW(drives, CB_SETCURSEL, index, 0);
  PostMessageA(chooser, WM_COMMAND, MAKEWPARAM(kDriveComboBox1, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(drives));
  WaitUntil(
      [&] {
        const std::vector<std::string> lines = ListedFolders(chooser);
        return !lines.empty() && lines[0].size() >= 1 && lines[0][0] == letter;
      },
      5000);
}

bool OpenListedFolder(HWND chooser, const std::string& name) {
  HWND list = Control(chooser, kDirectoryListBox1);
  const std::vector<std::string> lines = ListedFolders(chooser);
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lstrcmpiA(lines[i].c_str(), name.c_str()) != 0) continue;
    RECT item;
    SendMessageA(list, LB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&item));
    const LPARAM at = MAKELPARAM(item.left + 20, (item.top + item.bottom) / 2);
    PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(list, WM_LBUTTONUP, 0, at);
    PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    PostMessageA(list, WM_LBUTTONUP, 0, at);
    // Label2 shows the opened folder: its last folder name ends it.
    return WaitUntil(
        [&] {
          const std::string shown = Narrow1256(Text(Control(chooser, kChooserLabel2)));
          if (name.back() == '\\') return shown == name;
          return shown.size() > name.size() &&
                 lstrcmpiA(shown.substr(shown.size() - name.size()).c_str(), name.c_str()) == 0 &&
                 shown[shown.size() - name.size() - 1] == '\\';
        },
        5000);
  }
  return false;
}

void ChooseFolder(const Process& process, HWND window, const std::string& folder) {
  HWND chooser = OpenChooser(process, window);
  if (!chooser) throw std::runtime_error("the chooser did not open");
  PickDrive(chooser, folder[0]);
  size_t start = 3;
  while (start < folder.size()) {
    size_t end = folder.find('\\', start);
    if (end == std::string::npos) end = folder.size();
    if (!OpenListedFolder(chooser, folder.substr(start, end - start)))
      throw std::runtime_error("cannot open " + folder.substr(0, end) + " in the chooser");
    start = end + 1;
  }
  ClickControl(chooser, kChooserOk);
  if (!WaitHidden(chooser)) throw std::runtime_error("the chooser did not close");
}

long InstallAndDeclineRestart(Process& setup, HWND window) {
  ClickControl(window, kNext1);
  HWND question = WaitDialog(setup, 60000);
  if (!question) return -1;
  Answer(question, L"Confirm", Wide1256(RestartQuestionText()), L"&No");
  return setup.WaitExit(60000);
}

Removal RemoveWithUninstaller(const std::string& uninstaller, const std::string& currentFolder) {
  Process process(uninstaller, currentFolder);
  Removal removal;
  if (HWND form = WaitWindow(process, "TForm1")) {
    ClickControl(form, kUninstallOk);
    if (HWND done = WaitDialog(process, 60000)) {
      removal.message = DialogMessage(done);
      PressButton(done, L"OK");
    }
  }
  removal.exitCode = process.WaitExit();
  // The removal script ends by itself, within its own bound, however busy the machine is.
  removal.scriptEnded = WaitChildrenGone(process.id(), 90000);
  return removal;
}

}  // namespace e2e
