// The one place that knows this platform's termination signals.
#include "shell/EncerramentoPorSinal.h"

#include <pthread.h>
#include <sys/socket.h>
#include <unistd.h>

#include <csignal>
#include <thread>

#include <QSocketNotifier>

namespace {

sigset_t SinaisDeEncerramento()
{
    sigset_t sinais;
    sigemptyset(&sinais);
    for (int sinal : {SIGTERM, SIGINT, SIGHUP})
        sigaddset(&sinais, sinal);
    return sinais;
}

}  // namespace

void BloquearSinaisDeEncerramento()
{
    const sigset_t sinais = SinaisDeEncerramento();
    pthread_sigmask(SIG_BLOCK, &sinais, nullptr);
}

void EncerrarAoReceberSinal(QObject* dono, std::function<void()> aoPedir)
{
    int canal[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, canal) != 0)
        return;
    const int leitura = canal[1];
    auto* aviso = new QSocketNotifier(leitura, QSocketNotifier::Read, dono);
    QObject::connect(aviso, &QSocketNotifier::activated, aviso, [leitura, aoPedir = std::move(aoPedir)] {
        char byte = 0;
        [[maybe_unused]] const ssize_t lido = ::read(leitura, &byte, 1);
        aoPedir();
    });
    // The waiting thread lives as long as the process; it only ever writes one byte
    // per request.
    std::thread([escrita = canal[0]] {
        const sigset_t sinais = SinaisDeEncerramento();
        for (;;) {
            int sinal = 0;
            if (sigwait(&sinais, &sinal) != 0)
                return;
            const char byte = 1;
            [[maybe_unused]] const ssize_t escrito = ::write(escrita, &byte, 1);
        }
    }).detach();
}
