// Run before the fuzz targets: the texts of this clang build are code page 1256 bytes, as in
// the programs, so the fuzzed code sees the bytes the programs hold.
#include "core/texts.h"

#include <cstdio>
#include <cstring>

int main() {
  // "حذف برنامه" in code page 1256.
  const char expected[] = "\xCD\xD0\xDD \xC8\xD1\xE4\xC7\xE3\xE5";
  if (std::strcmp(texts::kUninstallTitle, expected) != 0) {
    std::fprintf(stderr, "texts_check: the texts are not code page 1256 bytes in this build\n");
    return 1;
  }
  return 0;
}
