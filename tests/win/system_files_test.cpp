// System libraries from the medium's System folder: copied into a stand-in system folder,
// replaced where they can be deleted, and registered by the test COM server's marker.
#include "setup/system/system_files.h"

#include "core/failure.h"
#include "tests/win/system_test_support.h"
#include "win/files.h"

#include <gtest/gtest.h>

using namespace system_test;

TEST(SystemFiles, CopiesEveryFileThenRegistersWhatTheListNames) {
  Medium medium = NewMedium("copies");
  const std::string payload = medium.root + "System\\";
  const std::string server = ComServerBytes();
  // Bytes after the image leave a library loadable and tell the medium's copy apart.
  const std::string mediumServer = server + "medium copy";
  e2e::MakeEntries(
      payload,
      {{"com.dll", mediumServer},
       {"plain.dll", PlainLibraryBytes()},
       {"hidden.dat", "h", FILE_ATTRIBUTE_HIDDEN},
       {"marked.dat", "s", FILE_ATTRIBUTE_SYSTEM},
       {"empty.dat", ""},
       {"sub\\inner.dat", "i"},
       {"SYSTEM.TXT", "com.dll\r\nmissing.dll\r\n\r\nplain.dll\r\nresident.dll\r\ncom.dll\r\n"}});
  e2e::WriteFile(medium.target + "com.dll", "older library");
  e2e::WriteFile(medium.target + "resident.dll", server);  // not on the medium, but listed

  InstallSystemFiles(medium.root, medium.target);

  EXPECT_EQ(e2e::ReadAll(medium.target + "com.dll"), mediumServer);
  EXPECT_EQ(e2e::ReadAll(medium.target + "plain.dll"), PlainLibraryBytes());
  EXPECT_EQ(e2e::ReadAll(medium.target + "hidden.dat"), "h");
  EXPECT_EQ(e2e::ReadAll(medium.target + "marked.dat"), "s");
  EXPECT_FALSE(FileExists(medium.target + "empty.dat"));
  EXPECT_FALSE(FolderExists(medium.target + "sub"));
  EXPECT_FALSE(FileExists(medium.target + "inner.dat"));
  EXPECT_FALSE(FileExists(medium.target + "SYSTEM.TXT"));
  EXPECT_EQ(Registrations(medium.target + "com.dll"), 2u);  // listed twice
  EXPECT_EQ(Registrations(medium.target + "resident.dll"), 1u);
  // Loaded, found without the entry point, freed, and the list went on.
  EXPECT_EQ(Registrations(medium.target + "plain.dll"), 0u);
  EXPECT_EQ(GetModuleHandleA((medium.target + "plain.dll").c_str()), nullptr);
  EXPECT_EQ(GetModuleHandleA((medium.target + "com.dll").c_str()), nullptr);
}

TEST(SystemFiles, UndeletableTargetsStayAndAreStillRegistered) {
  Medium medium = NewMedium("held");
  const std::string server = ComServerBytes();
  CreateDirectoryA((medium.root + "System").c_str(), nullptr);
  e2e::WriteFile(medium.root + "System\\held.dll", server + "medium copy");
  e2e::WriteFile(medium.root + "System\\readonly.dll", server + "medium copy");
  e2e::WriteFile(medium.root + "System\\SYSTEM.TXT", "held.dll\r\nreadonly.dll\r\n");
  const std::string readOnly = medium.target + "readonly.dll";
  e2e::WriteFile(readOnly, server);
  SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
  const std::string held = medium.target + "held.dll";
  e2e::WriteFile(held, server);
  HANDLE holder =
      CreateFileA(held.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);

  InstallSystemFiles(medium.root, medium.target);

  EXPECT_EQ(e2e::ReadAll(held), server);
  EXPECT_EQ(Registrations(held), 1u);
  EXPECT_EQ(e2e::ReadAll(readOnly), server);
  EXPECT_EQ(Registrations(readOnly), 1u);
  CloseHandle(holder);
  SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(SystemFiles, ListInOtherLetterCaseIsCopiedAndStillRead) {
  Medium medium = NewMedium("lower");
  CreateDirectoryA((medium.root + "System").c_str(), nullptr);
  e2e::WriteFile(medium.root + "System\\com.dll", ComServerBytes());
  e2e::WriteFile(medium.root + "System\\system.txt", "com.dll");

  InstallSystemFiles(medium.root, medium.target);

  EXPECT_EQ(e2e::ReadAll(medium.target + "system.txt"), "com.dll");
  EXPECT_EQ(Registrations(medium.target + "com.dll"), 1u);
}

TEST(SystemFiles, WithoutFolderNothingHappensWithoutListNothingIsRegistered) {
  Medium medium = NewMedium("unlisted");
  InstallSystemFiles(medium.root, medium.target);
  int entries = 0;
  ListFolder(medium.target + "*.*", 63, [&](const ListedEntry& entry) {
    if (entry.name != "." && entry.name != "..") ++entries;
  });
  EXPECT_EQ(entries, 0);

  CreateDirectoryA((medium.root + "System").c_str(), nullptr);
  e2e::WriteFile(medium.root + "System\\com.dll", ComServerBytes());
  InstallSystemFiles(medium.root, medium.target);
  EXPECT_TRUE(FileExists(medium.target + "com.dll"));
  EXPECT_EQ(Registrations(medium.target + "com.dll"), 0u);
}

TEST(SystemFiles, UnreadableMediumFileStopsWithTheCopyFailure) {
  Medium medium = NewMedium("unreadable");
  CreateDirectoryA((medium.root + "System").c_str(), nullptr);
  const std::string locked = medium.root + "System\\locked.dll";
  e2e::WriteFile(locked, "bytes");
  // The library in place stays whole when the medium's copy cannot be read.
  e2e::WriteFile(medium.target + "locked.dll", "installed library");
  HANDLE holder = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  try {
    InstallSystemFiles(medium.root, medium.target);
    ADD_FAILURE() << "no failure raised";
  } catch (const Failure& failure) {
    EXPECT_EQ(std::string(failure.what()).rfind("Cannot open file \"", 0), 0u) << failure.what();
  }
  CloseHandle(holder);
  EXPECT_EQ(e2e::ReadAll(medium.target + "locked.dll"), "installed library");
  EXPECT_FALSE(FileExists(medium.target + "locked.dll.$$$"));
}

TEST(SystemFiles, RegisterComServerResults) {
  Medium medium = NewMedium("register");
  e2e::WriteFile(medium.target + "com.dll", ComServerBytes());
  e2e::WriteFile(medium.target + "unregister.dll", ComServerBytes());
  e2e::WriteFile(medium.target + "plain.dll", PlainLibraryBytes());
  e2e::WriteFile(medium.target + "text.dll", "not a library");
  struct Case {
    const char* name;
    bool (*call)(const std::string& path);
    bool result;
    DWORD registrations;
  };
  const Case cases[] = {
      {"com.dll", RegisterComServer, true, 1},
      {"unregister.dll", UnregisterComServer, true, 0},  // the server has no DllUnregisterServer
      {"plain.dll", RegisterComServer, true, 0},
      {"text.dll", RegisterComServer, false, 0},
      {"missing.dll", RegisterComServer, false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = medium.target + c.name;
    EXPECT_EQ(c.call(path), c.result);
    EXPECT_EQ(Registrations(path), c.registrations);
  }
  EXPECT_FALSE(RegisterComServer(medium.target));  // a folder
}

// On 64-bit Windows the system folder of a 32-bit program is SysWOW64 (the system folder it
// names is redirected there), that of a 64-bit one System32; the other one must stay
// untouched. A 32-bit program reaches System32 as "sysnative".
TEST(SystemFilesInOwnPrefix, RunningInstallationUsesTheSystemFolderAndCurrentFolder) {
  Medium medium = NewMedium("running");
  CreateDirectoryA((medium.root + "System").c_str(), nullptr);
  e2e::WriteFile(medium.root + "System\\installer-test-server.dll", ComServerBytes());
  e2e::WriteFile(medium.root + "System\\SYSTEM.TXT", "installer-test-server.dll\r\n");
  char system[MAX_PATH], wow64[MAX_PATH], windows[MAX_PATH];
  GetSystemDirectoryA(system, MAX_PATH);
  GetSystemWow64DirectoryA(wow64, MAX_PATH);
  GetWindowsDirectoryA(windows, MAX_PATH);
  const std::string name = "\\installer-test-server.dll", installed = system + name;
#ifdef _WIN64
  const std::string place = system + name, otherPlace = wow64 + name;
#else
  const std::string place = wow64 + name, otherPlace = windows + ("\\sysnative" + name);
#endif
  ASSERT_FALSE(FileExists(installed));

  InFolder(medium.root, [] { InstallSystemFiles(); });

  EXPECT_TRUE(FileExists(place)) << place;
  EXPECT_FALSE(FileExists(otherPlace)) << otherPlace;
  EXPECT_EQ(Registrations(installed), 1u);
}
