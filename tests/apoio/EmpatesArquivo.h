#pragma once

#include <cstddef>
#include <string>

// Records that the database returns in its own order (journal records of one date and
// account, for example) are compared after each run of them is put in a fixed order:
// sorts each run of consecutive CR LF records whose `tamanho` characters from `inicio`
// are the same.
std::string OrdenarSeguidas(const std::string& arquivo, std::size_t inicio, std::size_t tamanho);
// The journal file: runs of the same date and account code.
std::string EmpatesDoDiario(const std::string& arquivo);
