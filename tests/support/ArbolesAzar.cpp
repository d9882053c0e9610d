#include "support/ArbolesAzar.h"

#include "patterns/CCorte.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

namespace azar {

namespace {

bool Moneda(std::mt19937& rng, double p) {
    return std::bernoulli_distribution(p)(rng);
}

std::int32_t Entre(std::mt19937& rng, std::int32_t a, std::int32_t b) {
    return std::uniform_int_distribution<std::int32_t>(a, b)(rng);
}

RDimPieza DimSegunSigno(const TablaPiezas& piezas, std::int32_t pieza) {
    const RDimPieza& d = piezas[static_cast<std::size_t>(std::abs(pieza))];
    return pieza < 0 ? RDimPieza{d.Ancho, d.Largo} : d;
}

std::unique_ptr<CCorte> Vacia(std::int32_t largo, std::int32_t ancho) {
    return CCorte::Create(largo, ancho, 0, 0, 0, 0, 0, 0);
}

// A signed piece that fits largo x ancho, or 0.
std::int32_t PiezaQueCabe(std::mt19937& rng, const RParametrosArbol& p, const TablaPiezas& piezas,
                          std::int32_t largo, std::int32_t ancho) {
    const int n = static_cast<int>(piezas.size()) - 1;
    for (int intento = 0; intento < 4 && n > 0; ++intento) {
        std::int32_t pieza = Entre(rng, 1, n);
        if (p.Rotar && !p.Barras && Moneda(rng, 0.3)) {
            pieza = -pieza;
        }
        const RDimPieza d = DimSegunSigno(piezas, pieza);
        if (d.Largo <= largo && d.Ancho <= ancho) {
            return pieza;
        }
    }
    return 0;
}

std::unique_ptr<CCorte> Hoja(std::mt19937& rng, const RParametrosArbol& p,
                             const TablaPiezas& piezas, std::int32_t largo, std::int32_t ancho) {
    if (Moneda(rng, p.ProbabilidadVacia)) {
        return Vacia(largo, ancho);
    }
    const std::int32_t pieza = PiezaQueCabe(rng, p, piezas, largo, ancho);
    if (pieza == 0) {
        return Vacia(largo, ancho);
    }
    const RDimPieza d = DimSegunSigno(piezas, pieza);
    const std::int32_t maxX = largo / d.Largo;
    const std::int32_t maxY = ancho / d.Ancho;
    const std::int32_t repX = Moneda(rng, 0.5) ? maxX : Entre(rng, 1, maxX);
    const std::int32_t repY = Moneda(rng, 0.5) ? maxY : Entre(rng, 1, maxY);
    return CCorte::Create(largo, ancho, 0, d.Largo, d.Ancho, pieza, repX, repY);
}

std::unique_ptr<CCorte> Nodo(std::mt19937& rng, const RParametrosArbol& p,
                             const TablaPiezas& piezas, std::int32_t largo, std::int32_t ancho,
                             int profundidad) {
    const bool puedeV = largo >= 2;
    const bool puedeH = !p.Barras && ancho >= 2;
    std::unique_ptr<CCorte> n;
    if (profundidad >= p.ProfundidadMaxima || !(puedeV || puedeH) ||
        Moneda(rng, p.ProbabilidadHoja)) {
        n = Hoja(rng, p, piezas, largo, ancho);
    } else {
        const std::int32_t dir = puedeV && puedeH ? (Moneda(rng, 0.5) ? 1 : -1) : (puedeV ? 1 : -1);
        const std::int32_t tamano = dir == 1 ? largo : ancho;
        std::int32_t pos = 0;
        if (Moneda(rng, p.ProbabilidadCorteNulo)) {
            pos = Moneda(rng, 0.5) ? 0 : tamano;
        } else {
            pos = Entre(rng, 1, tamano - 1);
        }
        n = CCorte::Create(largo, ancho, dir, 0, 0, 0, 0, 0);
        // Now and then a block split across the cut into two blocks of the same piece with the
        // same count across it: the case the canonical form must merge.
        const std::int32_t pieza =
            Moneda(rng, 0.25) ? PiezaQueCabe(rng, p, piezas, largo, ancho) : 0;
        const RDimPieza d = pieza ? DimSegunSigno(piezas, pieza) : RDimPieza{};
        const std::int32_t paso = dir == 1 ? d.Largo : d.Ancho;
        if (pieza != 0 && tamano / paso >= 2) {
            pos = paso * Entre(rng, 1, tamano / paso - 1);
            const std::int32_t otro = dir == 1 ? ancho / d.Ancho : largo / d.Largo;
            const std::int32_t rep = Entre(rng, 1, otro);
            auto bloque = [&](std::int32_t tam) {
                const std::int32_t l = dir == 1 ? tam : largo;
                const std::int32_t a = dir == 1 ? ancho : tam;
                const std::int32_t r = Entre(rng, 1, tam / paso);
                return dir == 1 ? CCorte::Create(l, a, 0, d.Largo, d.Ancho, pieza, r, rep)
                                : CCorte::Create(l, a, 0, d.Largo, d.Ancho, pieza, rep, r);
            };
            n->SetHijo1(bloque(pos));
            n->SetHijo2(bloque(tamano - pos));
        } else if (dir == 1) {
            n->SetHijo1(Nodo(rng, p, piezas, pos, ancho, profundidad + 1));
            n->SetHijo2(Nodo(rng, p, piezas, largo - pos, ancho, profundidad + 1));
        } else {
            n->SetHijo1(Nodo(rng, p, piezas, largo, pos, profundidad + 1));
            n->SetHijo2(Nodo(rng, p, piezas, largo, ancho - pos, profundidad + 1));
        }
    }
    if (Moneda(rng, p.ProbabilidadEtiqueta)) {
        n->SetEtiqueta(EtiquetaAzar(rng));
    }
    return n;
}

} // namespace

TablaPiezas PiezasAzar(std::mt19937& rng, int n, std::int32_t maxLargo, std::int32_t maxAncho,
                       bool barras) {
    TablaPiezas t(static_cast<std::size_t>(n) + 1);
    for (int i = 1; i <= n; ++i) {
        t[static_cast<std::size_t>(i)] = {Entre(rng, 1, maxLargo),
                                          barras ? 1 : Entre(rng, 1, maxAncho)};
    }
    return t;
}

std::unique_ptr<CCorte> ArbolAzar(std::mt19937& rng, const RParametrosArbol& parametros,
                                  const TablaPiezas& piezas) {
    return Nodo(rng, parametros, piezas, parametros.Largo, parametros.Barras ? 1 : parametros.Ancho,
                0);
}

std::string EtiquetaAzar(std::mt19937& rng) {
    static const char* const trozos[] = {
        "\\def", "#P", "#SL", " ",   "\\hcen",         "\\vcen",  "\\1", "\\2",
        "\\3",   "x",  "Ñ",   "\\n", "\\if#P=0\\then", "\\endif", "  "};
    std::string s;
    const int n = Entre(rng, 0, 4);
    for (int i = 0; i < n; ++i) {
        s += trozos[Entre(rng, 0, static_cast<std::int32_t>(std::size(trozos)) - 1)];
    }
    return s;
}

std::string Invariantes(const CCorte* raiz, const TablaPiezas* piezas, bool vaciasEstrictas) {
    // Paths are rebuilt from parent links only on failure, so deep trees stay cheap.
    struct Paso {
        const CCorte* Nodo;
        std::size_t Padre;
        char Hijo;
    };
    std::vector<Paso> vistos;
    std::vector<std::size_t> pila;
    if (raiz) {
        vistos.push_back({raiz, 0, 'r'});
        pila.push_back(0);
    }
    auto camino = [&](std::size_t i) {
        std::string c;
        while (vistos[i].Hijo != 'r') {
            c = "." + std::string(1, vistos[i].Hijo) + c;
            i = vistos[i].Padre;
        }
        return "raiz" + c;
    };
    while (!pila.empty()) {
        const std::size_t indice = pila.back();
        pila.pop_back();
        const Paso p = vistos[indice];
        const CCorte& n = *p.Nodo;
        auto falla = [&](const std::string& que) { return camino(indice) + ": " + que; };
        if (n.Largo() < 0 || n.Ancho() < 0) {
            return falla("negative size");
        }
        if (n.Dir() == 0) {
            if (n.Hijo1() || n.Hijo2()) {
                return falla("leaf with children");
            }
            if (n.RepX() < 0 || n.RepY() < 0 || n.LargoPz() < 0 || n.AnchoPz() < 0) {
                return falla("negative block field");
            }
            if (n.Pieza() == 0) {
                if (vaciasEstrictas &&
                    (n.LargoPz() != 0 || n.AnchoPz() != 0 || n.RepX() != 0 || n.RepY() != 0)) {
                    return falla("empty leaf with block fields");
                }
                continue;
            }
            if (static_cast<long long>(n.LargoPz()) * n.RepX() > n.Largo()) {
                return falla("block longer than the leaf");
            }
            if (static_cast<long long>(n.AnchoPz()) * n.RepY() > n.Ancho()) {
                return falla("block wider than the leaf");
            }
            if (piezas) {
                if (std::abs(n.Pieza()) >= static_cast<int>(piezas->size())) {
                    return falla("piece number beyond the table");
                }
                const RDimPieza d = DimSegunSigno(*piezas, n.Pieza());
                if (d.Largo != n.LargoPz() || d.Ancho != n.AnchoPz()) {
                    return falla("piece size differs from the table");
                }
            }
            continue;
        }
        if (n.Dir() != 1 && n.Dir() != -1) {
            return falla("direction " + std::to_string(n.Dir()));
        }
        if (!n.Hijo1() || !n.Hijo2()) {
            return falla("cut without two children");
        }
        if (n.Pieza() != 0 || n.LargoPz() != 0 || n.AnchoPz() != 0 || n.RepX() != 0 ||
            n.RepY() != 0) {
            return falla("cut with block fields");
        }
        const CCorte& a = *n.Hijo1();
        const CCorte& b = *n.Hijo2();
        if (n.Dir() == 1) {
            if (a.Ancho() != n.Ancho() || b.Ancho() != n.Ancho()) {
                return falla("vertical cut: a part of another width");
            }
            if (a.Largo() + b.Largo() != n.Largo()) {
                return falla("vertical cut: lengths do not add up");
            }
        } else {
            if (a.Largo() != n.Largo() || b.Largo() != n.Largo()) {
                return falla("horizontal cut: a part of another length");
            }
            if (a.Ancho() + b.Ancho() != n.Ancho()) {
                return falla("horizontal cut: widths do not add up");
            }
        }
        vistos.push_back({&b, indice, '2'});
        pila.push_back(vistos.size() - 1);
        vistos.push_back({&a, indice, '1'});
        pila.push_back(vistos.size() - 1);
    }
    return {};
}

std::string Esquema(const CCorte* raiz) {
    std::ostringstream s;
    std::vector<std::pair<const CCorte*, int>> pila;
    if (!raiz) {
        return "(sin árbol)\n";
    }
    pila.emplace_back(raiz, 0);
    while (!pila.empty()) {
        auto [n, nivel] = pila.back();
        pila.pop_back();
        s << std::string(static_cast<std::size_t>(nivel) * 2, ' ');
        if (!n) {
            s << "(null)\n";
            continue;
        }
        if (n->Dir() != 0) {
            s << (n->Dir() == 1    ? "V "
                  : n->Dir() == -1 ? "H "
                                   : "? ")
              << n->Largo() << "x" << n->Ancho() << " at " << n->PosicionCorte();
        } else if (n->Pieza() != 0) {
            s << "P" << n->Pieza() << " " << n->RepX() << "x" << n->RepY() << " of " << n->LargoPz()
              << "x" << n->AnchoPz() << " in " << n->Largo() << "x" << n->Ancho();
        } else {
            s << ". " << n->Largo() << "x" << n->Ancho();
        }
        if (n->Etiqueta() != CCorte::EtiquetaDef) {
            s << " [" << n->Etiqueta() << "]";
        }
        s << "\n";
        if (n->Dir() != 0 || n->Hijo1() || n->Hijo2()) {
            pila.emplace_back(n->Hijo2(), nivel + 1);
            pila.emplace_back(n->Hijo1(), nivel + 1);
        }
    }
    return s.str();
}

std::string Mostrar(const CCorte* raiz) {
    return "\n" + Esquema(raiz);
}

std::vector<long long> ContarPiezas(const CCorte* raiz, int numPiezas) {
    std::vector<long long> cuentas(static_cast<std::size_t>(numPiezas) + 1, 0);
    ParaCadaNodo(raiz, [&](const CCorte& n) {
        if (n.Dir() == 0 && n.Pieza() != 0 && std::abs(n.Pieza()) <= numPiezas) {
            cuentas[static_cast<std::size_t>(std::abs(n.Pieza()))] +=
                static_cast<long long>(n.RepX()) * n.RepY();
        }
    });
    return cuentas;
}

long long AreaBrutaPiezas(const CCorte* raiz) {
    long long area = 0;
    ParaCadaNodo(raiz, [&](const CCorte& n) {
        if (n.Dir() == 0 && n.Pieza() != 0) {
            area += static_cast<long long>(n.LargoPz()) * n.AnchoPz() * n.RepX() * n.RepY();
        }
    });
    return area;
}

} // namespace azar
