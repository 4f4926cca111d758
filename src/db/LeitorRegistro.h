#pragma once

#include <memory>
#include <string>
#include <vector>

#include <firebird/Interface.h>

#include "db/EstadoFirebird.h"
#include "db/Registro.h"
#include "db/Valor.h"

// Where a column of a result comes from: the table and column it reads, when it
// reads one directly (empty for expressions).
struct OrigemColuna {
    std::string tabela;
    std::string campo;
};

// Turns the output message of a statement into typed values. The layout of each
// column is taken once from the metadata, so that reading a row only converts.
class LeitorRegistro {
public:
    void preparar(EstadoFirebird& estado, Firebird::IMessageMetadata* metadados);

    const std::shared_ptr<const Colunas>& colunas() const { return colunas_; }
    const std::vector<OrigemColuna>& origens() const { return origens_; }
    unsigned tamanhoMensagem() const { return tamanhoMensagem_; }

    // Fills `valores` (resized to the number of columns) from one message. Text
    // blobs are read whole through the attachment and transaction.
    void ler(const unsigned char* mensagem, std::vector<Valor>& valores, EstadoFirebird& estado,
             Firebird::IAttachment* anexo, Firebird::ITransaction* transacao) const;

private:
    struct Coluna {
        unsigned tipo;
        int escala;
        unsigned deslocamento;
        unsigned deslocamentoNulo;
        unsigned tamanho;
    };
    std::vector<Coluna> layout_;
    std::shared_ptr<const Colunas> colunas_;
    std::vector<OrigemColuna> origens_;
    unsigned tamanhoMensagem_ = 0;
};

// Days of the database's date type (from 17 November 1858) and our Data.
::Data DataDeIsc(int dias);
int IscDeData(const ::Data& d);
