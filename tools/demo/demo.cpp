// Drives the installer on a medium from start to end as a user would, answers No to the
// restart question, prints what was installed, then runs the installed uninstaller and
// prints what was removed. Saves a screenshot (BMP) of every screen on the way, the folder
// chooser and the exit confirmation included (each closed again with its cancel button),
// and the copy in progress when the payload is large enough to catch it.
// Usage: demo_driver <medium folder> <screenshot folder>
#include <windows.h>

#include <cstdio>
#include <set>
#include <string>

#include "common/record_file.h"
#include "common/shell_folders.h"
#include "core/locale_rows.h"
#include "core/names.h"
#include "setup/controls.h"
#include "tests/support/driver.h"
#include "tests/support/setup_driver.h"
#include "uninstall/controls.h"
#include "win/files.h"
#include "win/registry.h"
#include "win/scoped.h"
#include "win/windows_info.h"

using namespace e2e;

namespace {

std::string folderOfShots;
int shotNumber = 0;

// Saves the screen area covered by the windows given (a dialog over its window) as a BMP,
// after letting them finish painting.
void Shot(const char* name, HWND window, HWND over = nullptr, DWORD settleMs = 500) {
  Sleep(settleMs);
  RECT area;
  GetWindowRect(window, &area);
  if (over) {
    RECT second;
    GetWindowRect(over, &second);
    UnionRect(&area, &area, &second);
  }
  int width = area.right - area.left, height = area.bottom - area.top;
  WindowDC screen(nullptr);
  ScopedMemoryDC memory(CreateCompatibleDC(screen.get()));
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  ScopedBitmap bitmap(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  {
    SelectedObject selected(memory.get(), bitmap.get());
    BitBlt(memory.get(), 0, 0, width, height, screen.get(), area.left, area.top, SRCCOPY);
  }
  DWORD rowBytes = ((width * 3 + 3) / 4) * 4;
  BITMAPFILEHEADER header = {};
  header.bfType = 0x4D42;
  header.bfOffBits = sizeof header + sizeof info.bmiHeader;
  header.bfSize = header.bfOffBits + rowBytes * height;
  std::string bytes(reinterpret_cast<char*>(&header), sizeof header);
  bytes.append(reinterpret_cast<char*>(&info.bmiHeader), sizeof info.bmiHeader);
  bytes.append(static_cast<char*>(bits), rowBytes * height);
  char file[32];
  snprintf(file, sizeof file, "%d-%s.bmp", ++shotNumber, name);
  WriteFile(folderOfShots + "\\" + file, bytes);
}

void ListFiles(const std::string& folder, const std::string& prefix, int* count) {
  ListFolder(folder + "\\*.*", kEveryEntryMask, [&](const ListedEntry& entry) {
    if (IsDotName(entry.name)) return;
    if (entry.attributes & FILE_ATTRIBUTE_DIRECTORY) {
      ListFiles(folder + "\\" + entry.name, prefix + entry.name + "\\", count);
    } else {
      printf("    %-50s %10llu bytes\n", (prefix + entry.name).c_str(),
             (unsigned long long)entry.size);
      ++*count;
    }
  });
}

// A message dialog's text, one indented line per line of the message (its lines end in CR
// alone, which a terminal would print over each other), without the padding blanks.
void PrintMessage(const char* who, HWND dialog) {
  printf("%s says:\n", who);
  std::string text = Narrow1256(DialogMessage(dialog));
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    size_t first = line.find_first_not_of(' '), last = line.find_last_not_of(' ');
    if (first != std::string::npos) printf("  %s\n", line.substr(first, last - first + 1).c_str());
    start = end + 1;
  }
}

// Opens a window of the program over its main window with the control opener, saves a
// screenshot of both, and closes it again with its cancel control. False when the window
// did not open or close.
bool ShotAndCancel(const Process& program, HWND window, int opener, const char* className,
                   int cancel, const char* shot) {
  ClickControl(window, opener);
  HWND opened = WaitWindow(program, className);
  if (!opened) return false;
  Shot(shot, window, opened);
  ClickControl(opened, cancel);
  return WaitHidden(opened);
}

const char* Present(bool present) { return present ? "present" : "absent"; }

// What the installation left on the machine.
void PrintInstalled(const std::string& medium, const std::string& installFolder,
                    const ProductRecord& record) {
  printf("\nInstalled into %s:\n", installFolder.c_str());
  int count = 0;
  ListFiles(installFolder, "", &count);
  printf("  %d files\n", count);

  std::string link = LinkFileName(record.ShortcutName);
  std::string desktop = ReadShellFolder(kDesktopValue) + "\\" + link;
  std::string group = GroupFolder(ReadShellFolder(kStartMenuValue), "Selvara") + link;
  printf("\nShortcuts:\n  %s: %s\n  %s: %s\n", desktop.c_str(), Present(FileExists(desktop)),
         group.c_str(), Present(FileExists(group)));

  Registry machine(HKEY_LOCAL_MACHINE);
  printf("\nUninstall entry HKLM\\%s:\n", UninstallKey(record.ProgramName).c_str());
  if (machine.Open(UninstallKey(record.ProgramName)))
    for (const char* name : {"UninstallString", "DisplayName", "Publisher", "Author"})
      printf("  %-16s %s\n", name, machine.ReadString(name).c_str());

  std::string windows = ::WindowsFolder();
  std::string fonts = FontsFolderOf(windows);
  printf("\nFonts (%s) and their registry names:\n", fonts.c_str());
  machine.Open("Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts");
  ListFolder(medium + "\\Fonts\\*.ttf", kEveryEntryMask, [&](const ListedEntry& entry) {
    printf("  %-12s %s\n", entry.name.c_str(), Present(FileExists(fonts + entry.name)));
  });
  for (const char* name : {"Nazli (TrueType)", "Titr Bold (TrueType)"})
    printf("  \"%s\" = %s\n", name, machine.ReadString(name).c_str());

  std::string system = SystemFolderOf(windows, RunningWindowsVersion());
  printf("\nSystem files (%s):\n  SampleServer.dll: %s\n", system.c_str(),
         Present(FileExists(system + "SampleServer.dll")));
  machine.Open("Software\\Sample Accounts\\Server");
  printf("  registered by its DllRegisterServer: %s\n",
         machine.ReadString("Registered").empty() ? "no" : "yes");

  printf("\nLocale settings:\n");
  Registry user(HKEY_CURRENT_USER);
  std::set<std::string> printed;  // one line per value: the language default has two rows
  for (const LocaleRow& row : kLocaleRows) {
    if (!printed.insert(std::string(row.key) + "\\" + row.value).second) continue;
    Registry& registry = row.root == LocaleRoot::kLocalMachine ? machine : user;
    if (!registry.Open(row.key)) continue;
    printf("  %s\\%s\\%s = %s\n", row.root == LocaleRoot::kLocalMachine ? "HKLM" : "HKCU", row.key,
           row.value, registry.ReadString(row.value).c_str());
  }
}

int Fail(const char* what) {
  fprintf(stderr, "demo: %s\n", what);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return Fail("usage: demo_driver <medium folder> <screenshot folder>");
  std::string medium = WindowsPath(argv[1]);
  folderOfShots = WindowsPath(argv[2]);

  std::string installFolder;
  {
    Process setup(medium + "\\setup.exe", medium);
    HWND window = WaitWindow(setup, "TForm1");
    if (!window) return Fail("the installer's window did not open");
    installFolder = PathText(window);
    Shot("setup", window);
    if (!ShotAndCancel(setup, window, kChange, "TForm4", kChooserCancel, "setup-chooser"))
      return Fail("the folder chooser did not open and close");
    if (!ShotAndCancel(setup, window, kCancel, "TForm5", kExitLabel1, "setup-exit"))
      return Fail("the exit confirmation did not open and close");
    ClickControl(window, kNext1);
    // The copy in progress: the gauge part of the way, shot at once while it moves on.
    HWND gauge = Control(window, kGauge1);
    if (WaitUntil(
            [&] {
              const int percent = _wtoi(Text(gauge).c_str());
              return IsWindowVisible(gauge) && percent > 0 && percent < 90;
            },
            120000))
      Shot("setup-copying", window, nullptr, 100);
    HWND question = WaitDialog(setup, 120000);
    if (!question) return Fail("the installation did not finish");
    Shot("setup-finished", window, question);
    PrintMessage("The installer", question);
    PressButton(question, L"&No");
    printf("Installer exit code: %ld\n", setup.WaitExit(30000));
  }

  ProductRecord record;
  unsigned long error = 0;
  if (!ReadProductRecord(installFolder + "\\" + kProductRecordName, &record, &error))
    return Fail("no INSTALL.CFG in the install folder");
  PrintInstalled(medium, installFolder, record);

  printf("\nRunning %s\\Uninstall.EXE\n", installFolder.c_str());
  {
    Process uninstall(installFolder + "\\Uninstall.EXE", installFolder);
    HWND window = WaitWindow(uninstall, "TForm1");
    if (!window) return Fail("the uninstaller's window did not open");
    Shot("uninstall", window);
    ClickControl(window, kUninstallOk);
    HWND done = WaitDialog(uninstall, 60000);
    if (!done) return Fail("the removal did not finish");
    Shot("uninstall-finished", window, done);
    PrintMessage("The uninstaller", done);
    PressButton(done, L"OK");
    uninstall.WaitExit(30000);
  }
  // The removal script deletes the uninstaller and the folder once the program has ended.
  WaitUntil([&] { return !FolderExists(installFolder); }, 60000);
  std::string link = LinkFileName(record.ShortcutName);
  Registry machine(HKEY_LOCAL_MACHINE);
  printf(
      "\nAfter the removal:\n  install folder: %s\n  desktop shortcut: %s\n"
      "  start-menu group: %s\n  uninstall entry: %s\n",
      Present(FolderExists(installFolder)),
      Present(FileExists(ReadShellFolder(kDesktopValue) + "\\" + link)),
      Present(FolderExists(GroupFolder(ReadShellFolder(kStartMenuValue), "Selvara"))),
      Present(machine.Open(UninstallKey(record.ProgramName))));
  return 0;
}
