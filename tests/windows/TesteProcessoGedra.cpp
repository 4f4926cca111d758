// The real executable: started with --config on a test installation, it opens the
// year's database and ends cleanly when the system asks it to.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "apoio/BancoTeste.h"

namespace {

bool TemArquivoAberto(pid_t pid, const std::string& caminho)
{
    std::error_code erro;
    for (const auto& fd : std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/fd", erro)) {
        std::error_code e;
        if (std::filesystem::read_symlink(fd.path(), e) == caminho)
            return true;
    }
    return false;
}

// Waits for the child to end, up to a generous limit; -1 when it is still running.
int EsperarFim(pid_t pid, std::chrono::seconds limite)
{
    const auto fim = std::chrono::steady_clock::now() + limite;
    while (std::chrono::steady_clock::now() < fim) {
        int estado = 0;
        if (::waitpid(pid, &estado, WNOHANG) == pid)
            return WIFEXITED(estado) ? WEXITSTATUS(estado) : 128 + WTERMSIG(estado);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return -1;
}

}  // namespace

TEST(ProcessoGedra, AbreABaseETerminaAoPedidoDoSistema)
{
    const std::string programa = std::string(GEDRA_BIN) + "/GedraMURT8";
    if (!std::filesystem::exists(programa))
        GTEST_SKIP() << "GedraMURT8 ainda não foi compilado";
    BancoTeste banco("janelas.sql");
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        ::execl(programa.c_str(), programa.c_str(), "MURT", "operador", "--config", banco.pasta().c_str(),
                static_cast<char*>(nullptr));
        ::_exit(127);
    }
    // Up once the database is open (the data module opens it before the window shows).
    bool aberta = false;
    for (int i = 0; i < 400 && !aberta; ++i) {
        aberta = TemArquivoAberto(pid, banco.caminhoBanco());
        if (!aberta)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    EXPECT_TRUE(aberta);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    ::kill(pid, SIGTERM);
    const int saida = EsperarFim(pid, std::chrono::seconds(60));
    if (saida < 0) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
    }
    EXPECT_EQ(saida, 0) << "o programa não terminou normalmente";
    EXPECT_FALSE(TemArquivoAberto(pid, banco.caminhoBanco()));
}
