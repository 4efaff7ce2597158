// The decisions of the installation sequence, apart from its actions: which locale step runs
// first, whether the target drive has room, and what the final screen says.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

// The first locale step: mode 0 for an empty LocaleMode, mode 1 for exactly "1", none for
// every other value ("0", "1 " and "2" among them).
std::optional<int> FirstLocaleMode(const std::string& localeMode);

// The root of the drive whose free space is checked: the first character of the target
// path followed by ":\". An empty path has no drive.
std::optional<std::string> TargetDriveRoot(const std::string& targetPath);

// Room for the payload: a failed query never has room; free space equal to the payload's
// size is enough.
bool HasRoomFor(std::optional<uint64_t> freeBytes, uint64_t payloadBytes);

// The final screen: the picture with the success message for LocaleMode exactly "0",
// otherwise the restart question.
enum class FinalScreen { kSuccessPicture, kRestartQuestion };
FinalScreen FinalScreenFor(const std::string& localeMode);

// The restart question: three lines separated by a single CR each.
std::string RestartQuestionText();
