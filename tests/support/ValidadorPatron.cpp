#include "support/ValidadorPatron.h"

#include "document/CLanzamiento.h"
#include "patterns/CCorte.h"
#include "patterns/CPatron.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

namespace validacion {

namespace {

struct RBloque {
    long long X0, Y0, X1, Y1;
    std::string Donde;
};

std::string Nodo(const CCorte& n, long long x, long long y) {
    std::ostringstream s;
    s << "nodo " << n.Largo() << "x" << n.Ancho() << " en (" << x << "," << y << ")";
    return s.str();
}

// A block whose free bands the canonical form cut off: cuts down the first parts to one
// piece leaf, every second part an empty leaf. Answers the piece leaf, or null.
const CCorte* BloqueConSobrantes(const CCorte& n) {
    const CCorte* m = &n;
    while (m->Dir() != 0) {
        const CCorte* b = m->Hijo2();
        if (m->Hijo1() == nullptr || b == nullptr || !b->EsVacio()) {
            return nullptr;
        }
        m = m->Hijo1();
    }
    return (m != &n && m->Pieza() != 0) ? m : nullptr;
}

bool ComoHoja(const CCorte& n, bool sobrantesExplicitos) {
    return n.Dir() == 0 || (sobrantesExplicitos && BloqueConSobrantes(n) != nullptr);
}

bool SobranteValido(long long resto, long long minimo) {
    return resto == 0 || resto >= minimo;
}

// The cuts of a block (pieces of pl x pw, rx x ry of them, in a rectangle L x W) can be made
// in one order within the maximum cut: either the cuts along the length first (lines as
// long as the width) and then the pieces apart in each strip (lines as long as a piece), or
// the other way round.
bool BloqueCortable(long long L, long long W, long long pl, long long pw, long long rx,
                    long long ry, long long cm) {
    const bool verticales = rx > 1 || L > pl * rx;
    const bool horizontales = ry > 1 || W > pw * ry;
    const bool primeroVerticales = (!verticales || W <= cm) && (!horizontales || pl <= cm);
    const bool primeroHorizontales = (!horizontales || L <= cm) && (!verticales || pw <= cm);
    return primeroVerticales || primeroHorizontales;
}

class CRecorrido {
public:
    CRecorrido(const CPatron& p, const RReglasPatron& r) : P(p), R(r) {
        Cuenta.assign(P.CantPorPieza().size(), 0);
    }

    void Nodo_(const CCorte& n, long long x, long long y, int profundidad) {
        if (profundidad > 100000) {
            Problemas.push_back("árbol demasiado profundo");
            return;
        }
        const std::string donde = Nodo(n, x, y);
        if (n.Largo() < 1 || n.Ancho() < 1) {
            Problemas.push_back(donde + ": tamaño nulo o negativo");
        }
        if (n.Dir() == 1 || n.Dir() == -1) {
            Corte(n, x, y, profundidad, donde);
        } else if (n.Dir() == 0) {
            Hoja(n, x, y, donde);
        } else {
            Problemas.push_back(donde + ": dirección de corte " + std::to_string(n.Dir()));
        }
    }

    void Corte(const CCorte& n, long long x, long long y, int profundidad,
               const std::string& donde) {
        if (n.Pieza() != 0 || n.LargoPz() != 0 || n.AnchoPz() != 0 || n.RepX() != 0 ||
            n.RepY() != 0) {
            Problemas.push_back(donde + ": un corte con datos de pieza");
        }
        const CCorte* a = n.Hijo1();
        const CCorte* b = n.Hijo2();
        if (a == nullptr || b == nullptr) {
            Problemas.push_back(donde + ": un corte sin sus dos partes");
            return;
        }
        const bool vertical = n.Dir() == 1;
        const CCorte* bloque = R.SobrantesExplicitos ? BloqueConSobrantes(n) : nullptr;
        if (bloque != nullptr && !DentroDeBloque) {
            if (!BloqueCortable(n.Largo(), n.Ancho(), bloque->LargoPz(), bloque->AnchoPz(),
                                bloque->RepX(), bloque->RepY(), R.CorteMaximo)) {
                Problemas.push_back(donde +
                                    ": el bloque necesita cortes mayores que el corte máximo");
            }
            DentroDeBloque = true;
            Corte(n, x, y, profundidad, donde);
            DentroDeBloque = false;
            return;
        }
        // A guillotine cut runs through the whole rectangle: both parts span it across the
        // cut, and together they fill it along the cut.
        if (vertical) {
            if (a->Ancho() != n.Ancho() || b->Ancho() != n.Ancho() ||
                a->Largo() + b->Largo() != n.Largo()) {
                Problemas.push_back(donde + ": las partes del corte vertical no llenan el nodo");
            }
            if (!DentroDeBloque && n.Ancho() > R.CorteMaximo) {
                Problemas.push_back(donde + ": corte vertical de " + std::to_string(n.Ancho()) +
                                    " mayor que el corte máximo");
            }
        } else {
            if (a->Largo() != n.Largo() || b->Largo() != n.Largo() ||
                a->Ancho() + b->Ancho() != n.Ancho()) {
                Problemas.push_back(donde + ": las partes del corte horizontal no llenan el nodo");
            }
            if (!DentroDeBloque && n.Largo() > R.CorteMaximo) {
                Problemas.push_back(donde + ": corte horizontal de " + std::to_string(n.Largo()) +
                                    " mayor que el corte máximo");
            }
        }
        for (const CCorte* parte : {a, b}) {
            if (parte->EsVacio()) {
                const long long s = vertical ? parte->Largo() : parte->Ancho();
                if (!SobranteValido(s, R.SobranteMinimo)) {
                    Problemas.push_back(donde + ": parte vacía de " + std::to_string(s) +
                                        " menor que el sobrante mínimo");
                }
            }
        }
        Nodo_(*a, x, y, profundidad + 1);
        const long long pos = vertical ? a->Largo() : a->Ancho();
        Nodo_(*b, vertical ? x + pos : x, vertical ? y : y + pos, profundidad + 1);
    }

    void Hoja(const CCorte& n, long long x, long long y, const std::string& donde) {
        if (n.Hijo1() != nullptr || n.Hijo2() != nullptr) {
            Problemas.push_back(donde + ": una hoja con partes");
        }
        if (n.Pieza() == 0) {
            return;
        }
        const int pieza = std::abs(n.Pieza());
        if (n.LargoPz() < 1 || n.AnchoPz() < 1 || n.RepX() < 1 || n.RepY() < 1) {
            Problemas.push_back(donde + ": bloque de pieza " + std::to_string(n.Pieza()) +
                                " sin tamaño o sin repeticiones");
            return;
        }
        const long long largo = static_cast<long long>(n.LargoPz()) * n.RepX();
        const long long ancho = static_cast<long long>(n.AnchoPz()) * n.RepY();
        if (largo > n.Largo() || ancho > n.Ancho()) {
            Problemas.push_back(donde + ": el bloque no cabe en su nodo");
        }
        if (pieza >= static_cast<int>(Cuenta.size())) {
            Problemas.push_back(donde + ": pieza " + std::to_string(n.Pieza()) +
                                " fuera de la lista de piezas");
        } else {
            Cuenta[static_cast<std::size_t>(pieza)] += static_cast<long long>(n.RepX()) * n.RepY();
            ComprobarTamano(n, pieza, donde);
        }
        if (!SobranteValido(n.LibreX(), R.SobranteMinimo) ||
            !SobranteValido(n.LibreY(), R.SobranteMinimo)) {
            Problemas.push_back(donde + ": sobrante junto al bloque (" +
                                std::to_string(n.LibreX()) + ", " + std::to_string(n.LibreY()) +
                                ") menor que el sobrante mínimo");
        }
        if (!DentroDeBloque && !BloqueCortable(n.Largo(), n.Ancho(), n.LargoPz(), n.AnchoPz(),
                                               n.RepX(), n.RepY(), R.CorteMaximo)) {
            Problemas.push_back(donde + ": el bloque necesita cortes mayores que el corte máximo");
        }
        Bloques.push_back({x, y, x + largo, y + ancho, donde});
    }

    void ComprobarTamano(const CCorte& n, int pieza, const std::string& donde) {
        const CLanzamiento* job = P.Lanzamiento();
        if (!R.ComprobarTamanoPiezas || job == nullptr || pieza > job->CantidadPiezas()) {
            return;
        }
        const int k = P.AnchoCorte();
        int l = job->LargoPieza(pieza) + k;
        int w = P.Barras() ? 1 : job->AnchoPieza(pieza) + k;
        if (n.Pieza() < 0) {
            std::swap(l, w);
        }
        if (n.LargoPz() != l || n.AnchoPz() != w) {
            Problemas.push_back(donde + ": la pieza " + std::to_string(n.Pieza()) + " mide " +
                                std::to_string(n.LargoPz()) + "x" + std::to_string(n.AnchoPz()) +
                                " en vez de " + std::to_string(l) + "x" + std::to_string(w));
        }
    }

    const CPatron& P;
    const RReglasPatron& R;
    std::vector<long long> Cuenta;
    std::vector<RBloque> Bloques;
    std::vector<std::string> Problemas;
    // Inside a block whose offcuts were cut off: its cuts are judged with the block.
    bool DentroDeBloque = false;
};

} // namespace

RReglasPatron ReglasDelPatron(const CPatron& patron) {
    RReglasPatron r;
    const CLanzamiento* job = patron.Lanzamiento();
    if (job == nullptr) {
        return r;
    }
    const ROpciones& o = job->Opciones();
    const int k = patron.AnchoCorte();
    r.SobranteMinimo = (o.ChequearSobranteMinimo ? o.SobranteMinimo : 0) + k;
    if (!o.Barras && o.ChequearCorteMaximo) {
        r.CorteMaximo = o.CorteMaximo + k;
    }
    r.SobrantesExplicitos = o.ChequearSobrante;
    if (o.ChequearNivelCorte) {
        r.NivelCorte = std::clamp(o.NivelCorte, 1, 255);
    }
    const int m = patron.Material();
    if (m >= 1 && m <= job->CantidadMateriales()) {
        r.LargoRaiz = job->LargoMaterial(m) + k - patron.MargenIzq() - patron.MargenDer();
        r.AnchoRaiz =
            o.Barras ? 1 : job->AnchoMaterial(m) + k - patron.MargenSup() - patron.MargenInf();
    }
    return r;
}

int EtapasDe(const CCorte* nodo, bool sobrantesExplicitos) {
    if (nodo == nullptr || ComoHoja(*nodo, sobrantesExplicitos)) {
        return 0;
    }
    int etapas = 0;
    for (const CCorte* parte : {nodo->Hijo1(), nodo->Hijo2()}) {
        if (parte == nullptr) {
            continue;
        }
        const int e = ComoHoja(*parte, sobrantesExplicitos)
                          ? 1
                          : EtapasDe(parte, sobrantesExplicitos) + (parte->Dir() != nodo->Dir());
        etapas = std::max(etapas, e);
    }
    return etapas;
}

std::vector<std::string> ValidarPatron(const CPatron& patron, const RReglasPatron& reglas) {
    CRecorrido r(patron, reglas);
    const CCorte* raiz = patron.Raiz();
    if (raiz == nullptr) {
        r.Problemas.push_back("patrón sin árbol");
        return r.Problemas;
    }
    if ((reglas.LargoRaiz != 0 && raiz->Largo() != reglas.LargoRaiz) ||
        (reglas.AnchoRaiz != 0 && raiz->Ancho() != reglas.AnchoRaiz)) {
        r.Problemas.push_back("la raíz mide " + std::to_string(raiz->Largo()) + "x" +
                              std::to_string(raiz->Ancho()) + " y el material " +
                              std::to_string(reglas.LargoRaiz) + "x" +
                              std::to_string(reglas.AnchoRaiz));
    }
    r.Nodo_(*raiz, 0, 0, 0);

    // Pieces inside the usable rectangle and no two blocks overlapping.
    for (std::size_t a = 0; a < r.Bloques.size(); ++a) {
        const RBloque& p = r.Bloques[a];
        if (p.X0 < 0 || p.Y0 < 0 || p.X1 > raiz->Largo() || p.Y1 > raiz->Ancho()) {
            r.Problemas.push_back(p.Donde + ": el bloque sale del material");
        }
        for (std::size_t b = a + 1; b < r.Bloques.size(); ++b) {
            const RBloque& q = r.Bloques[b];
            if (p.X0 < q.X1 && q.X0 < p.X1 && p.Y0 < q.Y1 && q.Y0 < p.Y1) {
                r.Problemas.push_back(p.Donde + " y " + q.Donde + ": bloques superpuestos");
            }
        }
    }

    const ACantidades& cant = patron.CantPorPieza();
    for (std::size_t i = 1; i < cant.size(); ++i) {
        if (cant[i] != r.Cuenta[i]) {
            r.Problemas.push_back("CantPorPieza[" + std::to_string(i) +
                                  "] = " + std::to_string(cant[i]) + " pero el dibujo tiene " +
                                  std::to_string(r.Cuenta[i]));
        }
    }
    if (!cant.empty() && cant[0] != 0) {
        r.Problemas.push_back("CantPorPieza[0] no es 0");
    }

    if (reglas.NivelCorte > 0) {
        const int etapas = EtapasDe(raiz, reglas.SobrantesExplicitos);
        if (etapas > reglas.NivelCorte) {
            r.Problemas.push_back(std::to_string(etapas) + " etapas de corte y el límite es " +
                                  std::to_string(reglas.NivelCorte));
        }
    }
    return r.Problemas;
}

std::vector<std::string> ValidarPatron(const CPatron& patron) {
    return ValidarPatron(patron, ReglasDelPatron(patron));
}

std::string Texto(const std::vector<std::string>& problemas) {
    std::string t;
    for (const auto& p : problemas) {
        t += p;
        t += "\n";
    }
    return t;
}

} // namespace validacion
