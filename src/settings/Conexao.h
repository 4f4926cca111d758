#pragma once

#include <optional>
#include <string>

#include "db/ConexaoBanco.h"
#include "db/ErroBanco.h"
#include "settings/Mensageiro.h"

// The suite's database account.
inline constexpr const char* USUARIO_BANCO = "IYRVEJQ2";
extern const char* const SENHA_BANCO;

// The three parameter sets of the original connection components. Only part of each
// reaches Firebird (ParametrosConexao); the settings that only the old Delphi driver
// understood are kept here as named values, with why they have no effect.
struct ConjuntoParametros {
    const char* ConnectionName;
    const char* DriverName;
    const char* GetDriverFunc;        // driver entry function: no driver DLL here, the OO API is used directly
    const char* BlobSize;             // "-1": fetch whole blobs; our layer always reads them whole
    const char* CommitRetain;         // "False": plain commits, as ours are
    const char* LocaleCode;           // "0000": driver-side sorting locale; the database collates
    const char* RoleName;             // "RoleName" (none really): no role is sent
    const char* ServerCharSet;        // WIN1252 in every set here (see ParametrosConexao)
    const char* TransIsolation;       // "ReadCommited": mapped onto read committed
    const char* WaitOnLocks;          // "True": mapped onto wait
};
extern const ConjuntoParametros PARAMETROS_CONEXAO_PRINCIPAL;
extern const ConjuntoParametros PARAMETROS_TESTE_CONEXAO;
extern const ConjuntoParametros PARAMETROS_BLOQUEIO;

// "MURT" + Ano + ".FDB".
std::string NomeArquivoBanco();
// The parameters for a database name (resolver text): user, password, dialect,
// character set, client library from the DLL key.
ParametrosConexao ParametrosPara(const std::string& nomeBanco);

// True when a throw-away connection to PEGA_CAMINHO(code with its first "D" turned
// into "B") + file name opens; False when opening it fails. Failures before the
// connection (the resolver) reach the caller.
bool TESTA_CONEXAO(const std::string& arquivo, const std::string& codigo);

// TESTA_CONEXAO giving the failure instead of False; empty when the database opened.
std::optional<ErroBanco> FalhaTesteConexao(const std::string& arquivo, const std::string& codigo);

// Prepares and opens the shared connection: tests the year's database and opens it;
// when the test fails, shows "Base de Dados do sistema não encontrada !!! O Sistema
// será finalizado." (caption "Erro na Base de Dados"), asks the program to end and
// returns false without opening anything. A database file that another program holds
// in local mode gets a message of its own that says so.
bool ConexaoBeforeConnect(ConexaoBanco& Conexao, Mensageiro& mensageiro);
