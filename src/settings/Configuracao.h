#pragma once

#include <string>

// The folder where "Murt.ini" lies: the executable's folder by default, another one
// with gedra-lote --config. A POSIX path without a trailing separator.
std::string PastaConfiguracao();
void DefinirPastaConfiguracao(const std::string& pasta);
// The folder of the running executable (from /proc/self/exe).
std::string PastaExecutavel();
// PastaConfiguracao() + "/Murt.ini".
std::string ArquivoMurtIni();

// One value of an INI file, read afresh: section and key matched without regard to
// case; a missing file, section or key gives `padrao`. Values are kept raw (backslashes).
std::string LerIni(const std::string& arquivo, const std::string& secao, const std::string& chave,
                   const std::string& padrao = "");
// Writes one value, creating the file and the section when missing and keeping the rest
// of the file. Throws std::runtime_error when the file cannot be written.
void GravarIni(const std::string& arquivo, const std::string& secao, const std::string& chave,
               const std::string& valor);

// A resolver text (with backslashes) as a path on this workstation: each backslash is
// a folder separator.
std::string CaminhoLocal(const std::string& textoResolvedor);
