#include "engine/CAjuste.h"

#include "document/CLanzamiento.h"
#include "document/ROpciones.h"
#include "document/UExcepciones.h"
#include "document/UTextos.h"
#include "engine/CCalculo.h"
#include "engine/CSolucion.h"
#include "engine/CVistaCalculo.h"
#include "patterns/CCorte.h"
#include "patterns/CPatron.h"
#include "patterns/PruebaPatrones.h"
#include "support/ArbolesAzar.h"
#include "support/CConstructorLanzamiento.h"
#include "support/RutasPrueba.h"
#include "support/ValidadorPatron.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <string>
#include <vector>

namespace {

class CVistaMuda : public CVistaCalculo {
public:
    void MarcarFaseTeorica() override {}
    void HabilitarForzar() override {}
    void ProcesarMensajes() override {}
    void MostrarNivel(std::int32_t, const std::string&) override {}
    void MostrarVariantes(int, const std::string&) override {}
    void MostrarAprovechamiento(int, const std::string&) override {}
    void MostrarConsumoTeorico(const std::vector<std::string>&) override {}
    void MostrarConsumoReal(const std::vector<std::string>&) override {}
    void MarcarFaseRedondeo() override {}
    void MarcarFaseCompletamiento(const std::string&) override {}
    void MarcarFaseHecha(int, const std::string&) override {}
    void MostrarProceso(int, const std::string&) override {}
    void MostrarPedidoIncumplido(const std::string&) override {}
    void MostrarMaximoProgreso(std::int32_t) override {}
    void MostrarProgreso(std::int32_t) override {}
};

std::vector<CCorte*> Nodos(CPatron& P) {
    std::vector<CCorte*> nodos;
    azar::ParaCadaNodo(P.Raiz(), [&](CCorte& n) { nodos.push_back(&n); });
    return nodos;
}

std::vector<std::string> TextosPatrones(const CLanzamiento& job) {
    std::vector<std::string> t;
    const CSolucion& s = job.Solucion();
    for (int k = 1; k <= s.Cantidad(); ++k) {
        t.push_back(s.Patron(k) == nullptr ? "-" : s.Patron(k)->ATexto());
    }
    return t;
}

// A hand-adjusted pattern is still one the saw can cut: inside the material, disjoint, full
// guillotine cuts, pieces of the job's sizes. Stage count, longest cut and smallest offcut are
// the calculation's goals, which the user may give up by hand.
std::string Problemas(const CLanzamiento& job, const CPatron& P) {
    auto reglas = validacion::ReglasDelPatron(P);
    reglas.SobranteMinimo = 0;
    reglas.CorteMaximo = INT_MAX;
    reglas.NivelCorte = 0;
    std::string r;
    for (const auto& problema : validacion::ValidarPatron(P, reglas)) {
        // The inspector lets a block hold no piece ("Distribución" 0x2, or a piece larger
        // than its leaf): it yields nothing and is cut as waste.
        if (problema.find("sin repeticiones") == std::string::npos) {
            r += problema + "\n";
        }
    }
    const auto cuenta = azar::ContarPiezas(P.Raiz(), job.CantidadPiezas());
    for (int i = 1; i <= job.CantidadPiezas(); ++i) {
        if (cuenta[static_cast<std::size_t>(i)] != P.CantidadPieza(i)) {
            r += "cuenta de la pieza " + std::to_string(i) + "\n";
        }
    }
    return r;
}

std::unique_ptr<CLanzamiento> Calculado(CConstructorLanzamiento& b) {
    auto job = b.Crear();
    CVistaMuda vista;
    CCalculo c(*job, vista);
    c.Iniciar();
    c.Esperar();
    c.CalculoTerminado();
    return job;
}

// One random step on the job's solution.
void Paso(std::mt19937& rng, CLanzamiento& job, CAjuste& ajuste) {
    CSolucion& s = job.Solucion();
    auto azar = [&](int a, int b) { return std::uniform_int_distribution<int>(a, b)(rng); };
    const int k = azar(1, s.Cantidad());
    CPatron& P = *s.Patron(k);
    const auto nodos = Nodos(P);
    CCorte& n = *nodos[static_cast<std::size_t>(azar(0, static_cast<int>(nodos.size()) - 1))];
    const std::size_t antes = ajuste.Entradas();
    const std::string texto = P.ATexto();
    const int accion = azar(0, 17);
    try {
        if (accion <= 8) {
            const auto op = static_cast<EAjuste>(accion);
            const bool puede = CAjuste::Puede(P, n, op);
            if (puede || (op != EAjuste::CorteVer && op != EAjuste::CorteHor)) {
                EXPECT_EQ(ajuste.Ejecutar(P, n, op), puede);
            }
        } else if (accion == 9) {
            ajuste.AsignarPropiedad(P, n, std::to_string(azar(0, 1500)), Textos::PropDimCorte);
        } else if (accion == 10) {
            ajuste.AsignarPropiedad(P, n, std::to_string(azar(0, job.CantidadPiezas())),
                                    Textos::PropPieza);
        } else if (accion == 11 && !P.Barras()) {
            ajuste.AsignarPropiedad(P, n, azar(0, 1) ? Textos::RotadaSi : Textos::RotadaNo,
                                    Textos::PropRotada);
        } else if (accion == 12) {
            ajuste.AsignarPropiedad(P, n,
                                    std::to_string(azar(0, 3)) + "x" + std::to_string(azar(0, 3)),
                                    Textos::PropDistribucion);
        } else if (accion == 13) {
            CPatron& Q = *s.Patron(azar(1, s.Cantidad()));
            const auto otros = Nodos(Q);
            const CCorte& o =
                *otros[static_cast<std::size_t>(azar(0, static_cast<int>(otros.size()) - 1))];
            ajuste.Pegar(P, n, CAjuste::TextoCopia(o));
        } else if (accion == 14 && s.Cantidad() > 1) {
            ajuste.EliminarPatron(k);
            return;
        } else if (accion == 15) {
            auto nuevo = CPatron::Copia(P);
            nuevo->CrearRaiz(P.LargoTotal(), P.AnchoTotal());
            nuevo->RecontarPiezas(job.CantidadPiezas());
            ajuste.AgregarPatron(std::move(nuevo), azar(1, s.Cantidad() + 1));
            return;
        } else if (accion == 16) {
            static const char* const formatos[] = {"\\def", "", "P#P\\1x\\3\\2", "\\topC#C"};
            const bool cambio = ajuste.AsignarEtiqueta(P, n, formatos[azar(0, 3)], azar(0, 1) == 1);
            EXPECT_EQ(cambio, P.ATexto() != texto);
        } else if (accion == 17 && n.EsHoja() && n.Pieza() == 0) {
            ajuste.SoltarPieza(P, n, azar(1, job.CantidadPiezas()), azar(0, 1) == 1);
        }
    } catch (const std::runtime_error&) {
    }
    ASSERT_EQ(Problemas(job, P), "") << P.ATexto();
    // An entry is pushed exactly when the pattern changed.
    EXPECT_EQ(ajuste.Entradas() != antes, P.ATexto() != texto);
}

TEST(CAjusteTest, SecuenciasAlAzarSeDeshacenByteAByte) {
    std::vector<std::unique_ptr<CLanzamiento>> trabajos;
    for (const char* ejemplo :
         {"examples/cocina.lan", "examples/barras.lan", "examples/pies.lan"}) {
        trabajos.push_back(
            std::make_unique<CLanzamiento>(rutas::Raiz(ejemplo).string(), OpcionesPorDefecto()));
    }
    std::mt19937 rng(14);
    for (int j = 0; j < 3; ++j) {
        CConstructorLanzamiento b;
        b.Opciones.AnchoCorte = j;
        b.Opciones.ChequearAnchoCorte = j > 0;
        b.Opciones.Barras = j == 2;
        const auto piezas = azar::PiezasAzar(rng, 4, 400, 300, j == 2);
        for (std::size_t i = 1; i < piezas.size(); ++i) {
            b.Pieza(piezas[i].Largo, piezas[i].Ancho, 1 + static_cast<int>(rng() % 5));
        }
        b.Material(1000, j == 2 ? 1 : 700);
        trabajos.push_back(Calculado(b));
    }
    std::erase_if(trabajos, [](const auto& t) { return t->Solucion().Cantidad() < 1; });
    ASSERT_GE(trabajos.size(), 3u);
    for (int secuencia = 0; secuencia < 2000; ++secuencia) {
        CLanzamiento& job = *trabajos[static_cast<std::size_t>(secuencia) % trabajos.size()];
        ASSERT_GE(job.Solucion().Cantidad(), 1);
        const auto original = TextosPatrones(job);
        CAjuste ajuste(job);
        const int pasos = 1 + static_cast<int>(rng() % 10);
        for (int p = 0; p < pasos; ++p) {
            Paso(rng, job, ajuste);
            if (testing::Test::HasFatalFailure()) {
                return;
            }
        }
        while (ajuste.PuedeDeshacer()) {
            const int k = ajuste.Deshacer();
            if (k <= job.Solucion().Cantidad()) {
                ASSERT_EQ(Problemas(job, *job.Solucion().Patron(k)), "");
            }
        }
        ASSERT_EQ(TextosPatrones(job), original) << "secuencia " << secuencia;
    }
}

using prueba::Bloque;
using prueba::Corte;
using prueba::Vacia;

// A job with two patterns whose first pattern gets the given tree.
struct RConArbol {
    CLanzamiento Job{rutas::DatosPrueba("con-patrones.lan").string(), OpcionesPorDefecto()};
    CAjuste Ajuste{Job};
    CPatron& P;
    explicit RConArbol(std::unique_ptr<CCorte> raiz) : P(*Job.Solucion().Patron(1)) {
        P.SetRaiz(std::move(raiz));
        P.RecontarPiezas(Job.CantidadPiezas());
    }
};

TEST(CAjusteTest, CortarUnBloqueQueLlenaElLargoNoSeOfrece) {
    RConArbol t(Bloque(300, 100, 1, 100, 50, 3, 1));
    EXPECT_FALSE(CAjuste::PuedeCortarVertical(*t.P.Raiz()));
    EXPECT_TRUE(CAjuste::PuedeCortarHorizontal(t.P, *t.P.Raiz()));
    EXPECT_THROW(t.Ajuste.Ejecutar(t.P, *t.P.Raiz(), EAjuste::CorteVer), ECorteImposible);
    EXPECT_FALSE(t.Ajuste.PuedeDeshacer());
}

struct RGiro {
    const char* Nombre;
    std::unique_ptr<CCorte> Antes;
    std::unique_ptr<CCorte> Despues; // null: not offered
};

TEST(CAjusteTest, GirosDeDosPorDos) {
    std::vector<RGiro> casos;
    casos.push_back({"cortes a distinta altura",
                     Corte(-1, Corte(1, Vacia(100, 50), Vacia(200, 50)),
                           Corte(1, Vacia(150, 70), Vacia(150, 70))),
                     nullptr});
    casos.push_back({"cuatro celdas",
                     Corte(-1, Corte(1, Vacia(100, 50), Bloque(200, 50, 1, 100, 50, 2, 1)),
                           Corte(1, Vacia(100, 70), Vacia(200, 70))),
                     Corte(1, Corte(-1, Vacia(100, 50), Vacia(100, 70)),
                           Corte(-1, Bloque(200, 50, 1, 100, 50, 2, 1), Vacia(200, 70)))});
    casos.push_back({"una parte vacía copia el corte de la otra",
                     Corte(-1, Vacia(300, 50), Corte(1, Vacia(100, 70), Vacia(200, 70))),
                     Corte(1, Corte(-1, Vacia(100, 50), Vacia(100, 70)),
                           Corte(-1, Vacia(200, 50), Vacia(200, 70)))});
    casos.push_back({"bloque con banda libre arriba",
                     Corte(-1, Vacia(300, 70), Bloque(300, 50, 1, 100, 50, 2, 1)),
                     Corte(1, Bloque(200, 120, 1, 100, 50, 2, 1), Vacia(100, 120))});
    casos.push_back({"bloque sin banda libre",
                     Corte(-1, Bloque(300, 50, 1, 100, 50, 3, 1), Vacia(300, 70)), nullptr});
    for (auto& c : casos) {
        SCOPED_TRACE(c.Nombre);
        RConArbol t(std::move(c.Antes));
        const std::string antes = t.P.ATexto();
        CCorte& raiz = *t.P.Raiz();
        EXPECT_EQ(CAjuste::PuedeHorAVer(raiz), c.Despues != nullptr);
        EXPECT_EQ(t.Ajuste.Ejecutar(t.P, raiz, EAjuste::HorAVer), c.Despues != nullptr);
        if (c.Despues != nullptr) {
            EXPECT_TRUE(CCorte::Iguales(t.P.Raiz(), c.Despues.get())) << CCorte::ATexto(t.P.Raiz());
            // Turning back is offered and gives the same cells.
            EXPECT_TRUE(CAjuste::PuedeVerAHor(*t.P.Raiz()));
            EXPECT_EQ(t.Ajuste.Deshacer(), 1);
        }
        EXPECT_EQ(t.Job.Solucion().Patron(1)->ATexto(), antes);
    }
}

TEST(CAjusteTest, Pegar) {
    const auto semi = Corte(1, Bloque(100, 50, 1, 100, 50, 1, 1), Vacia(50, 50));
    const std::string copia = CAjuste::TextoCopia(*semi);
    EXPECT_EQ(copia.rfind("%Corte%,(150;50;1;", 0), 0u);
    struct RCaso {
        const char* Nombre;
        std::unique_ptr<CCorte> Destino;
        std::string Texto;
        std::string Error; // empty: pasted
    };
    std::vector<RCaso> casos;
    casos.push_back({"más largo", Vacia(140, 80), copia, Textos::SemiproductoNoCabe});
    casos.push_back({"más ancho", Vacia(300, 40), copia, Textos::SemiproductoNoCabe});
    casos.push_back({"texto roto", Vacia(300, 80), "%Corte%,(150;50;1;", Textos::ErrorCrearPatron});
    casos.push_back({"pieza ajena", Vacia(300, 80), "%Corte%,(10;10;0;10;10;99;1;1;\\def()())",
                     Textos::ErrorIdPieza});
    casos.push_back({"igual tamaño", Vacia(150, 50), copia, ""});
    casos.push_back({"mayor", Corte(1, Vacia(200, 80), Vacia(100, 80)), copia, ""});
    for (auto& c : casos) {
        SCOPED_TRACE(c.Nombre);
        RConArbol t(std::move(c.Destino));
        const std::string antes = t.P.ATexto();
        std::string error;
        try {
            EXPECT_TRUE(t.Ajuste.Pegar(t.P, *t.P.Raiz(), c.Texto));
        } catch (const std::runtime_error& e) {
            error = e.what();
        }
        EXPECT_EQ(error, c.Error);
        EXPECT_EQ(t.Ajuste.PuedeDeshacer(), c.Error.empty());
        const CCorte& r = *t.P.Raiz();
        if (c.Nombre == std::string("igual tamaño")) {
            EXPECT_TRUE(CCorte::Iguales(&r, semi.get())) << CCorte::ATexto(&r);
        } else if (c.Error.empty()) {
            // Cut to the copied size: first along the length, then across the width.
            ASSERT_EQ(r.Dir(), 1);
            EXPECT_EQ(r.Hijo1()->Largo(), 150);
            ASSERT_EQ(r.Hijo1()->Dir(), -1);
            EXPECT_TRUE(CCorte::Iguales(r.Hijo1()->Hijo1(), semi.get()));
            EXPECT_EQ(t.P.CantidadPieza(1), 1);
        } else {
            EXPECT_EQ(t.P.ATexto(), antes);
        }
    }
    EXPECT_FALSE(CAjuste::EsTextoCorte("%Data%,1\t2"));
}

} // namespace

// A dropped piece fills the leaf, turned when asked; in bar mode turning is refused and the
// unturned block stays. Each drop is one undo step.
TEST(CAjusteTest, SoltarPieza) {
    struct RCaso {
        const char* Nombre;
        bool Barras;
        bool Rotada;
        std::int32_t Pieza;
        std::int32_t RepX;
        bool Error;
    };
    const RCaso casos[] = {{"tablero", false, false, 2, 4, false},
                           {"tablero rotada", false, true, -2, 4, false},
                           {"barra", true, false, 2, 4, false},
                           {"barra rotada", true, true, 2, 4, true}};
    for (const RCaso& c : casos) {
        SCOPED_TRACE(c.Nombre);
        prueba::CTrabajo t({c.Barras ? "Barras=1" : "Barras=0"},
                           {"600;400;10;;;1;", "300;250;4;;;1;"}, {"1240;420;5;;;1;"});
        auto p = t.Patron(c.Barras ? "(1240;1;0;0;0;0;0;0;\\def()())"
                                   : "(1240;420;0;0;0;0;0;0;\\def()())");
        t.Lanzamiento().Solucion().FijarPatron(1, std::move(p));
        CPatron& P = *t.Lanzamiento().Solucion().Patron(1);
        const std::string antes = P.ATexto();
        CAjuste ajuste(t.Lanzamiento());
        if (c.Error) {
            EXPECT_THROW(ajuste.SoltarPieza(P, *P.Raiz(), 2, c.Rotada), EErrorPropiedad);
        } else {
            ajuste.SoltarPieza(P, *P.Raiz(), 2, c.Rotada);
        }
        EXPECT_EQ(P.Raiz()->Pieza(), c.Pieza);
        EXPECT_EQ(P.Raiz()->RepX(), c.RepX);
        EXPECT_EQ(P.CantidadPieza(2), c.RepX);
        EXPECT_EQ(ajuste.Entradas(), 1u);
        ajuste.Deshacer();
        EXPECT_EQ(t.Lanzamiento().Solucion().Patron(1)->ATexto(), antes);
    }
}

TEST(CAjusteTest, EtiquetaPropagadaBajoUnCorteSeDeshace) {
    RConArbol t(CCorte::LeerTexto(prueba::ArbolConocido));
    CCorte& b = *t.P.Raiz()->Hijo2();
    const std::string antes = t.P.ATexto();
    EXPECT_TRUE(t.Ajuste.AsignarEtiqueta(t.P, b, "\\topX", true));
    std::vector<std::string> etiquetas;
    azar::ParaCadaNodo(t.P.Raiz(), [&](CCorte& n) { etiquetas.push_back(n.Etiqueta()); });
    // The root and the first part keep "\def"; B and its four nodes below take the format.
    EXPECT_EQ(etiquetas, (std::vector<std::string>{"\\def", "\\def", "\\topX", "\\topX", "\\topX",
                                                   "\\topX", "\\topX"}));
    EXPECT_FALSE(t.Ajuste.AsignarEtiqueta(t.P, b, "\\topX", false));
    EXPECT_EQ(t.Ajuste.Entradas(), 1u);
    t.Ajuste.Deshacer();
    EXPECT_EQ(t.Job.Solucion().Patron(1)->ATexto(), antes);
}
