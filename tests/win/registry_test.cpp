// The registry accessor's rules, checked against Wine's real registry under a scratch key of
// the current user that each test removes again.
#include "core/failure.h"
#include "win/registry.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

class RegistryTest : public testing::Test {
 protected:
  // HKCU\Software\EngineTests.<test>
  std::string key_ = std::string("Software\\EngineTests.") +
                     testing::UnitTest::GetInstance()->current_test_info()->name();
  void TearDown() override { Registry(HKEY_CURRENT_USER).DeleteKey(key_); }

  void SetRaw(const char* name, DWORD type, const void* data, DWORD size) {
    HKEY handle;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &handle, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(handle, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(handle);
  }
};

std::string FailureOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const Failure& failure) {
    return failure.what();
  }
  return "";
}

}  // namespace

TEST_F(RegistryTest, WritesPlainStringsWithTheirTerminatingZero) {
  Registry registry(HKEY_CURRENT_USER);
  ASSERT_TRUE(registry.OpenOrCreate(key_ + "\\Deeper\\Deepest"));  // missing keys above created
  registry.WriteString("Name", "C:\\Product\\Uninstall.exe");
  registry.WriteString("Empty", "");
  registry.Close();

  HKEY handle;
  ASSERT_EQ(
      RegOpenKeyExA(HKEY_CURRENT_USER, (key_ + "\\Deeper\\Deepest").c_str(), 0, KEY_READ, &handle),
      ERROR_SUCCESS);
  char data[64] = {};
  DWORD type = 0, size = sizeof data;
  EXPECT_EQ(RegQueryValueExA(handle, "Name", nullptr, &type, (BYTE*)data, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, DWORD(REG_SZ));
  EXPECT_EQ(size, sizeof("C:\\Product\\Uninstall.exe"));
  EXPECT_STREQ(data, "C:\\Product\\Uninstall.exe");
  size = sizeof data;
  EXPECT_EQ(RegQueryValueExA(handle, "Empty", nullptr, &type, (BYTE*)data, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, DWORD(REG_SZ));
  EXPECT_EQ(size, 1u);
  RegCloseKey(handle);
}

TEST_F(RegistryTest, ReadsStringsAsStoredAndRefusesOtherTypes) {
  SetRaw("Plain", REG_SZ, "C:\\Users\\x", 11);
  SetRaw("Expandable", REG_EXPAND_SZ, "%USERPROFILE%\\Desktop", 22);
  SetRaw("Unterminated", REG_SZ, "abcdef", 3);
  DWORD number = 7;
  SetRaw("Number", REG_DWORD, &number, sizeof number);
  SetRaw("Binary", REG_BINARY, "ab", 2);
  SetRaw("Multi", REG_MULTI_SZ, "a\0b\0", 5);

  Registry registry(HKEY_CURRENT_USER);
  ASSERT_TRUE(registry.Open(key_));
  EXPECT_EQ(registry.ReadString("Plain"), "C:\\Users\\x");
  EXPECT_EQ(registry.ReadString("Expandable"), "%USERPROFILE%\\Desktop");  // not expanded
  EXPECT_EQ(registry.ReadString("Unterminated"), "abc");
  EXPECT_EQ(registry.ReadString("Missing"), "");
  EXPECT_FALSE(registry.ValueExists("Missing"));
  EXPECT_TRUE(registry.ValueExists("Number"));
  for (const char* name : {"Number", "Binary", "Multi"})
    EXPECT_EQ(FailureOf([&] { registry.ReadString(name); }),
              std::string("Invalid data type for '") + name + "'");
}

TEST_F(RegistryTest, KeyThatIsNotOpenReadsEmptyAndRefusesWrites) {
  Registry registry(HKEY_CURRENT_USER);
  EXPECT_FALSE(registry.Open(key_));  // not created when not asked to
  EXPECT_FALSE(registry.IsOpen());
  EXPECT_EQ(registry.ReadString("Anything"), "");
  EXPECT_EQ(FailureOf([&] { registry.WriteString("UninstallString", "x"); }),
            "Failed to set data for 'UninstallString'");
  // A key name longer than the registry allows cannot be created either.
  EXPECT_FALSE(registry.OpenOrCreate(key_ + "\\" + std::string(300, 'k')));
  EXPECT_EQ(FailureOf([&] { registry.WriteString("DisplayName", "x"); }),
            "Failed to set data for 'DisplayName'");
}

TEST_F(RegistryTest, DeletesAKeyWithItsSubKeys) {
  Registry registry(HKEY_CURRENT_USER);
  ASSERT_TRUE(registry.OpenOrCreate(key_ + "\\One\\Two"));
  registry.WriteString("v", "1");
  ASSERT_TRUE(registry.OpenOrCreate(key_ + "\\Three"));
  registry.WriteString("v", "3");
  EXPECT_TRUE(registry.DeleteKey(key_));
  EXPECT_FALSE(registry.Open(key_));
  EXPECT_FALSE(registry.DeleteKey(key_));  // not there any more
}

// However the key is spelled, the tree delete never takes the list of installed programs or a
// key above it; a product's own entry it does delete.
TEST(RegistryInOwnPrefix, TreeDeleteNeverTakesTheListOfInstalledPrograms) {
  const std::string list = "Software\\Microsoft\\windows\\CurrentVersion\\uninstall";
  Registry machine(HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(machine.OpenOrCreate(list + "\\Other Product"));
  machine.WriteString("UninstallString", "C:\\Other\\Uninstall.exe");
  ASSERT_TRUE(machine.OpenOrCreate(list + "\\Daftar"));
  for (const std::string& key :
       {list, list + "\\", list + "\\\\", list + std::string("\\\0", 2),
        list + std::string("\\\0Daftar", 8),
        std::string("software\\microsoft\\WINDOWS\\currentversion\\UNINSTALL\\"),
        std::string("Software\\Microsoft\\windows\\CurrentVersion")}) {
    EXPECT_FALSE(machine.DeleteKey(key)) << testing::PrintToString(key);
    EXPECT_TRUE(machine.Open(list + "\\Other Product")) << testing::PrintToString(key);
  }
  EXPECT_TRUE(machine.DeleteKey(list + "\\Daftar"));
  EXPECT_FALSE(machine.Open(list + "\\Daftar"));
  EXPECT_TRUE(machine.Open(list + "\\Other Product"));
  EXPECT_EQ(machine.ReadString("UninstallString"), "C:\\Other\\Uninstall.exe");
}
