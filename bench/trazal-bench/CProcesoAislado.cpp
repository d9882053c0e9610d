#include "CProcesoAislado.h"

#include "CFilaResultado.h"
#include "TextosBanco.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
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

CProcesoAislado::CProcesoAislado(const FuncionMedicion& medicion, const RResultado& base,
                                 double limiteSegundos)
    : FResultado(base), FLimite(limiteSegundos), FInicio(std::chrono::steady_clock::now()) {
    int tubo[2];
    if (::pipe(tubo) != 0) {
        FResultado.Estado = "error";
        FResultado.Motivo = TextosBanco::ProcesoTerminado;
        FTerminado = true;
        return;
    }
    std::fflush(stdout);
    std::fflush(stderr);
    FHijo = ::fork();
    if (FHijo == 0) {
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
    if (FHijo < 0) {
        ::close(tubo[0]);
        FResultado.Estado = "error";
        FResultado.Motivo = TextosBanco::ProcesoTerminado;
        FTerminado = true;
        return;
    }
    FTubo = tubo[0];
    ::fcntl(FTubo, F_SETFL, ::fcntl(FTubo, F_GETFL) | O_NONBLOCK);
}

CProcesoAislado::~CProcesoAislado() {
    if (!FTerminado && FHijo > 0) {
        Recoger(true);
    }
    if (FTubo >= 0) {
        ::close(FTubo);
    }
}

bool CProcesoAislado::Atender() {
    if (FTerminado) {
        return true;
    }
    for (;;) {
        char bloque[4096];
        const ssize_t n = ::read(FTubo, bloque, sizeof bloque);
        if (n > 0) {
            if (FRespuesta.size() < MaximoRespuesta) {
                FRespuesta.append(bloque, static_cast<std::size_t>(n));
            }
            continue;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n == 0) {
            Recoger(false); // the child closed its end: it is over
            return true;
        }
        break; // nothing more for now
    }
    const double pasados =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - FInicio).count();
    if (pasados > FLimite) {
        Recoger(true);
        return true;
    }
    return false;
}

void CProcesoAislado::Recoger(bool agotado) {
    if (agotado) {
        ::kill(FHijo, SIGKILL);
    }
    int estado = 0;
    rusage uso{};
    while (::wait4(FHijo, &estado, 0, &uso) < 0 && errno == EINTR) {
    }
    FTerminado = true;
    ::close(FTubo);
    FTubo = -1;
    const double segundos =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - FInicio).count();
    const double cpu = static_cast<double>(uso.ru_utime.tv_sec + uso.ru_stime.tv_sec) +
                       static_cast<double>(uso.ru_utime.tv_usec + uso.ru_stime.tv_usec) * 1e-6;
    FResultado.SegundosCpu = cpu;
    if (agotado) {
        FResultado.Estado = "tiempo";
        FResultado.Motivo = TextosBanco::TiempoAgotado;
        FResultado.Segundos = segundos;
        FResultado.MemoriaKb = uso.ru_maxrss;
        return;
    }
    if (const auto leido = CFilaResultado::Deserializar(FRespuesta)) {
        FResultado = *leido;
        FResultado.SegundosCpu = cpu;
        if (FResultado.MemoriaKb <= 0) {
            FResultado.MemoriaKb = uso.ru_maxrss;
        }
        return;
    }
    FResultado.Estado = "error";
    FResultado.Motivo = TextosBanco::ProcesoTerminado;
    if (WIFSIGNALED(estado)) {
        FResultado.Motivo += " (señal " + std::to_string(WTERMSIG(estado)) + ")";
    }
    FResultado.Segundos = segundos;
    FResultado.MemoriaKb = uso.ru_maxrss;
}

RResultado CProcesoAislado::Ejecutar(const FuncionMedicion& medicion, const RResultado& base,
                                     double limiteSegundos) {
    CProcesoAislado proceso(medicion, base, limiteSegundos);
    while (!proceso.Atender()) {
        pollfd espera{proceso.Descriptor(), POLLIN, 0};
        ::poll(&espera, 1, 200);
    }
    return proceso.Resultado();
}
