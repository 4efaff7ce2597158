// medium_check: finds the mistakes of a distribution medium before it is burned. It reads
// the medium folder given on its command line (the current folder without one) as the
// installer will, prints its findings as "error:", "warning:" and "note:" lines, and ends
// with exit code 1 when there is an error, 0 otherwise.
#include "core/failure.h"
#include "core/fill.h"
#include "core/medium_check.h"
#include "core/medium_check_texts.h"
#include "tools/medium_check/medium_folder.h"

#include <cstdio>

int main(int argc, char** argv) {
  if (argc > 2) {
    std::fprintf(stderr, "%s\n", texts::kCheckUsage);
    return 1;
  }
  const std::string folder = argc == 2 ? CommandLineArgument(1, argv) : ".";
  std::unique_ptr<MediumFolder> medium = OpenMediumFolder(folder);
  if (!medium) {
    // The path is printed as this machine's command line gave it.
    std::printf("error: %s\n", FillText(texts::kCheckFolderMissing, {folder}).c_str());
    return 1;
  }
  bool errors = false;
  try {
    for (const MediumFinding& finding : CheckMedium(*medium)) {
      PrintLine(FindingLine(finding));
      errors = errors || finding.kind == MediumFinding::kError;
    }
  } catch (const Failure& failure) {
    // A file of the medium that exists but cannot be read.
    PrintLine(FindingLine({MediumFinding::kError, failure.what()}));
    errors = true;
  }
  return errors ? 1 : 0;
}
