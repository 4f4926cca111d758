#pragma once

#include <string>

// The folder resolver: turns a short code into a folder or database path of the
// current year, from "Murt.ini" read afresh at every call. May create one folder;
// throws std::runtime_error ("Não é possível criar o diretório: " + folder) when that
// fails, and std::invalid_argument when a year or an offset is not a whole number.
std::string PEGA_CAMINHO(const std::string& codigo);
