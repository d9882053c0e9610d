#include "engine/CAjuste.h"

#include "document/CLanzamiento.h"
#include "document/UExcepciones.h"
#include "document/UTextos.h"
#include "engine/CSolucion.h"
#include "patterns/CCorte.h"
#include "patterns/CPatron.h"
#include "patterns/UPropiedades.h"

#include <utility>

namespace {

// Measures along the axis a cut of direction dir separates (X for 1, Y for -1) and across it.
std::int32_t Largo(const CCorte& n, int dir) {
    return dir == 1 ? n.Largo() : n.Ancho();
}
std::int32_t Ancho(const CCorte& n, int dir) {
    return dir == 1 ? n.Ancho() : n.Largo();
}
std::int32_t Libre(const CCorte& n, int dir) {
    return dir == 1 ? n.LibreX() : n.LibreY();
}
void AjustarLargo(CCorte& n, int dir, std::int32_t v) {
    dir == 1 ? n.AjustarLargo(v) : n.AjustarAncho(v);
}
void AjustarAncho(CCorte& n, int dir, std::int32_t v) {
    dir == 1 ? n.AjustarAncho(v) : n.AjustarLargo(v);
}
std::unique_ptr<CCorte> Nodo(std::int32_t largo, std::int32_t ancho, int dir, int dirNodo) {
    return dir == 1 ? CCorte::Create(largo, ancho, dirNodo, 0, 0, 0, 0, 0)
                    : CCorte::Create(ancho, largo, dirNodo, 0, 0, 0, 0, 0);
}

// Precondition of turning the cut n into a cut of direction dir.
bool PuedeGirar(const CCorte& n, int dir) {
    if (n.Dir() != -dir) {
        return false;
    }
    const CCorte& a = *n.Hijo1();
    const CCorte& b = *n.Hijo2();
    return (a.Dir() == dir && b.Dir() == dir && a.PosicionCorte() == b.PosicionCorte()) ||
           (a.Dir() == dir && b.EsVacio()) || (b.Dir() == dir && a.EsVacio()) ||
           (a.TienePieza() && Libre(a, dir) > 0 && b.EsVacio()) ||
           (b.TienePieza() && Libre(b, dir) > 0 && a.EsVacio());
}

// An empty leaf e becomes a cut in direction dir at the same position as its sibling s.
void Reflejar(CCorte& e, const CCorte& s, int dir) {
    const std::int32_t ancho = Ancho(e, dir);
    e.SetHijo1(Nodo(Largo(*s.Hijo1(), dir), ancho, dir, 0));
    e.SetHijo2(Nodo(Largo(*s.Hijo2(), dir), ancho, dir, 0));
    e.SetDir(dir);
}

bool Girar(CCorte& n, int dir) {
    if (!PuedeGirar(n, dir)) {
        return false;
    }
    if (n.Hijo1()->TienePieza() || n.Hijo2()->TienePieza()) {
        if (n.Hijo2()->TienePieza()) {
            n.Intercambiar();
        }
        n.SetDir(dir);
        CCorte& a = *n.Hijo1();
        CCorte& b = *n.Hijo2();
        const std::int32_t g = Libre(a, dir);
        AjustarAncho(a, dir, Ancho(n, dir));
        AjustarAncho(b, dir, Ancho(n, dir));
        AjustarLargo(a, dir, Largo(n, dir) - g);
        AjustarLargo(b, dir, g);
        return true;
    }
    if (n.Hijo1()->EsVacio()) {
        Reflejar(*n.Hijo1(), *n.Hijo2(), dir);
    } else if (n.Hijo2()->EsVacio()) {
        Reflejar(*n.Hijo2(), *n.Hijo1(), dir);
    }
    std::unique_ptr<CCorte> a = n.SoltarHijo1();
    std::unique_ptr<CCorte> b = n.SoltarHijo2();
    const std::int32_t p = Largo(*a->Hijo1(), dir);
    auto n1 = Nodo(p, Ancho(n, dir), dir, -dir);
    auto n2 = Nodo(Largo(n, dir) - p, Ancho(n, dir), dir, -dir);
    n1->SetHijo1(a->SoltarHijo1());
    n1->SetHijo2(b->SoltarHijo1());
    n2->SetHijo1(a->SoltarHijo2());
    n2->SetHijo2(b->SoltarHijo2());
    n.SetDir(dir);
    n.SetHijo1(std::move(n1));
    n.SetHijo2(std::move(n2));
    return true;
}

void HacerHojaVacia(CCorte& n) {
    n.LimpiarPieza();
    n.SetHijo1(nullptr);
    n.SetHijo2(nullptr);
}

// Levels from the root down to n (1 for the root), 0 when n is not in the tree.
std::int32_t NivelDe(const CCorte* raiz, const CCorte* n) {
    std::vector<std::pair<const CCorte*, std::int32_t>> pila;
    if (raiz != nullptr) {
        pila.emplace_back(raiz, 1);
    }
    while (!pila.empty()) {
        const auto [c, nivel] = pila.back();
        pila.pop_back();
        if (c == n) {
            return nivel;
        }
        for (const CCorte* h : {c->Hijo1(), c->Hijo2()}) {
            if (h != nullptr) {
                pila.emplace_back(h, nivel + 1);
            }
        }
    }
    return 0;
}

// Every piece leaf of s names a piece of the job.
bool PiezasDelTrabajo(const CCorte& s, std::int32_t numPiezas) {
    std::vector<const CCorte*> pila{&s};
    while (!pila.empty()) {
        const CCorte* c = pila.back();
        pila.pop_back();
        const long long pieza = c->Pieza();
        if (c->TienePieza() && (pieza > numPiezas || -pieza > numPiezas)) {
            return false;
        }
        for (const CCorte* h : {c->Hijo1(), c->Hijo2()}) {
            if (h != nullptr) {
                pila.push_back(h);
            }
        }
    }
    return true;
}

// Every node of the subtree has a length and a width.
bool SinPartesNulas(const CCorte& raiz) {
    std::vector<const CCorte*> pila{&raiz};
    while (!pila.empty()) {
        const CCorte* c = pila.back();
        pila.pop_back();
        if (c->Largo() < 1 || c->Ancho() < 1) {
            return false;
        }
        for (const CCorte* h : {c->Hijo1(), c->Hijo2()}) {
            if (h != nullptr) {
                pila.push_back(h);
            }
        }
    }
    return true;
}

// A block that holds no piece (RepX or RepY 0) has its whole leaf as free band; moving that
// band would leave a part of no size, which no saw can cut. The regrouping commands are
// therefore tried on a copy of the node and offered only when every part keeps a size.
template <class F> bool PruebaSana(const CCorte& n, F operacion) {
    auto copia = CCorte::Copiar(&n);
    return operacion(*copia) && SinPartesNulas(*copia);
}

} // namespace

bool CAjuste::PuedeCortarVertical(const CCorte& n) {
    return n.EsVacio() || n.LibreX() > 0;
}

bool CAjuste::PuedeCortarHorizontal(const CPatron& P, const CCorte& n) {
    return !P.Barras() && (n.EsVacio() || (n.LibreY() > 0 && n.LibreY() < n.Ancho()));
}

bool CAjuste::PuedeVerAHor(const CCorte& n) {
    return PuedeGirar(n, -1);
}
bool CAjuste::PuedeHorAVer(const CCorte& n) {
    return PuedeGirar(n, 1);
}
bool CAjuste::HorAVer(CCorte& n) {
    return Girar(n, 1);
}
bool CAjuste::VerAHor(CCorte& n) {
    return Girar(n, -1);
}

bool CAjuste::Puede(const CPatron& P, const CCorte& n, EAjuste op) {
    switch (op) {
    case EAjuste::CorteVer:
        return PuedeCortarVertical(n);
    case EAjuste::CorteHor:
        return PuedeCortarHorizontal(P, n);
    case EAjuste::Unir:
        return n.PuedeUnir();
    case EAjuste::Intercambiar:
        return !n.EsHoja();
    case EAjuste::Ampliar:
        return n.PuedeAmpliar() && PruebaSana(n, [](CCorte& c) { return c.Ampliar(); });
    case EAjuste::Reducir:
        return n.PuedeReducir() && PruebaSana(n, [](CCorte& c) { return c.Reducir(); });
    case EAjuste::VerAHor:
        return PuedeVerAHor(n) && PruebaSana(n, [](CCorte& c) { return Girar(c, -1); });
    case EAjuste::HorAVer:
        return PuedeHorAVer(n) && PruebaSana(n, [](CCorte& c) { return Girar(c, 1); });
    case EAjuste::Limpiar:
        return true;
    }
    return false;
}

RAjustesPosibles CAjuste::Posibles(const CPatron& P, const CCorte* n) {
    RAjustesPosibles r;
    if (n != nullptr) {
        r.CorteVer = Puede(P, *n, EAjuste::CorteVer);
        r.CorteHor = Puede(P, *n, EAjuste::CorteHor);
        r.Unir = Puede(P, *n, EAjuste::Unir);
        r.Intercambiar = Puede(P, *n, EAjuste::Intercambiar);
        r.Ampliar = Puede(P, *n, EAjuste::Ampliar);
        r.Reducir = Puede(P, *n, EAjuste::Reducir);
        r.VerToHor = Puede(P, *n, EAjuste::VerAHor);
        r.HorToVer = Puede(P, *n, EAjuste::HorAVer);
    }
    return r;
}

std::string CAjuste::TextoCopia(const CCorte& n) {
    return std::string(EtiquetaPortapapeles) + "," + CCorte::ATexto(&n);
}

bool CAjuste::EsTextoCorte(const std::string& texto) {
    const std::size_t coma = texto.find(',');
    return coma != std::string::npos && texto.compare(0, coma, EtiquetaPortapapeles) == 0;
}

CAjuste::CAjuste(CLanzamiento& lanzamiento) : FLanzamiento(lanzamiento) {}
CAjuste::~CAjuste() = default;

void CAjuste::Cerrar(std::unique_ptr<CPatron> copia, CPatron& P) {
    if (CCorte::Iguales(copia->Raiz(), P.Raiz())) {
        return;
    }
    P.RecontarPiezas(FLanzamiento.CantidadPiezas());
    FPila.push_back({std::move(copia), FLanzamiento.Solucion().Buscar(&P), 0});
    FLanzamiento.MarcarModificado();
}

bool CAjuste::Ejecutar(CPatron& P, CCorte& n, EAjuste op) {
    auto copia = CPatron::Copia(P);
    bool hecho = true;
    switch (op) {
    case EAjuste::CorteVer:
        if (n.TienePieza() && !PuedeCortarVertical(n)) {
            throw ECorteImposible(Textos::CorteImposible);
        }
        ::AsignarPropiedad(P, n, FLanzamiento, Textos::DirVertical, Textos::PropDirCorte);
        break;
    case EAjuste::CorteHor:
        if (n.TienePieza() && !P.Barras() && !PuedeCortarHorizontal(P, n)) {
            throw ECorteImposible(Textos::CorteImposible);
        }
        ::AsignarPropiedad(P, n, FLanzamiento, Textos::DirHorizontal, Textos::PropDirCorte);
        break;
    case EAjuste::Unir:
        hecho = n.Unir();
        break;
    case EAjuste::Intercambiar:
        hecho = n.Intercambiar();
        break;
    case EAjuste::Ampliar:
        hecho = Puede(P, n, op) && n.Ampliar();
        break;
    case EAjuste::Reducir:
        hecho = Puede(P, n, op) && n.Reducir();
        break;
    case EAjuste::VerAHor:
        hecho = Puede(P, n, op) && VerAHor(n);
        break;
    case EAjuste::HorAVer:
        hecho = Puede(P, n, op) && HorAVer(n);
        break;
    case EAjuste::Limpiar:
        HacerHojaVacia(n);
        break;
    }
    if (hecho) {
        Cerrar(std::move(copia), P);
    }
    return hecho;
}

void CAjuste::AsignarPropiedad(CPatron& P, CCorte& n, const std::string& valor,
                               const std::string& clave) {
    auto copia = CPatron::Copia(P);
    try {
        ::AsignarPropiedad(P, n, FLanzamiento, valor, clave);
    } catch (...) {
        Cerrar(std::move(copia), P);
        throw;
    }
    Cerrar(std::move(copia), P);
}

bool CAjuste::AsignarEtiqueta(CPatron& P, CCorte& n, const std::string& formato, bool propagar) {
    auto copia = CPatron::Copia(P);
    n.SetEtiqueta(formato);
    if (propagar) {
        // Without recursion: a pattern may be as deep as the reader allows.
        std::vector<CCorte*> pila;
        for (CCorte* h : {n.Hijo1(), n.Hijo2()}) {
            if (h != nullptr) {
                pila.push_back(h);
            }
        }
        while (!pila.empty()) {
            CCorte* m = pila.back();
            pila.pop_back();
            m->SetEtiqueta(formato);
            for (CCorte* h : {m->Hijo1(), m->Hijo2()}) {
                if (h != nullptr) {
                    pila.push_back(h);
                }
            }
        }
    }
    const std::size_t antes = FPila.size();
    Cerrar(std::move(copia), P);
    return FPila.size() != antes;
}

bool CAjuste::Pegar(CPatron& P, CCorte& n, const std::string& texto) {
    if (!EsTextoCorte(texto)) {
        return false;
    }
    const std::unique_ptr<CCorte> s = CCorte::LeerTexto(texto.substr(texto.find(',') + 1));
    if (s == nullptr || s->Largo() < 1 || s->Ancho() < 1) {
        throw EConversion(Textos::ErrorCrearPatron);
    }
    if (!PiezasDelTrabajo(*s, FLanzamiento.CantidadPiezas())) {
        throw EErrorIdPieza(Textos::ErrorIdPieza);
    }
    // Two cuts may be made above the pasted node.
    const long long nivel = static_cast<long long>(NivelDe(P.Raiz(), &n)) + 2 + s->Profundidad();
    if (s->Largo() > n.Largo() || s->Ancho() > n.Ancho() || nivel > CCorte::ProfundidadMaxima) {
        throw ECorteImposible(Textos::SemiproductoNoCabe);
    }
    auto copia = CPatron::Copia(P);
    HacerHojaVacia(n);
    CCorte* c = &n;
    if (s->Largo() < c->Largo()) {
        c->CortarVertical(s->Largo());
        c = c->Hijo1();
    }
    if (s->Ancho() < c->Ancho()) {
        c->CortarHorizontal(s->Ancho());
        c = c->Hijo1();
    }
    c->SetPieza(s->Pieza());
    c->SetLargoPz(s->LargoPz());
    c->SetAnchoPz(s->AnchoPz());
    c->SetDir(s->Dir());
    c->SetRepX(s->RepX());
    c->SetRepY(s->RepY());
    c->SetHijo1(CCorte::Copiar(s->Hijo1()));
    c->SetHijo2(CCorte::Copiar(s->Hijo2()));
    Cerrar(std::move(copia), P);
    return true;
}

void CAjuste::SoltarPieza(CPatron& P, CCorte& n, int pieza, bool rotada) {
    auto copia = CPatron::Copia(P);
    try {
        ::AsignarPropiedad(P, n, FLanzamiento, std::to_string(pieza), Textos::PropPieza);
        if (rotada) {
            ::AsignarPropiedad(P, n, FLanzamiento, Textos::RotadaSi, Textos::PropRotada);
        }
    } catch (...) {
        Cerrar(std::move(copia), P);
        throw;
    }
    Cerrar(std::move(copia), P);
}

void CAjuste::EliminarPatron(std::int32_t k) {
    CSolucion& sol = FLanzamiento.Solucion();
    if (k < 1 || k > sol.Cantidad()) {
        return;
    }
    auto patron = sol.SoltarPatron(k);
    sol.Eliminar(k);
    FPila.push_back({std::move(patron), k, 1});
    FLanzamiento.MarcarModificado();
}

void CAjuste::AgregarPatron(std::unique_ptr<CPatron> patron, std::int32_t k) {
    FLanzamiento.Solucion().Insertar(std::move(patron), k);
    FPila.push_back({nullptr, k, 2});
    FLanzamiento.MarcarModificado();
}

void CAjuste::GuardarDeshacer(const CPatron& P, std::uint8_t tipo) {
    FPila.push_back(
        {tipo < 2 ? CPatron::Copia(P) : nullptr, FLanzamiento.Solucion().Buscar(&P), tipo});
}

std::int32_t CAjuste::Deshacer() {
    if (FPila.empty()) {
        return 0;
    }
    REntrada e = std::move(FPila.back());
    FPila.pop_back();
    CSolucion& sol = FLanzamiento.Solucion();
    if (e.Indice < 1) {
        return 0;
    }
    switch (e.Tipo) {
    case 0:
        sol.FijarPatron(e.Indice, std::move(e.Copia));
        break;
    case 1:
        sol.Insertar(std::move(e.Copia), e.Indice);
        break;
    default:
        sol.Eliminar(e.Indice);
        break;
    }
    FLanzamiento.MarcarModificado();
    return e.Indice;
}

void CAjuste::VaciarDeshacer() {
    FPila.clear();
}
