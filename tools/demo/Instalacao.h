#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

// A demo installation in one folder: Murt.ini in local mode, with the database of the
// year in the year's folder, where the folder resolver looks for it.
class InstalacaoDemo {
public:
    // Throws std::invalid_argument when the folder cannot be written in Murt.ini.
    explicit InstalacaoDemo(const std::filesystem::path& pasta);

    const std::filesystem::path& pasta() const { return pasta_; }
    std::filesystem::path pastaAno() const;
    std::filesystem::path banco() const;
    // The folder as Murt.ini holds it: backslashes, ending with one.
    std::string caminhoResolvedor() const;

    // Creates the database under a working name and puts it in place only when it is
    // complete, so that a failure never leaves a half-filled database (nor removes the
    // one being replaced). Gives the number of journal lines.
    int64_t criarBanco(int64_t linhas, uint64_t semente) const;
    void gravarMurtIni() const;

private:
    std::filesystem::path pasta_;
};
