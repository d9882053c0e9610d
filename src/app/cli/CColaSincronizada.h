#pragma once

// Synchronized calls from a worker thread into the main thread: the worker hands over a
// function and waits until the main thread has run it, as the desktop program's window
// thread does for the calculation's display operations. One worker at a time.

#include <chrono>
#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>

class CColaSincronizada {
public:
    // Worker: runs `llamada` on the serving thread and returns when it has run; an exception
    // it raised is raised here again.
    void Ejecutar(const std::function<void()>& llamada);
    // Serving thread: runs the pending call, waiting for one at most `espera`. True when a
    // call was run.
    bool Atender(std::chrono::milliseconds espera);

private:
    std::mutex FMutex;
    std::condition_variable FHayLlamada;
    std::condition_variable FHecha;
    const std::function<void()>* FPendiente = nullptr;
    bool FTerminada = false;
    std::exception_ptr FError;
};
