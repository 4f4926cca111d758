#pragma once

#include <cstdio>
#include <string>

// One digital file being written: records go to a temporary file in the output
// folder, which takes the final name only when concluir() is called. A file that is
// abandoned (descartar, or the destructor) leaves nothing behind, so a digital file
// under its final name is always complete. Write errors throw std::runtime_error with
// a message that names the file.
class ArquivoDigital {
public:
    explicit ArquivoDigital(std::string caminhoFinal);   // POSIX path
    ~ArquivoDigital();
    ArquivoDigital(const ArquivoDigital&) = delete;
    ArquivoDigital& operator=(const ArquivoDigital&) = delete;

    void abrir();                                  // deletes an earlier file of the same name first
    void escreverRegistro(const std::string& registro);   // the record, then CR LF
    long long registros() const { return registros_; }
    void concluir();                               // flush, close, rename to the final name
    void descartar();                              // close and remove the temporary file (and no final file)
    const std::string& caminhoFinal() const { return final_; }

private:
    std::string final_;
    std::string temporario_;
    std::FILE* f_ = nullptr;
    long long registros_ = 0;
};
