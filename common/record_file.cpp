#include "common/record_file.h"

#include "core/failure.h"
#include "win/files.h"
#include "win/scoped.h"
#include "win/text.h"

void WriteProductRecord(const std::string& installFolder, const ProductRecord& record) {
  std::string path = installFolder + "\\" + kProductRecordName;
  ScopedHandle file(CreateFileW(ToWide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.held()) return;  // not reported: the uninstaller finds it missing
  std::string bytes = FormatProductRecord(record);
  DWORD written;
  WriteFile(file.get(), bytes.data(), (DWORD)bytes.size(), &written, nullptr);  // a short write stays
}

ProductRecord ReadProductRecord(HANDLE file) {
  std::string bytes;
  char chunk[4096];
  for (;;) {
    DWORD done = 0;
    if (!ReadFile(file, chunk, sizeof chunk, &done, nullptr))
      throw Failure(SystemErrorText(GetLastError()));
    if (done == 0) break;
    bytes.append(chunk, done);
  }
  return ParseProductRecord(bytes);
}
