#include "core/installation_rules.h"

#include "core/texts.h"

std::optional<int> FirstLocaleMode(const std::string& localeMode) {
  if (localeMode.empty()) return 0;
  if (localeMode == "1") return 1;
  return std::nullopt;
}

std::optional<std::string> TargetDriveRoot(const std::string& targetPath) {
  if (targetPath.empty()) return std::nullopt;
  return targetPath.substr(0, 1) + ":\\";
}

bool HasRoomFor(std::optional<uint64_t> freeBytes, uint64_t payloadBytes) {
  return freeBytes && *freeBytes >= payloadBytes;
}

FinalScreen FinalScreenFor(const std::string& localeMode) {
  return localeMode == "0" ? FinalScreen::kSuccessPicture : FinalScreen::kRestartQuestion;
}

std::string RestartQuestionText() {
  return std::string(27, ' ') + texts::kInstalledSuccessfully + '\r' + texts::kRestartAdvice +
         '\r' + std::string(20, ' ') + texts::kRestartQuestion;
}
