// gedra-demo: creates a demo installation (Murt.ini and the database of a year with
// the accounts of a fictitious municipality) for trying the programs and for the
// benchmark.

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "db/ConexaoBanco.h"
#include "demo/Instalacao.h"

namespace {

constexpr int64_t LINHAS_PADRAO = 20000;
constexpr uint64_t SEMENTE_PADRAO = 1;
// Beyond this the plan of the year alone takes gigabytes.
constexpr int64_t LINHAS_MAXIMO = 100'000'000;

const char* const USO =
    "Uso: gedra-demo --out PASTA [--linhas N] [--semente S] [--substituir]\n"
    "Cria em PASTA uma instalação de demonstração: o Murt.ini (modo local) e a base de dados\n"
    "do exercício de 2008, ARQ2008/MURT2008.FDB, com os dados de um município fictício.\n"
    "  --out PASTA    pasta da instalação (criada quando não existe)\n"
    "  --linhas N     número de linhas do diário (CONDIA), 0 ou pelo menos 2; padrão 20000\n"
    "  --semente S    semente dos dados: a mesma semente dá a mesma base; padrão 1\n"
    "  --substituir   recria a base de dados quando ela já existe\n"
    "Código de saída: 0 criada; 1 falha na criação (a base anterior, se houver, fica intacta);\n"
    "2 argumentos inválidos ou base já existente.\n";

struct Opcoes {
    std::string pasta;
    int64_t linhas = LINHAS_PADRAO;
    uint64_t semente = SEMENTE_PADRAO;
    bool substituir = false;
    bool ajuda = false;
};

struct ErroUso {
    std::string mensagem;
};

template <class T>
T numero(std::string_view texto, const char* opcao)
{
    T valor{};
    const auto [fim, erro] = std::from_chars(texto.data(), texto.data() + texto.size(), valor);
    if (texto.empty() || erro != std::errc() || fim != texto.data() + texto.size())
        throw ErroUso{std::string("valor inválido para ") + opcao + ": \"" + std::string(texto) + "\""};
    return valor;
}

Opcoes lerOpcoes(int argc, char** argv)
{
    Opcoes o;
    bool temPasta = false;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        std::optional<std::string> valor;
        if (const auto igual = arg.find('='); arg.starts_with("--") && igual != std::string::npos) {
            valor = arg.substr(igual + 1);
            arg.resize(igual);
        }
        auto exigirValor = [&]() -> std::string {
            if (valor)
                return *valor;
            if (i + 1 >= argc)
                throw ErroUso{"falta o valor de " + arg};
            return argv[++i];
        };
        if (arg == "--out") {
            o.pasta = exigirValor();
            temPasta = true;
        } else if (arg == "--linhas") {
            o.linhas = numero<int64_t>(exigirValor(), "--linhas");
        } else if (arg == "--semente") {
            o.semente = numero<uint64_t>(exigirValor(), "--semente");
        } else if (arg == "--substituir" && !valor) {
            o.substituir = true;
        } else if ((arg == "--ajuda" || arg == "--help" || arg == "-h") && !valor) {
            o.ajuda = true;
        } else {
            throw ErroUso{"argumento desconhecido: " + std::string(argv[i])};
        }
    }
    if (o.ajuda)
        return o;
    if (!temPasta || o.pasta.empty())
        throw ErroUso{"informe a pasta da instalação com --out PASTA"};
    if (o.linhas < 0 || o.linhas == 1)
        throw ErroUso{"--linhas deve ser 0 ou pelo menos 2 (um lançamento tem ao menos duas linhas)"};
    if (o.linhas > LINHAS_MAXIMO)
        throw ErroUso{"--linhas não pode passar de " + std::to_string(LINHAS_MAXIMO)};
    return o;
}

// Why the installation must not be made there, or nothing.
std::optional<std::string> impedimento(const InstalacaoDemo& instalacao, bool substituir)
{
    std::error_code erro;
    if (std::filesystem::exists(instalacao.pasta(), erro) && !std::filesystem::is_directory(instalacao.pasta(), erro))
        return instalacao.pasta().string() + " existe e não é uma pasta";
    if (std::filesystem::exists(instalacao.banco(), erro) && !substituir)
        return "a base de dados " + instalacao.banco().string() + " já existe; use --substituir para recriá-la";
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv)
{
    Opcoes opcoes;
    std::optional<InstalacaoDemo> instalacao;
    try {
        opcoes = lerOpcoes(argc, argv);
        if (opcoes.ajuda) {
            std::fputs(USO, stdout);
            return 0;
        }
        instalacao.emplace(opcoes.pasta);
    } catch (const ErroUso& e) {
        std::fprintf(stderr, "gedra-demo: %s\n\n%s", e.mensagem.c_str(), USO);
        return 2;
    } catch (const std::invalid_argument& e) {
        std::fprintf(stderr, "gedra-demo: %s\n", e.what());
        return 2;
    }

    if (const auto motivo = impedimento(*instalacao, opcoes.substituir)) {
        std::fprintf(stderr, "gedra-demo: %s\n", motivo->c_str());
        return 2;
    }

    int codigo = 0;
    try {
        const int64_t linhas = instalacao->criarBanco(opcoes.linhas, opcoes.semente);
        instalacao->gravarMurtIni();
        std::printf("Instalação de demonstração em %s: %lld linhas de diário (CONDIA) em %s\n",
                    instalacao->pasta().c_str(), static_cast<long long>(linhas), instalacao->banco().c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "gedra-demo: não foi possível criar a instalação de demonstração em %s:\n%s\n",
                     instalacao->pasta().c_str(), e.what());
        codigo = 1;
    }
    std::fflush(stdout);
    EncerrarBibliotecasCliente();
    return codigo;
}
