#include "support/EjercicioLectores.h"

#include "document/CLanzamiento.h"
#include "document/ROpciones.h"
#include "document/UExcepciones.h"
#include "engine/CSolucion.h"
#include "patterns/CPatron.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>

namespace ejercicio {

namespace {

// The failures a damaged job is allowed to end in: the document's own error classes.
template <class F> void Tolerar(F&& f) {
    try {
        f();
    } catch (const EConversion&) {
    } catch (const EArchivo&) {
    } catch (const EErrorPropiedad&) {
    } catch (const EErrorIdPieza&) {
    }
}

void Comprobar(bool condicion, const std::string& que) {
    if (!condicion) {
        throw std::logic_error(que);
    }
}

// Records read per section: enough to meet every kind of damage, few enough for seconds.
constexpr int RegistrosLeidos = 300;

void Recorrer(const CLanzamiento& job) {
    Tolerar([&] { job.ComprobarOpciones(); });
    Tolerar([&] {
        for (int i = 1; i <= std::min(job.CantidadPiezas(), RegistrosLeidos); ++i) {
            Tolerar([&] { static_cast<void>(job.AreaPieza(i) + job.CantidadPieza(i)); });
            static_cast<void>(job.Desc1Pieza(i) + job.Desc2Pieza(i));
        }
    });
    Tolerar([&] {
        for (int i = 1; i <= std::min(job.CantidadMateriales(), RegistrosLeidos); ++i) {
            Tolerar([&] { static_cast<void>(job.AreaMaterial(i) + job.CantidadMaterial(i)); });
        }
    });
    Tolerar([&] { static_cast<void>(job.LeerHistorico()); });
    const CSolucion& s = job.Solucion();
    Comprobar(s.TotalPiezas() >= 0 && s.TotalRepeticiones() >= 0, "total negativo");
    int piezas = 0;
    Tolerar([&] { piezas = job.CantidadPiezas(); });
    for (const RTotalesPieza& t : s.TotalesPorPieza(piezas)) {
        Comprobar(t.Produccion >= 0, "producción negativa");
    }
    static_cast<void>(s.AprovechamientoReal() + s.AprovechamientoTeorico());
}

} // namespace

void LeerLanzamiento(const std::string& bytes, const std::filesystem::path& carpeta) {
    const auto ruta = carpeta / "mutado.lan";
    std::ofstream(ruta, std::ios::binary | std::ios::trunc) << bytes;
    std::string antes;
    Tolerar([&] {
        CLanzamiento job(ruta.string(), ROpciones());
        Recorrer(job);
        // What the job holds survives a save and a read back (the text a save writes, here
        // without the flush to the disk, which would make thousands of runs slow).
        job.EscribirOpciones();
        job.EscribirSolucion();
        std::ofstream(ruta, std::ios::binary | std::ios::trunc) << job.Texto();
        for (std::int32_t k = 1; k <= job.Solucion().Cantidad(); ++k) {
            if (const CPatron* p = job.Solucion().Patron(k)) {
                antes += p->ATexto() + "\n";
            }
        }
        CLanzamiento leido(ruta.string(), ROpciones());
        std::string despues;
        for (std::int32_t k = 1; k <= leido.Solucion().Cantidad(); ++k) {
            if (const CPatron* p = leido.Solucion().Patron(k)) {
                despues += p->ATexto() + "\n";
            }
        }
        Comprobar(antes == despues, "la solución cambia al guardarla y leerla");
        Comprobar(leido.Opciones() == job.Opciones(),
                  "las opciones cambian al guardarlas y leerlas");
        Recorrer(leido);
    });
}

void LeerPatron(const std::string& texto, int numPiezas) {
    std::string aviso;
    const auto p = CPatron::DeTexto(texto, numPiezas, nullptr, aviso);
    Comprobar(p != nullptr, "sin patrón");
    static_cast<void>(p->Aprovechamiento() + p->Desperdicio() + p->AreaSobrantes());
    Comprobar(p->TotalPiezas() >= 0, "total de piezas negativo");
    if (!aviso.empty() || p->Raiz() == nullptr) {
        return;
    }
    std::string otro;
    const auto q = CPatron::DeTexto(p->ATexto(), numPiezas, nullptr, otro);
    // Compared as written: a label read with a bare ";" is written with its escape, which
    // the label language reads as the same ";".
    Comprobar(otro.empty() && p->ATexto() == q->ATexto() && p->TotalPiezas() == q->TotalPiezas(),
              "el patrón no vuelve igual de su texto: «" + texto + "» se escribe «" + p->ATexto() +
                  "» y se lee «" + q->ATexto() + "»");
}

} // namespace ejercicio
