#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "apoio/BancoTeste.h"
#include "apoio/RelatorGravador.h"
#include "balances/uDataModulo.h"
#include "db/ConexaoBanco.h"
#include "generation/Geracao.h"

// The run's recorder, also keeping the wait window's captions and how far GTodos went; it can ask to cancel
// once a given step label has been shown.
class GravadorSaldos : public RelatorGravador {
public:
    std::vector<std::string> legendasLongas;
    std::string cancelarAposEtapa;
    int maximoTodos = 0;
    int maiorProgressoTodos = 0;

    void medidor(Medidor qual, int maximo, int progresso) override;
    void inicioEtapaLonga(const std::string& legenda) override;
    bool cancelamentoPedido() override;
};

// A fresh year from saldos.sql. The connection opens in abrir(), so that a test can
// change the schema (a constraint, a trigger) before.
class Saldos : public ::testing::Test {
protected:
    BancoTeste banco{"saldos.sql"};
    ConexaoBanco Conexao;
    GravadorSaldos relator;
    Tdm dm{Conexao, relator};
    std::filesystem::path saida;

    void abrir();
    // A run for the entity text; indice 0 is "TODOS", 1 to 12 a month.
    ResultadoGeracao gerar(const std::string& empresa, int indice = 0);
    std::string arquivo(const std::string& nome) const { return (saida / nome).string(); }
    // Rows of CONPLA_MES as «MES UG BALCO SALDO_INICIAL DEBIT CREDI SALDO_FINAL TIPO_FINAL»,
    // ordered by type, entity and account.
    std::vector<std::string> conplaMes(const std::string& condicao);
    // The first column of the first row, as text.
    std::string consultarTexto(const std::string& sql);
};

// One record of the monthly balances file: amounts are given in cents.
std::string saldo(const std::string& data, const std::string& conta, const std::string& inicial, char indInicial,
                  const std::string& debito, const std::string& credito, const std::string& final_, char indFinal);
// One record of the chart-of-accounts file of 2008.
std::string plano(const std::string& conta, char tipo, const std::string& totalizadora, const std::string& descricao);
