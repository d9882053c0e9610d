// trazal-cli importar JOB.lan LIBRO --piezas|--materiales: appends the rows of a workbook
// sheet to the job's pieces or materials through the same rules as the import window, prints
// the count line and the errors workbook, and saves the job atomically (or under -o).

#include "cli/ArchivosCli.h"
#include "cli/Comandos.h"
#include "cli/TextosCli.h"

#include "document/UTextos.h"

#include <iostream>
#include <string>
#include <vector>

#if TRAZAL_CON_QT

#include "document/CEdicionLanzamiento.h"
#include "document/CImportacion.h"
#include "document/CImportacionGrilla.h"
#include "document/CLanzamiento.h"
#include "document/CLibroCalculo.h"
#include "exchange/CLectorLibros.h"
#include "exchange/CLibroErrores.h"

#include <exception>
#include <memory>
#include <optional>
#include <utility>

namespace {

struct RArgumentosImportar {
    std::string Lanzamiento;
    std::string Libro;
    std::string Salida;
    std::optional<TGrilla> Grilla;
    std::optional<std::string> Hoja;
    bool PrimeraFila = false;
    std::vector<std::pair<std::string, std::string>> Columnas;
    std::vector<std::pair<std::string, std::string>> Valores;
};

bool Par(const std::string& texto, std::vector<std::pair<std::string, std::string>>& destino) {
    const auto igual = texto.find('=');
    if (igual == std::string::npos || igual == 0) {
        return false;
    }
    destino.emplace_back(texto.substr(0, igual), texto.substr(igual + 1));
    return true;
}

bool LeerArgumentos(const std::vector<std::string>& a, RArgumentosImportar& r) {
    std::vector<std::string> posicionales;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const bool hayValor = i + 1 < a.size();
        if (a[i] == "--piezas" || a[i] == "--materiales") {
            if (r.Grilla) {
                return false;
            }
            r.Grilla = a[i] == "--piezas" ? TGrilla::Piezas : TGrilla::Materiales;
        } else if (a[i] == "--hoja" && hayValor) {
            r.Hoja = a[++i];
        } else if (a[i] == "--primera-fila") {
            r.PrimeraFila = true;
        } else if (a[i] == "--columna" && hayValor) {
            if (!Par(a[++i], r.Columnas)) {
                return false;
            }
        } else if (a[i] == "--valor" && hayValor) {
            if (!Par(a[++i], r.Valores)) {
                return false;
            }
        } else if (a[i] == "-o" && hayValor) {
            r.Salida = a[++i];
        } else if (!a[i].empty() && a[i][0] != '-') {
            posicionales.push_back(a[i]);
        } else {
            return false;
        }
    }
    if (posicionales.size() != 2 || !r.Grilla) {
        return false;
    }
    r.Lanzamiento = posicionales[0];
    r.Libro = posicionales[1];
    return true;
}

} // namespace

int ComandoImportar(const std::vector<std::string>& argumentos) {
    RArgumentosImportar a;
    if (!LeerArgumentos(argumentos, a)) {
        std::cerr << TextosCli::UsoImportar << "\n";
        return 2;
    }
    if (const std::string problema = ProblemaEntrada(a.Lanzamiento); !problema.empty()) {
        std::cerr << problema << "\n";
        return 2;
    }
    if (!a.Salida.empty()) {
        if (const std::string problema = ProblemaSalida(a.Lanzamiento, a.Salida, {".lan", ".pla"});
            !problema.empty()) {
            std::cerr << problema << "\n";
            return 2;
        }
    }
    std::unique_ptr<CLibroCalculo> libro;
    try {
        libro = CLectorLibros::Abrir(a.Libro);
    } catch (const std::exception& e) {
        std::cerr << e.what() << "\n";
        return 2;
    }
    int indice = libro->HojaActiva();
    if (a.Hoja) {
        indice = -1;
        for (int i = 0; i < libro->Hojas(); ++i) {
            if (libro->Hoja(i).Nombre() == *a.Hoja) {
                indice = i;
            }
        }
        if (indice < 0) {
            std::cerr << Textos::HojaInexistente << "\"" << *a.Hoja << "\"\n";
            return 2;
        }
    }
    const CHojaCalculo& hoja = libro->Hoja(indice);

    std::unique_ptr<CEdicionLanzamiento> edicion;
    try {
        edicion = std::make_unique<CEdicionLanzamiento>(
            std::make_unique<CLanzamiento>(a.Lanzamiento, ROpciones()));
        edicion->LeerDelLanzamiento();
    } catch (const std::exception& e) {
        std::cerr << Textos::ErrorCrearLanzamiento << e.what() << "\n";
        return 2;
    }
    // A length of a row the job already has would reset its solution: never without asking.
    edicion->FijarPreguntar([](const std::string&, int, bool) { return Respuesta::No; });
    CImportacion importacion;
    CImportacionGrilla dueno(*edicion, *a.Grilla, importacion, nullptr);
    if (a.PrimeraFila) {
        importacion.MapearEncabezados(hoja);
    }
    for (const auto& [campo, columna] : a.Columnas) {
        const int f = importacion.BuscarCampo(campo);
        if (f < 0) {
            std::cerr << TextosCli::CampoDesconocido << campo << "\n";
            return 2;
        }
        importacion.AsignarColumna(f, columna);
    }
    for (const auto& [campo, valor] : a.Valores) {
        const int f = importacion.BuscarCampo(campo);
        if (f < 0) {
            std::cerr << TextosCli::CampoDesconocido << campo << "\n";
            return 2;
        }
        importacion.AsignarValor(f, valor);
    }
    RProgresoImportacion ultimo;
    importacion.OnProgreso = [&](const RProgresoImportacion& p) { ultimo = p; };
    const std::string fallo = importacion.Transferir(hoja, a.PrimeraFila);
    if (!fallo.empty()) {
        std::cerr << fallo << "\n";
        return 2;
    }
    std::cout << CImportacion::LineaCuenta(ultimo) << "\n";
    if (importacion.Erroneos() > 0) {
        const std::string ruta = CLibroErrores::Ruta(a.Libro);
        try {
            CLibroErrores::Escribir(ruta, importacion.Errores());
            std::cout << CLibroErrores::Mensaje(importacion.Erroneos(), ruta) << "\n";
        } catch (const std::exception& e) {
            std::cerr << e.what() << "\n";
        }
    }
    std::cout << Textos::ImportacionTerminada << "\n";
    try {
        edicion->GuardarGrillas();
        CLanzamiento& job = edicion->Lanzamiento();
        if (!a.Salida.empty()) {
            job.GuardarComo(a.Salida);
        }
        job.Guardar();
    } catch (const std::exception& e) {
        std::cerr << TextosCli::ImportacionNoGuardada << e.what() << "\n";
        return 2;
    }
    return 0;
}

#else

int ComandoImportar(const std::vector<std::string>&) {
    std::cerr << Textos::CliSinQt << "\n";
    return 2;
}

#endif
