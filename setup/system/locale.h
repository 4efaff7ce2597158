// Switches Windows to the Persian settings by registry values alone (code pages, default
// language, language group, locale, Farsi keyboard layout, the user's regional settings);
// they take effect after a restart. Mode 0 makes Arabic (0401) the default language, mode 1
// Persian (0429). A value of the wrong type or a refused write raises the registry's failure.
#pragma once
#include <cstdint>

void ApplyPersianLocale(uint8_t mode);
