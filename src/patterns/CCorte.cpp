#include "patterns/CCorte.h"

#include "document/UExcepciones.h"
#include "document/UGlobals.h"
#include "document/UTextos.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <utility>
#include <vector>

namespace {

std::unique_ptr<CCorte> HojaVacia(std::int32_t largo, std::int32_t ancho) {
    return CCorte::Create(largo, ancho, 0, 0, 0, 0, 0, 0);
}

[[noreturn]] void ErrorTexto() {
    throw EConversion(Textos::ErrorCrearPatron);
}

// The label language writes "(", ")" and ";" as "\1", "\2", "\3" and a line break of the
// source as "\ret"; a label that still holds one of them would break the text form, so it is
// written in the escaped form, which the language reads the same way.
std::string EtiquetaEscrita(const std::string& etiqueta) {
    if (etiqueta.find_first_of("();\r\n") == std::string::npos) {
        return etiqueta;
    }
    std::string s;
    s.reserve(etiqueta.size() + 8);
    for (std::size_t i = 0; i < etiqueta.size(); ++i) {
        const char c = etiqueta[i];
        switch (c) {
        case '(':
            s += "\\1";
            break;
        case ')':
            s += "\\2";
            break;
        case ';':
            s += "\\3";
            break;
        case '\r':
            if (i + 1 < etiqueta.size() && etiqueta[i + 1] == '\n') {
                ++i;
            }
            s += "\\ret";
            break;
        case '\n':
            s += "\\ret";
            break;
        default:
            s += c;
        }
    }
    return s;
}

bool LeerEntero32(std::string_view texto, std::int32_t& valor) {
    long long v = 0;
    if (!LeerEntero(Recortar(std::string(texto)), v) || v < INT32_MIN || v > INT32_MAX) {
        return false;
    }
    valor = static_cast<std::int32_t>(v);
    return true;
}

// Reader of the node text form over a view of the whole text; posicion is the first
// character not read yet.
class CLectorCorte {
public:
    explicit CLectorCorte(std::string_view texto) : FTexto(texto) {}

    std::size_t Posicion() const { return FPosicion; }

    // One node whose "(" has been read.
    std::unique_ptr<CCorte> Nodo(int profundidad) {
        if (FPosicion < FTexto.size() && FTexto[FPosicion] == ')') {
            ++FPosicion;
            return nullptr;
        }
        if (profundidad > CCorte::ProfundidadMaxima) {
            ErrorTexto();
        }
        const std::size_t abre = FTexto.find('(', FPosicion);
        if (abre == std::string_view::npos) {
            ErrorTexto();
        }
        std::string_view campos = FTexto.substr(FPosicion, abre - FPosicion);
        std::int32_t v[8] = {};
        for (int i = 0; i < 7; ++i) {
            const std::size_t pc = campos.find(';');
            if (pc == std::string_view::npos || !LeerEntero32(campos.substr(0, pc), v[i])) {
                ErrorTexto();
            }
            campos.remove_prefix(pc + 1);
        }
        std::string etiqueta = CCorte::EtiquetaDef;
        const std::size_t pc = campos.find(';');
        if (pc == std::string_view::npos) {
            if (!LeerEntero32(campos, v[7])) {
                ErrorTexto();
            }
        } else {
            if (!LeerEntero32(campos.substr(0, pc), v[7])) {
                ErrorTexto();
            }
            etiqueta = std::string(campos.substr(pc + 1));
        }
        // Text order: Largo, Ancho, Dir, LargoPz, AnchoPz, Pieza, RepX, RepY.
        auto n =
            CCorte::Create(v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], std::move(etiqueta));
        FPosicion = abre + 1;
        n->SetHijo1(Nodo(profundidad + 1));
        const std::size_t abre2 = FTexto.find('(', FPosicion);
        if (abre2 == std::string_view::npos) {
            ErrorTexto();
        }
        FPosicion = abre2 + 1;
        n->SetHijo2(Nodo(profundidad + 1));
        return n;
    }

private:
    std::string_view FTexto;
    std::size_t FPosicion = 0;
};

bool EnRango(std::int32_t v, std::int32_t minimo, std::int32_t maximo) {
    return v >= minimo && v <= maximo;
}

// The invariants of a tree read from a text, with bounds that keep every measure free of
// overflow. Walks without recursion.
bool ArbolValido(const CCorte* raiz) {
    if (!raiz) {
        return true;
    }
    std::vector<const CCorte*> pila{raiz};
    while (!pila.empty()) {
        const CCorte* n = pila.back();
        pila.pop_back();
        if (!EnRango(n->Largo(), 0, CCorte::LongitudMaximaNodo) ||
            !EnRango(n->Ancho(), 0, CCorte::LongitudMaximaNodo)) {
            return false;
        }
        if (n->Dir() == 0) {
            if (n->Hijo1() || n->Hijo2()) {
                return false;
            }
            if (!EnRango(n->Pieza(), -65535, 65535) ||
                !EnRango(n->LargoPz(), 0, CCorte::LongitudMaximaNodo) ||
                !EnRango(n->AnchoPz(), 0, CCorte::LongitudMaximaNodo) ||
                !EnRango(n->RepX(), 0, CCorte::LongitudMaximaNodo) ||
                !EnRango(n->RepY(), 0, CCorte::LongitudMaximaNodo)) {
                return false;
            }
            if (n->Pieza() != 0 && (n->LargoPz() < 1 || n->AnchoPz() < 1)) {
                return false;
            }
            if (static_cast<long long>(n->LargoPz()) * n->RepX() > n->Largo() ||
                static_cast<long long>(n->AnchoPz()) * n->RepY() > n->Ancho()) {
                return false;
            }
            continue;
        }
        if (n->Dir() != 1 && n->Dir() != -1) {
            return false;
        }
        const CCorte* a = n->Hijo1();
        const CCorte* b = n->Hijo2();
        if (!a || !b || n->Pieza() != 0 || n->LargoPz() != 0 || n->AnchoPz() != 0 ||
            n->RepX() != 0 || n->RepY() != 0) {
            return false;
        }
        if (n->Dir() == 1) {
            if (a->Ancho() != n->Ancho() || b->Ancho() != n->Ancho() ||
                static_cast<long long>(a->Largo()) + b->Largo() != n->Largo()) {
                return false;
            }
        } else if (a->Largo() != n->Largo() || b->Largo() != n->Largo() ||
                   static_cast<long long>(a->Ancho()) + b->Ancho() != n->Ancho()) {
            return false;
        }
        pila.push_back(b);
        pila.push_back(a);
    }
    return true;
}

} // namespace

CCorte::CCorte(std::int32_t largo, std::int32_t ancho, std::int32_t dir, std::int32_t largoPz,
               std::int32_t anchoPz, std::int32_t pieza, std::int32_t repX, std::int32_t repY,
               std::string etiqueta)
    : FDir(dir), FPieza(pieza), FLargo(largo), FAncho(ancho), FLargoPz(largoPz), FAnchoPz(anchoPz),
      FRepX(repX), FRepY(repY), FEtiqueta(std::move(etiqueta)) {}

std::unique_ptr<CCorte> CCorte::Create(std::int32_t largo, std::int32_t ancho, std::int32_t dir,
                                       std::int32_t largoPz, std::int32_t anchoPz,
                                       std::int32_t pieza, std::int32_t repX, std::int32_t repY,
                                       std::string etiqueta) {
    return std::make_unique<CCorte>(largo, ancho, dir, largoPz, anchoPz, pieza, repX, repY,
                                    std::move(etiqueta));
}

CCorte::~CCorte() {
    if (!FHijo1 && !FHijo2) {
        return;
    }
    // Each node taken off the list has already handed its children over, so its own
    // destructor returns at once.
    std::vector<std::unique_ptr<CCorte>> pendientes;
    pendientes.push_back(std::move(FHijo1));
    pendientes.push_back(std::move(FHijo2));
    while (!pendientes.empty()) {
        std::unique_ptr<CCorte> n = std::move(pendientes.back());
        pendientes.pop_back();
        if (n) {
            pendientes.push_back(std::move(n->FHijo1));
            pendientes.push_back(std::move(n->FHijo2));
        }
    }
}

void CCorte::SetDir(std::int32_t valor) {
    FDir = valor;
    FEtiqueta = EtiquetaDef;
}

void CCorte::SetPieza(std::int32_t valor) {
    FPieza = valor;
    FEtiqueta = EtiquetaDef;
}

void CCorte::SetHijo1(std::unique_ptr<CCorte> hijo) {
    FHijo1 = std::move(hijo);
}

void CCorte::SetHijo2(std::unique_ptr<CCorte> hijo) {
    FHijo2 = std::move(hijo);
}

std::int32_t CCorte::PosicionCorte() const {
    if (!FHijo1) {
        return 0;
    }
    if (FDir == 1) {
        return FHijo1->FLargo;
    }
    if (FDir == -1) {
        return FHijo1->FAncho;
    }
    return 0;
}

bool CCorte::EsPiezaSimple() const {
    return FDir == 0 && FPieza != 0 && LibreX() == 0 && LibreY() == 0 && FRepX == 1 && FRepY == 1;
}

std::int32_t CCorte::LibreX() const {
    if (FDir != 0) {
        return 0;
    }
    return static_cast<std::int32_t>(static_cast<long long>(FLargo) -
                                     static_cast<long long>(FLargoPz) * FRepX);
}

std::int32_t CCorte::LibreY() const {
    if (FDir != 0) {
        return 0;
    }
    return static_cast<std::int32_t>(static_cast<long long>(FAncho) -
                                     static_cast<long long>(FAnchoPz) * FRepY);
}

std::int32_t CCorte::CantidadNodos() const {
    std::int32_t cantidad = 0;
    std::vector<const CCorte*> pila{this};
    while (!pila.empty()) {
        const CCorte* n = pila.back();
        pila.pop_back();
        ++cantidad;
        if (n->FHijo1) {
            pila.push_back(n->FHijo1.get());
        }
        if (n->FHijo2) {
            pila.push_back(n->FHijo2.get());
        }
    }
    return cantidad;
}

std::int32_t CCorte::Profundidad() const {
    std::int32_t maxima = 0;
    std::vector<std::pair<const CCorte*, std::int32_t>> pila{{this, 1}};
    while (!pila.empty()) {
        auto [n, nivel] = pila.back();
        pila.pop_back();
        maxima = std::max(maxima, nivel);
        if (n->FHijo1) {
            pila.emplace_back(n->FHijo1.get(), nivel + 1);
        }
        if (n->FHijo2) {
            pila.emplace_back(n->FHijo2.get(), nivel + 1);
        }
    }
    return maxima;
}

std::unique_ptr<CCorte> CCorte::Copiar(const CCorte* n) {
    return CopiarArbol(n, false);
}

std::unique_ptr<CCorte> CCorte::CopiarConEtiquetas(const CCorte* n) {
    return CopiarArbol(n, true);
}

std::unique_ptr<CCorte> CCorte::CopiarArbol(const CCorte* n, bool conEtiquetas) {
    if (!n) {
        return nullptr;
    }
    auto copiaNodo = [conEtiquetas](const CCorte& o) {
        auto c = Create(o.FLargo, o.FAncho, o.FDir, o.FLargoPz, o.FAnchoPz, o.FPieza, o.FRepX,
                        o.FRepY, conEtiquetas ? o.FEtiqueta : std::string(EtiquetaDef));
        c->FMarco = o.FMarco;
        return c;
    };
    auto raiz = copiaNodo(*n);
    std::vector<std::pair<const CCorte*, CCorte*>> pila{{n, raiz.get()}};
    while (!pila.empty()) {
        auto [origen, destino] = pila.back();
        pila.pop_back();
        if (origen->FHijo1) {
            destino->FHijo1 = copiaNodo(*origen->FHijo1);
            pila.emplace_back(origen->FHijo1.get(), destino->FHijo1.get());
        }
        if (origen->FHijo2) {
            destino->FHijo2 = copiaNodo(*origen->FHijo2);
            pila.emplace_back(origen->FHijo2.get(), destino->FHijo2.get());
        }
    }
    return raiz;
}

void CCorte::Liberar(std::unique_ptr<CCorte>& n) {
    n.reset();
}

void CCorte::LimpiarPieza() {
    SetDir(0);
    SetPieza(0);
    FLargoPz = 0;
    FAnchoPz = 0;
    FRepX = 0;
    FRepY = 0;
}

void CCorte::AjustarLargo(std::int32_t largo) {
    std::vector<std::pair<CCorte*, std::int32_t>> pila{{this, largo}};
    while (!pila.empty()) {
        auto [n, l] = pila.back();
        pila.pop_back();
        const std::int32_t pos = n->PosicionCorte();
        n->FLargo = l;
        if (n->FDir == 1 && n->FHijo2) {
            pila.emplace_back(n->FHijo2.get(), l - pos);
        } else if (n->FDir == -1) {
            if (n->FHijo1) {
                pila.emplace_back(n->FHijo1.get(), l);
            }
            if (n->FHijo2) {
                pila.emplace_back(n->FHijo2.get(), l);
            }
        }
    }
}

void CCorte::AjustarAncho(std::int32_t ancho) {
    std::vector<std::pair<CCorte*, std::int32_t>> pila{{this, ancho}};
    while (!pila.empty()) {
        auto [n, a] = pila.back();
        pila.pop_back();
        const std::int32_t pos = n->PosicionCorte();
        n->FAncho = a;
        if (n->FDir == -1 && n->FHijo2) {
            pila.emplace_back(n->FHijo2.get(), a - pos);
        } else if (n->FDir == 1) {
            if (n->FHijo1) {
                pila.emplace_back(n->FHijo1.get(), a);
            }
            if (n->FHijo2) {
                pila.emplace_back(n->FHijo2.get(), a);
            }
        }
    }
}

bool CCorte::CortarVertical(std::int32_t pos) {
    if (FDir != 0) {
        return false;
    }
    if (FPieza != 0) {
        const auto bloque = static_cast<std::int32_t>(
            std::clamp<long long>(static_cast<long long>(FLargoPz) * FRepX, 0, FLargo));
        auto a = Copiar(this);
        a->FLargo = bloque;
        auto b = HojaVacia(FLargo - bloque, FAncho);
        LimpiarPieza();
        SetDir(1);
        FHijo1 = std::move(a);
        FHijo2 = std::move(b);
        return true;
    }
    if (pos == 0) {
        pos = FLargo / 2;
    }
    if (pos < 0 || pos > FLargo) {
        return false;
    }
    FHijo1 = HojaVacia(pos, FAncho);
    FHijo2 = HojaVacia(FLargo - pos, FAncho);
    SetDir(1);
    return true;
}

bool CCorte::CortarHorizontal(std::int32_t pos) {
    if (FDir != 0) {
        return false;
    }
    if (FPieza != 0) {
        const auto bloque = static_cast<std::int32_t>(
            std::clamp<long long>(static_cast<long long>(FAnchoPz) * FRepY, 0, FAncho));
        auto a = Copiar(this);
        a->FAncho = bloque;
        auto b = HojaVacia(FLargo, FAncho - bloque);
        LimpiarPieza();
        SetDir(-1);
        FHijo1 = std::move(a);
        FHijo2 = std::move(b);
        return true;
    }
    if (pos == 0) {
        pos = FAncho / 2;
    }
    if (pos < 0 || pos > FAncho) {
        return false;
    }
    FHijo1 = HojaVacia(FLargo, pos);
    FHijo2 = HojaVacia(FLargo, FAncho - pos);
    SetDir(-1);
    return true;
}

bool CCorte::PuedeUnir() const {
    if (FDir == 0 || !FHijo1 || !FHijo2 || FHijo1->FDir != 0 || FHijo2->FDir != 0) {
        return false;
    }
    const CCorte& a = *FHijo1;
    const CCorte& b = *FHijo2;
    if (a.FPieza == 0 || b.FPieza == 0) {
        return true;
    }
    // Same signed piece is also the same piece size in any consistent tree; the size test
    // keeps an inconsistent one from producing a block larger than its rectangle.
    if (a.FPieza != b.FPieza || a.FLargoPz != b.FLargoPz || a.FAnchoPz != b.FAnchoPz) {
        return false;
    }
    return FDir == 1 ? a.FRepY == b.FRepY : a.FRepX == b.FRepX;
}

bool CCorte::Unir() {
    if (!PuedeUnir()) {
        return false;
    }
    if (FHijo1->FPieza == 0 && FHijo2->FPieza != 0) {
        std::swap(FHijo1, FHijo2);
    }
    std::unique_ptr<CCorte> a = std::move(FHijo1);
    std::unique_ptr<CCorte> b = std::move(FHijo2);
    const std::int32_t dir = FDir;
    LimpiarPieza();
    if (a->FPieza != 0) {
        SetPieza(a->FPieza);
        FLargoPz = a->FLargoPz;
        FAnchoPz = a->FAnchoPz;
        FRepX = a->FRepX;
        FRepY = a->FRepY;
        if (b->FPieza != 0) {
            if (dir == 1) {
                FRepX = a->FRepX + b->FRepX;
            } else {
                FRepY = a->FRepY + b->FRepY;
            }
        }
    }
    return true;
}

bool CCorte::Intercambiar() {
    if (FDir == 0) {
        return false;
    }
    std::swap(FHijo1, FHijo2);
    return true;
}

bool CCorte::PuedeAmpliar() const {
    if (FDir == 0 || !FHijo1 || !FHijo2) {
        return false;
    }
    const CCorte& b = *FHijo2;
    if (b.FDir == FDir) {
        return b.FHijo1 && b.FHijo2;
    }
    if (b.EsVacio()) {
        return false;
    }
    return FDir == 1 ? b.LibreX() > 0 : b.LibreY() > 0;
}

bool CCorte::Ampliar() {
    if (!PuedeAmpliar()) {
        return false;
    }
    if (FHijo2->FDir == FDir) {
        std::unique_ptr<CCorte> a = std::move(FHijo1);
        std::unique_ptr<CCorte> b = std::move(FHijo2);
        std::unique_ptr<CCorte> b1 = std::move(b->FHijo1);
        std::unique_ptr<CCorte> b2 = std::move(b->FHijo2);
        auto nuevo = FDir == 1 ? Create(a->FLargo + b1->FLargo, FAncho, FDir, 0, 0, 0, 0, 0)
                               : Create(FLargo, a->FAncho + b1->FAncho, FDir, 0, 0, 0, 0, 0);
        nuevo->FHijo1 = std::move(a);
        nuevo->FHijo2 = std::move(b1);
        FHijo1 = std::move(nuevo);
        FHijo2 = std::move(b2);
        return true;
    }
    CCorte& a = *FHijo1;
    CCorte& b = *FHijo2;
    if (FDir == 1) {
        const std::int32_t g = b.LibreX();
        a.AjustarLargo(a.FLargo + g);
        b.AjustarLargo(b.FLargo - g);
    } else {
        const std::int32_t g = b.LibreY();
        a.AjustarAncho(a.FAncho + g);
        b.AjustarAncho(b.FAncho - g);
    }
    return true;
}

bool CCorte::PuedeReducir() const {
    if (FDir == 0 || !FHijo1 || !FHijo2) {
        return false;
    }
    const CCorte& a = *FHijo1;
    if (a.FDir == FDir) {
        return a.FHijo1 && a.FHijo2;
    }
    if (a.EsVacio()) {
        return false;
    }
    return FDir == 1 ? a.LibreX() > 0 : a.LibreY() > 0;
}

bool CCorte::Reducir() {
    if (!PuedeReducir()) {
        return false;
    }
    if (FHijo1->FDir == FDir) {
        std::unique_ptr<CCorte> a = std::move(FHijo1);
        std::unique_ptr<CCorte> b = std::move(FHijo2);
        std::unique_ptr<CCorte> a1 = std::move(a->FHijo1);
        std::unique_ptr<CCorte> a2 = std::move(a->FHijo2);
        auto nuevo = FDir == 1 ? Create(a2->FLargo + b->FLargo, FAncho, FDir, 0, 0, 0, 0, 0)
                               : Create(FLargo, a2->FAncho + b->FAncho, FDir, 0, 0, 0, 0, 0);
        nuevo->FHijo1 = std::move(a2);
        nuevo->FHijo2 = std::move(b);
        FHijo1 = std::move(a1);
        FHijo2 = std::move(nuevo);
        return true;
    }
    CCorte& a = *FHijo1;
    CCorte& b = *FHijo2;
    if (FDir == 1) {
        const std::int32_t g = a.LibreX();
        b.AjustarLargo(b.FLargo + g);
        a.AjustarLargo(a.FLargo - g);
    } else {
        const std::int32_t g = a.LibreY();
        b.AjustarAncho(b.FAncho + g);
        a.AjustarAncho(a.FAncho - g);
    }
    return true;
}

std::string CCorte::ATexto(const CCorte* n) {
    // Pre-order without recursion: a null entry with cerrar set stands for a node's ")".
    struct Paso {
        const CCorte* Nodo;
        bool Cerrar;
    };
    std::string s;
    std::vector<Paso> pila{{n, false}};
    while (!pila.empty()) {
        const Paso p = pila.back();
        pila.pop_back();
        if (p.Cerrar) {
            s += ')';
            continue;
        }
        if (!p.Nodo) {
            s += "()";
            continue;
        }
        const CCorte& c = *p.Nodo;
        s += '(';
        for (std::int32_t v :
             {c.FLargo, c.FAncho, c.FDir, c.FLargoPz, c.FAnchoPz, c.FPieza, c.FRepX, c.FRepY}) {
            s += std::to_string(v);
            s += ';';
        }
        s += EtiquetaEscrita(c.FEtiqueta);
        pila.push_back({nullptr, true});
        pila.push_back({c.FHijo2.get(), false});
        pila.push_back({c.FHijo1.get(), false});
    }
    return s;
}

std::unique_ptr<CCorte> CCorte::DeTexto(std::string& texto) {
    CLectorCorte lector(texto);
    std::unique_ptr<CCorte> n = lector.Nodo(1);
    if (!ArbolValido(n.get())) {
        ErrorTexto();
    }
    texto.erase(0, lector.Posicion());
    return n;
}

std::unique_ptr<CCorte> CCorte::LeerTexto(const std::string& texto) {
    if (texto.empty() || texto[0] != '(') {
        ErrorTexto();
    }
    std::string resto = texto.substr(1);
    return DeTexto(resto);
}

bool CCorte::Iguales(const CCorte* a, const CCorte* b) {
    std::vector<std::pair<const CCorte*, const CCorte*>> pila{{a, b}};
    while (!pila.empty()) {
        auto [x, y] = pila.back();
        pila.pop_back();
        if (!x || !y) {
            if (x != y) {
                return false;
            }
            continue;
        }
        if (x->FDir != y->FDir || x->FPieza != y->FPieza || x->FLargo != y->FLargo ||
            x->FAncho != y->FAncho || x->FLargoPz != y->FLargoPz || x->FAnchoPz != y->FAnchoPz ||
            x->FRepX != y->FRepX || x->FRepY != y->FRepY || x->FEtiqueta != y->FEtiqueta) {
            return false;
        }
        pila.emplace_back(x->FHijo1.get(), y->FHijo1.get());
        pila.emplace_back(x->FHijo2.get(), y->FHijo2.get());
    }
    return true;
}
