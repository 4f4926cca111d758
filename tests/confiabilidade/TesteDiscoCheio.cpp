// Output that cannot be written: the output folder on a small file system that fills
// up during the journal file, and on one mounted read-only. gedra-lote must end with
// exit status 3 and a message that names the file, leaving no partial or temporary
// file behind; the files finished before stay whole.

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>

#include <sys/mount.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "apoio/BancoTeste.h"
#include "apoio/Processo.h"
#include "confiabilidade/ApoioConfiabilidade.h"

namespace fs = std::filesystem;

namespace {

// A tmpfs mounted on a folder of the test for as long as the object lives.
class SistemaDeArquivosPequeno {
public:
    SistemaDeArquivosPequeno(const std::string& pasta, const std::string& opcoes, unsigned long marcas)
        : pasta_(pasta)
    {
        fs::create_directories(pasta_);
        if (::geteuid() != 0)
            motivo_ = "mounting a small file system needs root";
        else if (::mount("tmpfs", pasta_.c_str(), "tmpfs", marcas, opcoes.c_str()) != 0)
            motivo_ = std::string("mount -t tmpfs failed here: ") + std::strerror(errno);
        else
            montado_ = true;
    }
    ~SistemaDeArquivosPequeno()
    {
        if (montado_)
            ::umount2(pasta_.c_str(), MNT_DETACH);
    }
    SistemaDeArquivosPequeno(const SistemaDeArquivosPequeno&) = delete;
    SistemaDeArquivosPequeno& operator=(const SistemaDeArquivosPequeno&) = delete;

    // Empty when mounted; otherwise why not (for GTEST_SKIP).
    const std::string& motivo() const { return motivo_; }

private:
    std::string pasta_;
    std::string motivo_;
    bool montado_ = false;
};

class DiscoCheio : public ::testing::Test {
protected:
    std::string pasta;

    void SetUp() override
    {
        char modelo[] = "/tmp/gedra-disco-XXXXXX";
        ASSERT_NE(::mkdtemp(modelo), nullptr);
        pasta = modelo;
        // A year of 2000 journal lines: the journal file is about 560 Kb.
        const ResultadoProcesso demo =
            ExecutarComando(ProgramaCompilado("gedra-demo") + " --out '" + pasta + "/instalacao' --linhas 2000");
        ASSERT_EQ(demo.codigo, 0) << demo.saida;
    }
    void TearDown() override
    {
        std::error_code erro;
        fs::remove_all(pasta, erro);
    }

    ExecucaoLote gerar(const std::string& saida)
    {
        return ExecutarLote({"--config", pasta + "/instalacao", "--referencia", "TODOS", "--saida", saida});
    }
};

} // namespace

TEST_F(DiscoCheio, DiscoEnchendoNoMeioDoDiario)
{
    const std::string saida = pasta + "/saida";
    SistemaDeArquivosPequeno disco(saida, "size=64k", 0);
    if (!disco.motivo().empty())
        GTEST_SKIP() << disco.motivo();

    const ExecucaoLote r = gerar(saida);
    EXPECT_EQ(r.codigo, 3) << r.texto;
    EXPECT_NE(r.texto.find("N\xC3\xA3o foi poss\xC3\xADvel gravar o arquivo " + saida +
                           "/ARQ_4.1.1__LANC_DIARIO_GERAL.txt: n\xC3\xA3o h\xC3\xA1 espa\xC3\xA7o livre no disco."),
              std::string::npos)
        << r.texto;

    // Only the cost-centre file, finished before the disk filled up, and it is whole.
    EXPECT_EQ(ArquivosDaPasta(saida), std::set<std::string>{"ARQ_4.9.3__CENTRO_CUSTO_DESPESA.txt"});
    std::string motivo;
    EXPECT_TRUE(ArquivoCompleto(LerArquivo(saida + "/ARQ_4.9.3__CENTRO_CUSTO_DESPESA.txt"), motivo)) << motivo;
}

TEST_F(DiscoCheio, PastaSomenteLeitura)
{
    const std::string saida = pasta + "/saida";
    SistemaDeArquivosPequeno disco(saida, "size=64k", MS_RDONLY);
    if (!disco.motivo().empty())
        GTEST_SKIP() << disco.motivo();

    const ExecucaoLote r = gerar(saida);
    EXPECT_EQ(r.codigo, 3) << r.texto;
    EXPECT_NE(r.texto.find("N\xC3\xA3o foi poss\xC3\xADvel criar o arquivo " + saida +
                           "/ARQ_4.9.3__CENTRO_CUSTO_DESPESA.txt: a pasta est\xC3\xA1 num disco somente para leitura."),
              std::string::npos)
        << r.texto;
    EXPECT_TRUE(ArquivosDaPasta(saida).empty());
}
