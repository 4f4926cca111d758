#pragma once

#include <string>

// VERSAO_EXE: the file version that the running executable carries in its version
// record, as four decimal numbers joined by "." ("8.2.0.22").
std::string VERSAO_EXE();
