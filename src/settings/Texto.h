#pragma once

#include <string>

// Windows-1252 bytes to UTF-8 and back, for the terminal and the batch command's
// files (the windows have their own pair on QString). A character that
// Windows-1252 cannot hold becomes "?".
std::string Utf8De1252(const std::string& cp1252);
std::string Cp1252DeUtf8(const std::string& utf8);
