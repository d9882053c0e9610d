#include "cli/CColaSincronizada.h"

void CColaSincronizada::Ejecutar(const std::function<void()>& llamada) {
    std::unique_lock<std::mutex> bloqueo(FMutex);
    FPendiente = &llamada;
    FTerminada = false;
    FError = nullptr;
    FHayLlamada.notify_one();
    FHecha.wait(bloqueo, [this] { return FTerminada; });
    FPendiente = nullptr;
    if (FError) {
        std::exception_ptr error = FError;
        FError = nullptr;
        std::rethrow_exception(error);
    }
}

bool CColaSincronizada::Atender(std::chrono::milliseconds espera) {
    std::unique_lock<std::mutex> bloqueo(FMutex);
    if (!FHayLlamada.wait_for(bloqueo, espera,
                              [this] { return FPendiente != nullptr && !FTerminada; })) {
        return false;
    }
    const std::function<void()>* llamada = FPendiente;
    // The call runs without the lock: the worker is waiting for it anyway.
    bloqueo.unlock();
    std::exception_ptr error;
    try {
        (*llamada)();
    } catch (...) {
        error = std::current_exception();
    }
    bloqueo.lock();
    FError = error;
    FTerminada = true;
    FHecha.notify_one();
    return true;
}
