#include "common/record_file.h"

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
  WriteFile(file.get(), bytes.data(), (DWORD)bytes.size(), &written,
            nullptr);  // a short write stays
}

bool ReadProductRecord(const std::string& path, ProductRecord* record, unsigned long* error) {
  std::string bytes;
  if (!ReadWholeFile(path, &bytes, error)) return false;
  *record = ParseProductRecord(bytes);
  return true;
}
