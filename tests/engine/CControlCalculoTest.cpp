#include "engine/CControlCalculo.h"
#include "document/UExcepciones.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Records every display hook, with the position the bar shows at that moment.
class CControlRegistro : public CControlCalculo {
public:
    CControlRegistro() {
        FijarReloj([this] { return Reloj; });
    }
    double Reloj = 1000.0;
    std::vector<std::string> Eventos;
    std::vector<std::int32_t> Mostradas;

protected:
    void MostrarMaximoProgreso() override { Eventos.push_back("maximo"); }
    void MostrarProgreso() override {
        Eventos.push_back("progreso");
        Mostradas.push_back(PosicionMostrada());
    }
    void MostrarVariantes() override { Eventos.push_back("variantes"); }
    void MostrarRedondeoPorDefecto() override { Eventos.push_back("defecto"); }
    void MostrarRedondeoPorExceso() override { Eventos.push_back("exceso"); }
};

// A stop request raises its exception, with an empty message; cancelling wins over forcing.
TEST(ControlCalculo, CancelarGanaAForzar) {
    for (const bool forzar : {false, true}) {
        for (const bool cancelado : {false, true}) {
            CControlCalculo control;
            control.Forzar = forzar;
            control.Cancelado = cancelado;
            std::string obtenido = "nada";
            try {
                control.ComprobarParada();
            } catch (const ECalculoAbortado& e) {
                obtenido = std::string("abortado") + e.what();
            } catch (const ECalculoForzado& e) {
                obtenido = std::string("forzado") + e.what();
            }
            EXPECT_EQ(obtenido, cancelado ? "abortado" : forzar ? "forzado" : "nada");
        }
    }
}

TEST(ControlCalculo, LaBarraEsperaTrasCadaReinicio) {
    CControlRegistro control;
    control.IniciarProgreso(100);
    EXPECT_EQ(control.ProgresoMaximo(), 100);
    EXPECT_DOUBLE_EQ(control.InicioProgreso(), 1000.0);

    // Within the first seconds the position is kept but not shown.
    control.AvanzarProgreso(3);
    control.Reloj = 1005.9;
    control.AvanzarProgreso(4);
    EXPECT_EQ(control.ProgresoPosicion(), 7);
    EXPECT_EQ(control.PosicionMostrada(), 0);

    // Six whole seconds later it shows, and from then on every update shows.
    control.Reloj = 1006.0;
    control.AvanzarProgreso(1);
    EXPECT_EQ(control.PosicionMostrada(), 8);
    EXPECT_DOUBLE_EQ(control.InicioProgreso(), 0.0);
    control.AvanzarProgreso(1);
    EXPECT_EQ(control.PosicionMostrada(), 9);

    // FijarProgreso(0) restarts the throttle: 0 itself shows, the next steps wait again.
    control.Reloj = 2000.0;
    control.FijarProgreso(0);
    EXPECT_EQ(control.PosicionMostrada(), 0);
    EXPECT_DOUBLE_EQ(control.InicioProgreso(), 2000.0);
    control.AvanzarProgreso(5);
    EXPECT_EQ(control.PosicionMostrada(), 0);
    control.Reloj = 2010.0;
    control.AvanzarProgreso(5);
    EXPECT_EQ(control.PosicionMostrada(), 10);

    // IniciarProgreso restarts it as well.
    control.Reloj = 3000.0;
    control.IniciarProgreso(50);
    control.AvanzarProgreso(1);
    EXPECT_EQ(control.ProgresoPosicion(), 11);
    EXPECT_EQ(control.PosicionMostrada(), 10);
    EXPECT_EQ(control.Mostradas, (std::vector<std::int32_t>{8, 9, 0, 10}));
}

TEST(ControlCalculo, SinReinicioTodoLlegaALaPantalla) {
    CControlRegistro control;
    control.FijarProgreso(4);
    control.AvanzarProgreso(2);
    EXPECT_EQ(control.Mostradas, (std::vector<std::int32_t>{4, 6}));
    control.Eventos.clear();
    control.ContarVariante();
    control.ContarVariante();
    control.AvisarRedondeoPorDefecto();
    control.AvisarRedondeoPorExceso();
    EXPECT_EQ(control.VariantesAnalizadas(), 2);
    EXPECT_EQ(control.Eventos,
              (std::vector<std::string>{"variantes", "variantes", "defecto", "exceso"}));
}

} // namespace
