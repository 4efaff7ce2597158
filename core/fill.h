// Fills the "%s" places of a text from core/texts.h with values, in order, so the texts
// keep their exact shape in one place and values of any length fit.
#pragma once
#include <initializer_list>
#include <string>

std::string FillText(const char* pattern, std::initializer_list<std::string> values);
