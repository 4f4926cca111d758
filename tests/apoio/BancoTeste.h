#pragma once

#include <memory>
#include <string>
#include <vector>

#include "db/ConexaoBanco.h"
#include "db/Registro.h"

// A fresh installation in a temporary folder (removed with the object): Murt.ini in
// local mode for the year 2008, the data folder ARQ2008/ and its database
// ARQ2008/MURT2008.FDB with the suite's schema (a copy of one made per test program
// by ConexaoBanco::criarBanco and tools/schema.sql), optionally filled by a data
// script of tests/fixtures. Folders and file are open to every user, and no
// connection stays open between calls, so a Firebird server may take the file over.
class BancoTeste {
public:
    // `scriptDados`: a file name in tests/fixtures, an absolute path, or empty.
    explicit BancoTeste(const std::string& scriptDados = "");
    ~BancoTeste();
    BancoTeste(const BancoTeste&) = delete;
    BancoTeste& operator=(const BancoTeste&) = delete;

    // The installation folder, a POSIX path without trailing separator.
    const std::string& pasta() const { return pasta_; }
    // The same folder as the resolver writes it: backslashes, ending with one
    // (the value of Caminho_Base_Dados in Murt.ini).
    std::string pastaResolvedor() const;
    std::string arquivoMurtIni() const { return pasta_ + "/Murt.ini"; }
    std::string pastaDados() const { return pasta_ + "/ARQ2008"; }
    std::string caminhoBanco() const { return pastaDados() + "/MURT2008.FDB"; }

    // Ready to open the database embedded, as the suite's user.
    ParametrosConexao parametros() const;
    std::unique_ptr<ConexaoBanco> conectar() const;

    // Each through a connection of its own, closed at the end.
    void executar(const std::string& sql) const;
    void executarScript(const std::string& texto) const;
    void executarArquivo(const std::string& caminho) const;
    std::vector<Registro> consultar(const std::string& sql) const;

private:
    std::string pasta_;
};

// Whole files, as bytes.
void EscreverArquivo(const std::string& caminho, const std::string& conteudo);
std::string LerArquivo(const std::string& caminho);
// A file of tests/fixtures, or the path itself when it is absolute.
std::string CaminhoFixture(const std::string& nome);
