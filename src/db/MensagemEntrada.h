#pragma once

#include <vector>

#include <firebird/Interface.h>

#include "db/EstadoFirebird.h"
#include "db/Valor.h"

// The parameters ("?") of a prepared statement: values converted into the types the
// statement expects, in one buffer reused for every execution.
class MensagemEntrada {
public:
    MensagemEntrada() = default;
    ~MensagemEntrada();
    MensagemEntrada(const MensagemEntrada&) = delete;
    MensagemEntrada& operator=(const MensagemEntrada&) = delete;

    void preparar(EstadoFirebird& estado, Firebird::IStatement* comando);
    int quantidade() const { return static_cast<int>(base_.campos.size()); }

    // Fills the message from the values and gives the metadata to execute with.
    // Text blobs are written through the attachment and transaction. Throws ErroBanco
    // when a value does not convert.
    Firebird::IMessageMetadata* preencher(const std::vector<Valor>& valores, EstadoFirebird& estado,
                                          Firebird::IAttachment* anexo, Firebird::ITransaction* transacao);
    const unsigned char* dados() const { return atual_->buffer.data(); }

private:
    struct Campo {
        unsigned tipo;
        int escala;
        unsigned deslocamento;
        unsigned deslocamentoNulo;
        unsigned tamanho;
    };
    struct Formato {
        Firebird::IMessageMetadata* metadados = nullptr;
        std::vector<Campo> campos;
        std::vector<unsigned char> buffer;
        void ler(EstadoFirebird& estado, Firebird::IMessageMetadata* m);
    };

    bool cabe(const std::vector<Valor>& valores) const;
    void alargar(const std::vector<Valor>& valores, EstadoFirebird& estado);
    void escrever(Formato& f, const std::vector<Valor>& valores, EstadoFirebird& estado,
                  Firebird::IAttachment* anexo, Firebird::ITransaction* transacao);

    Formato base_;
    // Used for one execution when a text is longer than its parameter, so that the
    // database itself refuses it with its own message.
    Formato largo_;
    Formato* atual_ = &base_;
};
