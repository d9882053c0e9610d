#include "CProcesoAislado.h"

#include "CFilaResultado.h"
#include "TextosBanco.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <poll.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

long long CampoEstado(const char* campo) {
    std::ifstream estado("/proc/self/status");
    std::string linea;
    const std::string prefijo = std::string(campo) + ":";
    while (std::getline(estado, linea)) {
        if (linea.rfind(prefijo, 0) == 0) {
            try {
                return std::stoll(linea.substr(prefijo.size()));
            } catch (const std::exception&) {
                return 0;
            }
        }
    }
    return 0;
}

void EscribirTodo(int fd, const std::string& texto) {
    std::size_t hecho = 0;
    while (hecho < texto.size()) {
        const ssize_t n = ::write(fd, texto.data() + hecho, texto.size() - hecho);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return;
        }
        hecho += static_cast<std::size_t>(n);
    }
}

// Longest answer read from a child: one row.
constexpr std::size_t MaximoRespuesta = 1 << 20;

} // namespace

long long CProcesoAislado::PicoMemoriaKb() {
    return CampoEstado("VmHWM");
}
long long CProcesoAislado::MemoriaActualKb() {
    return CampoEstado("VmRSS");
}

RResultado CProcesoAislado::Ejecutar(const FuncionMedicion& medicion, const RResultado& base,
                                     double limiteSegundos) {
    int tubo[2];
    if (::pipe(tubo) != 0) {
        RResultado r = base;
        r.Estado = "error";
        r.Motivo = TextosBanco::ProcesoTerminado;
        return r;
    }
    std::fflush(stdout);
    std::fflush(stderr);
    const pid_t hijo = ::fork();
    if (hijo == 0) {
        ::close(tubo[0]);
        RResultado r;
        try {
            r = medicion();
        } catch (const std::exception& e) {
            r = base;
            r.Estado = "error";
            r.Motivo = e.what();
        }
        r.MemoriaKb = PicoMemoriaKb();
        EscribirTodo(tubo[1], CFilaResultado::Serializar(r) + "\n");
        ::close(tubo[1]);
        // No exit handlers: they belong to the runner, not to this copy of it.
        ::_exit(0);
    }
    ::close(tubo[1]);
    RResultado r = base;
    if (hijo < 0) {
        ::close(tubo[0]);
        r.Estado = "error";
        r.Motivo = TextosBanco::ProcesoTerminado;
        return r;
    }

    const auto inicio = std::chrono::steady_clock::now();
    std::string respuesta;
    bool agotado = false;
    for (;;) {
        const double pasados =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count();
        if (pasados > limiteSegundos) {
            agotado = true;
            break;
        }
        pollfd espera{tubo[0], POLLIN, 0};
        const int restante = static_cast<int>((limiteSegundos - pasados) * 1000) + 1;
        const int listo = ::poll(&espera, 1, std::min(restante, 1000));
        if (listo < 0 && errno != EINTR) {
            break;
        }
        if (listo <= 0) {
            continue;
        }
        char bloque[4096];
        const ssize_t n = ::read(tubo[0], bloque, sizeof bloque);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break; // end of the answer
        }
        if (respuesta.size() < MaximoRespuesta) {
            respuesta.append(bloque, static_cast<std::size_t>(n));
        }
    }
    ::close(tubo[0]);
    if (agotado) {
        ::kill(hijo, SIGKILL);
    }
    int estado = 0;
    rusage uso{};
    while (::wait4(hijo, &estado, 0, &uso) < 0 && errno == EINTR) {
    }
    const double segundos =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count();
    if (agotado) {
        r.Estado = "tiempo";
        r.Motivo = TextosBanco::TiempoAgotado;
        r.Segundos = segundos;
        r.MemoriaKb = uso.ru_maxrss;
        return r;
    }
    if (const auto leido = CFilaResultado::Deserializar(respuesta)) {
        r = *leido;
        if (r.MemoriaKb <= 0) {
            r.MemoriaKb = uso.ru_maxrss;
        }
        return r;
    }
    r.Estado = "error";
    r.Motivo = TextosBanco::ProcesoTerminado;
    if (WIFSIGNALED(estado)) {
        r.Motivo += " (señal " + std::to_string(WTERMSIG(estado)) + ")";
    }
    r.Segundos = segundos;
    r.MemoriaKb = uso.ru_maxrss;
    return r;
}
