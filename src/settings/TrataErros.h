#pragma once

#include <string>

#include "settings/Mensageiro.h"

// Turns a database error text into the operator's messages (caption "Erro"), one
// box per recognised kind, with the maintenance-lock check on its own connection.
void TRATA_ERRO_BANCO(const std::string& erro, Mensageiro& mensageiro);

// True when the error text holds the suite's maintenance-lock wording, the case in
// which TRATA_ERRO_BANCO tells who locked the database and why.
bool ERRO_DE_BLOQUEIO(const std::string& erro);
