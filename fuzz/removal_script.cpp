// The removal script built from any paths: always thirteen lines, each path quoted once.
#include "core/removal.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput input(data, size);
  const int tries = input.Byte() % 100;
  const std::string extension = input.Text();
  const std::string self = input.Text();
  const std::string script = input.Rest();
  const std::string text = RemovalScript(self, script, tries);
  size_t lines = 0;
  for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2))
    ++lines;
  // Paths with line ends of their own add lines; without them the script has exactly 13.
  if (self.find_first_of("\r\n") == std::string::npos &&
      script.find_first_of("\r\n") == std::string::npos)
    FUZZ_EXPECT(lines == 13);
  FUZZ_EXPECT(RemovalScriptCommand(script).size() == script.size() + 2);
  ReplaceExtension(self, extension);
  return 0;
}
