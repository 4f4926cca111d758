#pragma once

#include <string>
#include <string_view>

// The demo texts are written in UTF-8 in the source, for legibility, and stored as
// Windows-1252 bytes, like everything the database holds. Throws std::invalid_argument
// on a character that Windows-1252 has not.
std::string cp1252(std::string_view utf8);
