// What the built programs carry besides code: the version information (file and product
// version 1.0.0.0, the company name and no other field) and the manifest that asks for
// administrator rights and leaves the program DPI-unaware.
#include "tests/support/driver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Resources {
  std::vector<char> version;
  std::string manifest;
};

Resources Read(const std::string& program) {
  Resources out;
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeA(program.c_str(), &ignored);
  out.version.resize(size);
  if (size) GetFileVersionInfoA(program.c_str(), 0, size, out.version.data());
  HMODULE module = LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (module) {
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    if (found)
      out.manifest.assign(static_cast<const char*>(LockResource(LoadResource(module, found))),
                          SizeofResource(module, found));
    FreeLibrary(module);
  }
  return out;
}

std::wstring StringValue(Resources& resources, const std::wstring& block, const wchar_t* name) {
  wchar_t* value = nullptr;
  UINT length = 0;
  std::wstring path = L"\\StringFileInfo\\" + block + L"\\" + name;
  if (!VerQueryValueW(resources.version.data(), path.c_str(), reinterpret_cast<void**>(&value),
                      &length))
    return L"<none>";
  return std::wstring(value, length ? length - 1 : 0);
}

}  // namespace

class ProgramResources : public testing::TestWithParam<std::pair<const char*, const wchar_t*>> {};

TEST_P(ProgramResources, VersionCompanyNameAndManifest) {
  Resources resources = Read(e2e::ProgramPath(GetParam().first));
  ASSERT_FALSE(resources.version.empty());
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(
      VerQueryValueW(resources.version.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0u);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwProductVersionLS, 0u);
  // The one string table and its one field.
  struct Translation {
    WORD language, codePage;
  }* translation = nullptr;
  ASSERT_TRUE(VerQueryValueW(resources.version.data(), L"\\VarFileInfo\\Translation",
                             reinterpret_cast<void**>(&translation), &length));
  ASSERT_EQ(length, sizeof(Translation));
  wchar_t block[9];
  wsprintfW(block, L"%04X%04X", translation->language, translation->codePage);
  EXPECT_EQ(StringValue(resources, block, L"CompanyName"), GetParam().second);
  for (const wchar_t* other :
       {L"FileDescription", L"FileVersion", L"ProductName", L"ProductVersion", L"InternalName",
        L"OriginalFilename", L"LegalCopyright"})
    EXPECT_EQ(StringValue(resources, block, other), L"<none>") << other;
  EXPECT_NE(resources.manifest.find("level=\"requireAdministrator\""), std::string::npos);
  EXPECT_EQ(resources.manifest.find("<dpiAware"), std::string::npos);  // and dpiAwareness
}

INSTANTIATE_TEST_SUITE_P(
    Programs, ProgramResources,
    testing::Values(std::make_pair("setup.exe", L"برنامه نصب "),
                    std::make_pair("uninstall.exe", L"حذف برنامه")),
    [](const testing::TestParamInfo<std::pair<const char*, const wchar_t*>>& info) {
      std::string name = info.param.first;
      return name.substr(0, name.find('.'));
    });
