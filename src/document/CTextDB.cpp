#include "document/CTextDB.h"

#include "document/CGrilla.h"
#include "document/UExcepciones.h"
#include "document/UGlobals.h"
#include "document/UTextos.h"

#include <algorithm>
#include <string_view>

namespace {
constexpr const char* ClaveCantidad = "N";
}

CTextDB::CTextDB(const std::string& NombreArchivo) : CIniMemoria(NombreArchivo) {}

int CTextDB::LeerCantidad(const std::string& seccion) const {
    if (!ExisteClave(seccion, ClaveCantidad)) {
        return 0;
    }
    const std::string texto = LeerTexto(seccion, ClaveCantidad, "0");
    long long n = 0;
    if (!LeerEntero(texto, n) || n < 0) {
        throw EConversion(std::string(Textos::LaSeccion) + "[" + seccion + "]" +
                          Textos::CantidadRegistrosIncorrecta + Recortar(texto).substr(0, 40));
    }
    if (n > CantidadMaxima) {
        throw EConversion(std::string(Textos::LaSeccion) + "[" + seccion + "]" + Textos::Declara +
                          std::to_string(n) + Textos::CantidadRegistrosExcesiva +
                          std::to_string(CantidadMaxima));
    }
    return static_cast<int>(n);
}

void CTextDB::EscribirCantidad(const std::string& seccion, int n) {
    EscribirNumero(seccion, ClaveCantidad, n);
}

std::string CTextDB::LeerRegistro(const std::string& seccion, int i) const {
    std::string texto =
        std::to_string(i) + ";" + LeerTexto(seccion, std::to_string(i), "") + ";;;;;;";
    std::replace(texto.begin(), texto.end(), ';', '\n');
    return texto;
}

std::string CTextDB::LeerCampo(const std::string& seccion, int i, int k) const {
    if (k == 0) {
        return std::to_string(i);
    }
    if (k < 0) {
        return std::string();
    }
    // Only the field is copied: a damaged record may be megabytes long.
    const std::string* registro = Valor(seccion, std::to_string(i));
    const std::string_view valor = registro == nullptr ? std::string_view() : *registro;
    std::size_t inicio = 0;
    for (int campo = 1; inicio <= valor.size(); ++campo) {
        std::size_t fin = valor.find(';', inicio);
        if (fin == std::string_view::npos) {
            fin = valor.size();
        }
        if (campo == k) {
            std::string_view v = valor.substr(inicio, fin - inicio);
            while (!v.empty() && static_cast<unsigned char>(v.front()) <= ' ') {
                v.remove_prefix(1);
            }
            while (!v.empty() && static_cast<unsigned char>(v.back()) <= ' ') {
                v.remove_suffix(1);
            }
            return std::string(v);
        }
        inicio = fin + 1;
    }
    return std::string();
}

void CTextDB::EscribirRegistro(const std::string& seccion, int i, const std::string& textoFila) {
    std::string valor;
    valor.reserve(textoFila.size());
    for (std::size_t p = 0; p < textoFila.size(); ++p) {
        const char c = textoFila[p];
        if (c == '\r') {
            if (p + 1 < textoFila.size() && textoFila[p + 1] == '\n') {
                ++p;
            }
            valor += ';';
        } else if (c == '\n') {
            valor += ';';
        } else {
            valor += c;
        }
    }
    // Column 0 holds the record number, which the key already says.
    const std::size_t separador = valor.find(';');
    if (separador != std::string::npos) {
        valor.erase(0, separador + 1);
    }
    int n = 0;
    try {
        n = LeerCantidad(seccion);
    } catch (const EConversion&) {
        n = 0; // an unreadable count is replaced by the one this record implies
    }
    if (i > n || !ExisteClave(seccion, ClaveCantidad)) {
        EscribirCantidad(seccion, std::max(i, n));
    }
    EscribirTexto(seccion, std::to_string(i), valor);
}

void CTextDB::LeerGrilla(const std::string& seccion, CGrilla& grilla) const {
    const int n = LeerCantidad(seccion);
    grilla.AsignarFilas(std::max(2, n + 1));
    for (int fila = 1; fila < grilla.Filas(); ++fila) {
        grilla.AsignarTextoFila(fila, LeerRegistro(seccion, fila));
        for (int c = 0; c < grilla.Columnas(); ++c) {
            grilla.AsignarCelda(fila, c, Recortar(grilla.Celda(fila, c)));
        }
    }
}

void CTextDB::EscribirGrilla(const std::string& seccion, const CGrilla& grilla) {
    if (grilla.Filas() - 1 > CantidadMaxima) {
        throw EConversion(std::string(Textos::DemasiadasFilas) + std::to_string(CantidadMaxima));
    }
    BorrarSeccion(seccion);
    for (int fila = 1; fila < grilla.Filas(); ++fila) {
        EscribirRegistro(seccion, fila, grilla.TextoFila(fila));
    }
}
