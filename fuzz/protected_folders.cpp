// The uninstaller's folder rules on any paths: a refused folder stays refused however the
// protected lists grow, and a folder it may empty is a plain folder of a drive.
#include "core/removal.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput input(data, size);
  const std::string candidate = input.Text();
  const std::string kept = input.Text();
  const std::string tree = input.Text();
  const std::string uninstallString = input.Rest();
  const bool refused = IsProtectedFolder(candidate, {kept}, {tree});
  FUZZ_EXPECT(!IsProtectedFolder(candidate, {}) || refused);
  FUZZ_EXPECT(!refused || IsProtectedFolder(candidate, {kept, candidate}, {tree, kept}));
  if (!refused) {
    FUZZ_EXPECT(candidate.size() >= 4 && candidate[1] == ':');
    FUZZ_EXPECT(candidate.find_first_of(std::string("\0:", 2), 2) == std::string::npos);
    FUZZ_EXPECT(!SameFolder(candidate, kept) && !SameFolder(candidate, tree));
  }
  FUZZ_EXPECT(SameFolder(candidate, candidate));
  if (NamesUninstaller(uninstallString))
    FUZZ_EXPECT(InstallFolderFromUninstallString(uninstallString).has_value() ||
                uninstallString.size() == 14);
  IsUninstallerFileName(candidate);
  return 0;
}
