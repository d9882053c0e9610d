#include "document/CImportacion.h"

#include "document/CHojaCalculo.h"
#include "document/UExcepciones.h"
#include "document/UGlobals.h"
#include "document/UTextos.h"

#include <algorithm>
#include <cctype>

namespace {

std::string Mayusculas(std::string s) {
    for (auto& c : s) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return s;
}

void Reemplazar(std::string& texto, const std::string& marca, const std::string& valor) {
    if (const auto p = texto.find(marca); p != std::string::npos) {
        texto.replace(p, marca.size(), valor);
    }
}

// The next filled cell moving from `desde` along a line of `limite` cells, as End does: to
// the end of a block when the next cell is filled, else to the next filled cell after the
// gap; the limit when nothing follows.
template <class Lleno> int Extremo(int limite, Lleno lleno) {
    limite = std::max(limite, 1);
    int i = 1;
    if (lleno(1) && i + 1 <= limite && lleno(2)) {
        while (i + 1 <= limite && lleno(i + 1)) {
            ++i;
        }
        return i;
    }
    for (i = 2; i <= limite; ++i) {
        if (lleno(i)) {
            return i;
        }
    }
    return limite;
}

} // namespace

void CImportacion::AgregarCampo(const std::string& nombre, const std::string& columna,
                                const std::string& valor) {
    FCampos.push_back({nombre, columna, valor});
}

void CImportacion::AsignarColumna(int i, const std::string& columna) {
    FCampos.at(static_cast<std::size_t>(i)).Columna = columna;
}

void CImportacion::AsignarValor(int i, const std::string& valor) {
    FCampos.at(static_cast<std::size_t>(i)).Valor = valor;
}

int CImportacion::BuscarCampo(const std::string& nombre) const {
    const std::string buscado = Mayusculas(nombre);
    for (std::size_t i = 0; i < FCampos.size(); ++i) {
        if (Mayusculas(FCampos[i].Nombre) == buscado) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void CImportacion::MapearEncabezados(const CHojaCalculo& hoja) {
    for (auto& c : FCampos) {
        c.Columna.clear();
    }
    const int n = UltimaColumna(hoja);
    for (int c = 1; c <= n; ++c) {
        const auto celda = hoja.Celda(1, c);
        if (!celda) {
            continue;
        }
        if (const int f = BuscarCampo(Recortar(*celda)); f >= 0) {
            FCampos[static_cast<std::size_t>(f)].Columna = LetrasColumna(c);
        }
    }
}

int CImportacion::UltimaFila(const CHojaCalculo& hoja) {
    return Extremo(hoja.Filas(), [&](int f) { return hoja.Celda(f, 1).has_value(); });
}

int CImportacion::UltimaColumna(const CHojaCalculo& hoja) {
    return Extremo(hoja.Columnas(), [&](int c) { return hoja.Celda(1, c).has_value(); });
}

int CImportacion::NumeroColumna(const std::string& letras) {
    if (letras.empty() || letras.size() > 3) {
        return 0;
    }
    int n = 0;
    for (const char c : letras) {
        const int u = std::toupper(static_cast<unsigned char>(c));
        if (u < 'A' || u > 'Z') {
            return 0;
        }
        n = n * 26 + (u - 'A' + 1);
    }
    return n <= MaximoColumnas ? n : 0;
}

std::string CImportacion::LetrasColumna(int columna) {
    std::string s;
    while (columna > 0) {
        const int r = (columna - 1) % 26;
        s.insert(s.begin(), static_cast<char>('A' + r));
        columna = (columna - 1) / 26;
    }
    return s;
}

void CImportacion::ComprobarColumnas() const {
    for (const auto& campo : FCampos) {
        const std::string columna = Recortar(campo.Columna);
        if (columna.empty() || NumeroColumna(columna) > 0) {
            continue;
        }
        // Letters that name no column of a sheet (beyond XFD), or no letters at all.
        const bool letras = std::all_of(columna.begin(), columna.end(), [](char c) {
            return std::isalpha(static_cast<unsigned char>(c)) != 0;
        });
        std::string mensaje = letras ? Textos::ColumnaFueraDeHoja : Textos::ColumnaIncorrecta;
        Reemplazar(mensaje, "%U", LetrasColumna(MaximoColumnas));
        Reemplazar(mensaje, "%C", columna);
        Reemplazar(mensaje, "%F", campo.Nombre);
        throw EConversion(mensaje);
    }
}

std::string CImportacion::Transferir(const CHojaCalculo& hoja, bool primeraFilaEncabezado) {
    const int primera = primeraFilaEncabezado ? 2 : 1;
    const int ultima = UltimaFila(hoja);
    RProgresoImportacion p;
    p.Total = std::max(0, ultima - primera + 1);
    FErrores.clear();
    FCorrectos = 0;
    FDetenido = false;
    std::string fallo;
    try {
        ComprobarColumnas();
        const int campos = Campos();
        std::vector<int> columnas(FCampos.size());
        for (std::size_t f = 0; f < FCampos.size(); ++f) {
            columnas[f] = NumeroColumna(Recortar(FCampos[f].Columna));
        }
        TValoresFila valores(FCampos.size());
        if (OnAntes) {
            OnAntes();
        }
        for (int r = primera; r <= ultima; ++r) {
            bool demasiadoLarga = false;
            for (std::size_t f = 0; f < FCampos.size(); ++f) {
                valores[f].reset();
                if (!FCampos[f].Valor.empty()) {
                    valores[f] = FCampos[f].Valor;
                }
                if (columnas[f] > 0) {
                    valores[f] = hoja.Celda(r, columnas[f]);
                    if (valores[f] && valores[f]->size() > MaximoCelda && !demasiadoLarga) {
                        std::string mensaje = Textos::CeldaDemasiadoLarga;
                        Reemplazar(mensaje, "%C", LetrasColumna(columnas[f]) + std::to_string(r));
                        AnotarError(r, mensaje);
                        demasiadoLarga = true;
                    }
                }
            }
            ++p.Procesados;
            if (!demasiadoLarga && OnRegistro) {
                OnRegistro(valores, campos, r);
            }
            p.Correctos = FCorrectos;
            p.Erroneos = Erroneos();
            if (OnProgreso) {
                OnProgreso(p);
            }
            if (p.Procesados % 5 == 0 && OnEventos) {
                OnEventos();
            }
            if (FDetenido) {
                throw EUserAbortImport();
            }
        }
    } catch (const EUserAbortImport&) {
    } catch (const std::exception& e) {
        fallo = e.what();
    }
    if (OnDespues) {
        OnDespues();
    }
    return fallo;
}

void CImportacion::AnotarError(int fila, const std::string& descripcion) {
    std::string d = descripcion;
    for (std::size_t p; (p = d.find("\r\n")) != std::string::npos;) {
        d.replace(p, 2, " ");
    }
    FErrores.push_back({fila, std::move(d)});
}

std::string CImportacion::LineaCuenta(const RProgresoImportacion& p) {
    std::string s = Textos::ImportarCuenta;
    Reemplazar(s, "%R", std::to_string(p.Procesados));
    Reemplazar(s, "%T", std::to_string(p.Total));
    Reemplazar(s, "%I", std::to_string(p.Correctos));
    Reemplazar(s, "%E", std::to_string(p.Erroneos));
    return s;
}
