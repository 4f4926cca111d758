#pragma once

#include <functional>

class QObject;

// The requests to end that the system sends the program (the session ending, Ctrl-C
// in a terminal). They must never interrupt the database engine's threads, whose
// waits do not survive it: the program blocks them in every thread before any thread
// starts, and one thread of its own waits for them.
void BloquearSinaisDeEncerramento();
// From then on each request runs `aoPedir` on the user-interface thread. `dono` owns
// the notifier.
void EncerrarAoReceberSinal(QObject* dono, std::function<void()> aoPedir);
