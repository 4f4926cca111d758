#pragma once

#include <map>
#include <string>

// A temporary folder that stands for the executable's folder: it is the configuration
// folder (where Murt.ini is looked for) while the object lives, and is removed with it.
class InstalacaoTeste {
public:
    InstalacaoTeste();
    ~InstalacaoTeste();
    InstalacaoTeste(const InstalacaoTeste&) = delete;
    InstalacaoTeste& operator=(const InstalacaoTeste&) = delete;

    const std::string& pasta() const { return pasta_; }
    std::string arquivoMurtIni() const { return pasta_ + "/Murt.ini"; }

    // Writes Murt.ini with these keys in the section "MURT" (CR LF lines, bytes as given).
    void murt(const std::map<std::string, std::string>& chaves) const;
    // Writes Murt.ini with exactly this content.
    void murtBruto(const std::string& conteudo) const;

private:
    std::string pasta_;
    std::string pastaAnterior_;
};
