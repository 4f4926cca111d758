#pragma once

#include <string>
#include <vector>

// A small error log as a run writes it, with Windows-1252 accents.
std::vector<std::string> LogDeErros(int blocos);
