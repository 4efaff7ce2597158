#include "core/record.h"

#include "core/lines.h"

#include <vector>

std::string FormatProductRecord(const ProductRecord& record) {
  std::string bytes;
  for (const std::string* value : {&record.Title1, &record.Title2, &record.DefaultFolderName,
                                   &record.ProgramName, &record.ShortcutName, &record.Organization})
    bytes += *value + "\r\n";
  return bytes;
}

ProductRecord ParseProductRecord(std::string_view bytes) {
  std::vector<std::string> lines = FirstLines(UpToEndOfFileMark(bytes), 6);
  return ProductRecord{lines[0], lines[1], lines[2], lines[3], lines[4], lines[5]};
}
