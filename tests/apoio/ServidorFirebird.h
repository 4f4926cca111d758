#pragma once

#include <string>

#include <sys/types.h>

// A real Firebird 3 server on loopback for the tests of server mode. Everything it
// uses lies in a temporary folder of its own: a root with its own firebird.conf (a free
// TCP port, loopback only), a copy of the security database holding the suite's
// account, its own lock folder, and a data folder for the database files. The
// constructor starts it and waits until it accepts connections; the destructor stops
// it and removes the folder. Nothing outside is started or changed.
class ServidorFirebird {
public:
    // Empty when a server can run here; otherwise the reason (for GTEST_SKIP).
    static std::string motivoIndisponivel();

    // Throws std::runtime_error, with the server's output, when it cannot start.
    ServidorFirebird();
    ~ServidorFirebird();
    ServidorFirebird(const ServidorFirebird&) = delete;
    ServidorFirebird& operator=(const ServidorFirebird&) = delete;

    int porta() const { return porta_; }
    // "localhost/<port>": the value of Servidor in Murt.ini.
    std::string endereco() const;
    // Where the server may create and open database files.
    const std::string& pastaDados() const { return pastaDados_; }

    // A crash: the server process killed at once (SIGKILL), its clients cut off.
    void derrubar();
    // Starts it again on the same port, root and files, and waits until it listens.
    void reiniciar();

private:
    void prepararRaiz();
    void criarUsuario();
    void iniciar();
    void parar();

    std::string pasta_;
    std::string raiz_;
    std::string trava_;
    std::string pastaDados_;
    int porta_ = 0;
    pid_t pid_ = -1;
};
