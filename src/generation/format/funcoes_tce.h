#pragma once

#include <string>

#include "generation/format/Data.h"
#include "generation/format/Moeda.h"

// The field routines of the digital files. Texts are Windows-1252 byte strings:
// a character is one byte and a length counts bytes. None of them fails on any text.

std::string COMPLETA_BRANCOS(int largura, const std::string& texto);
std::string ZEROS_ESQUERDA(const std::string& texto, int largura);
std::string VALOR_ZEROS(const std::string& texto, int largura);
std::string SO_NUMEROS(const std::string& texto);
std::string TIRA_QUEBRAS(const std::string& texto);
std::string TIRA_ACENTOS(const std::string& texto);
std::string LIMPA_TEXTO(const std::string& texto);
std::string TIRA_PONTOS(const std::string& texto);
std::string DATA_DDMMAAAA(const Data& data);

// Fixed-point text with exactly `casas` decimals, a leading "-" when negative,
// rounded half away from zero. The separator stands for the regional one.
std::string FORMATA_DECIMAL(int casas, Moeda valor, char separador = ',');
// On a double the value is first taken to 18 significant digits, so 1234.565
// gives «1234,57» and 0.125 «0,13».
std::string FORMATA_DECIMAL(int casas, double valor, char separador = ',');

// Last day of the month; throws std::invalid_argument for a month outside 1..12 or a
// year outside 1..9998.
int ULTIMO_DIA_MES(int mes, int ano);

void INDICADOR_DC(const std::string& natureza, const std::string& conta, Moeda valor, std::string& indicador);

// Upper-cases the letters a to z only (the conversion the original used for codes
// and error texts); every other byte stays.
std::string MAIUSCULAS_AZ(const std::string& texto);
