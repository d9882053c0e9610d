#include "exchange/CExportacionLibro.h"

#include "document/CEdicionLanzamiento.h"
#include "document/CLanzamiento.h"
#include "document/REntorno.h"
#include "document/UGlobals.h"
#include "document/UTextos.h"
#include "engine/CFilasReporte.h"
#include "engine/CSolucion.h"
#include "exchange/CEscritorXlsx.h"
#include "patterns/CPatron.h"
#include "patterns/UDibujo.h"
#include "ui/CLienzoQt.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QPainter>

#include <xlsxwriter.h>

#include <algorithm>
#include <cmath>
#include <deque>
#include <vector>

namespace {

// Pictures are drawn at twice the box size and shown at half scale, for sharp lines.
constexpr int EscalaDibujo = 2;

lxw_color_t ColorLibro(std::uint32_t valor) {
    const TColor c = ColorDeEntorno(valor);
    return (static_cast<lxw_color_t>(Rojo(c)) << 16) | (static_cast<lxw_color_t>(Verde(c)) << 8) |
           Azul(c);
}

// One sheet being written: the row where the next line goes and the formats it uses.
class CHojaLibro {
public:
    CHojaLibro(CEscritorXlsx& libro, const std::string& nombre, lxw_format* titulo,
               lxw_format* negrita, lxw_format* derecha, int desplazamiento)
        : FHoja(libro.AgregarHoja(nombre)), FTitulo(titulo), FNegrita(negrita), FDerecha(derecha),
          FFila(static_cast<lxw_row_t>(desplazamiento)) {}

    lxw_worksheet* Hoja() const { return FHoja; }
    lxw_row_t Fila() const { return FFila; }
    void Saltar(int n = 1) { FFila += static_cast<lxw_row_t>(n); }

    // A title merged over columns primera..ultima of the current row.
    void Titulo(const std::string& texto, int primera, int ultima) {
        if (ultima > primera) {
            worksheet_merge_range(FHoja, FFila, static_cast<lxw_col_t>(primera), FFila,
                                  static_cast<lxw_col_t>(ultima), texto.c_str(), FTitulo);
        } else {
            worksheet_write_string(FHoja, FFila, static_cast<lxw_col_t>(primera), texto.c_str(),
                                   FTitulo);
        }
    }
    // A header line from column A, each title formatted like the sheet's title.
    void Cabecera(const std::vector<std::string>& titulos) {
        for (std::size_t c = 0; c < titulos.size() && !titulos[c].empty(); ++c) {
            worksheet_write_string(FHoja, FFila, static_cast<lxw_col_t>(c), titulos[c].c_str(),
                                   FTitulo);
        }
        Saltar();
    }
    void Texto(int col, const std::string& texto, lxw_format* f = nullptr) {
        if (!texto.empty()) {
            worksheet_write_string(FHoja, FFila, static_cast<lxw_col_t>(col), texto.c_str(), f);
        }
    }
    // A count as a number (ids, quantities); anything that is not a whole number as text.
    void Numero(int col, const std::string& texto) {
        long long v = 0;
        if (LeerEntero(texto, v)) {
            worksheet_write_number(FHoja, FFila, static_cast<lxw_col_t>(col),
                                   static_cast<double>(v), nullptr);
        } else {
            Texto(col, texto);
        }
    }
    void Linea(const std::vector<std::string>& celdas) {
        for (std::size_t c = 0; c < celdas.size(); ++c) {
            Texto(static_cast<int>(c), Recortar(celdas[c]));
        }
        Saltar();
    }
    lxw_format* Negrita() const { return FNegrita; }
    lxw_format* Derecha() const { return FDerecha; }

private:
    lxw_worksheet* FHoja;
    lxw_format* FTitulo;
    lxw_format* FNegrita;
    lxw_format* FDerecha;
    lxw_row_t FFila;
};

std::vector<std::string> Textos_(const char* const* t, std::size_t n) {
    return std::vector<std::string>(t, t + n);
}

} // namespace

CExportacionLibro::CExportacionLibro(CEdicionLanzamiento& edicion, const REntorno& entorno)
    : FEdicion(edicion), FEntorno(entorno) {}

void CExportacionLibro::Exportar(const std::string& ruta, const RElementosLibro& e) {
    CLanzamiento& job = FEdicion.Lanzamiento();
    const CSolucion& sol = job.Solucion();
    const bool barras = job.Opciones().Barras;
    // The patterns as the listings visit them (filter, ExcluirPatronesNulos).
    CFilasReporte listado(job, TReporte::Parametros);
    const std::vector<std::int32_t> patrones = listado.Patrones();
    const CGrilla& resultados = FEdicion.Resultados();

    int total = 5 + (sol.Cantidad() > 0 ? 1 : 0);
    total += static_cast<int>(patrones.size()) * ((e.Parametros ? 1 : 0) + (e.Coordenadas ? 1 : 0));
    total += e.Resultados ? std::max(0, resultados.Filas() - 1) : 0;
    int posicion = 0;
    // The announced maximum counts five sheets; with more chosen the bar waits at its end.
    const auto avanzar = [&] {
        if (posicion < total) {
            ++posicion;
            if (OnAvance) {
                OnAvance(posicion);
            }
        }
    };
    if (OnTotal) {
        OnTotal(total);
    }

    CEscritorXlsx libro(ruta);
    lxw_format* titulo = libro.NuevoFormato();
    format_set_bold(titulo);
    format_set_align(titulo, LXW_ALIGN_CENTER);
    format_set_align(titulo, LXW_ALIGN_VERTICAL_CENTER);
    format_set_border(titulo, LXW_BORDER_MEDIUM);
    format_set_bg_color(titulo, ColorLibro(FEntorno.Colores[10]));
    format_set_font_color(titulo, ColorLibro(FEntorno.Colores[11]));
    lxw_format* negrita = libro.NuevoFormato();
    format_set_bold(negrita);
    lxw_format* derecha = libro.NuevoFormato();
    format_set_bold(derecha);
    format_set_align(derecha, LXW_ALIGN_RIGHT);

    bool primera = true;
    const auto nuevaHoja = [&](int indice) {
        CHojaLibro h(libro, Textos::HojasLibro[indice], titulo, negrita, derecha, primera ? 1 : 0);
        if (primera) {
            const std::string generado =
                std::string(Textos::LibroGeneradoCon) + " " + Textos::TituloProducto;
            worksheet_write_string(h.Hoja(), 0, 0, generado.c_str(), negrita);
            worksheet_activate(h.Hoja());
        }
        primera = false;
        return h;
    };
    const auto eventos = [&] {
        avanzar();
        if (OnEventos) {
            OnEventos();
        }
    };

    // Pieces and materials: the grids' texts, the solution's figures from the report rows.
    if (e.Piezas || e.Materiales) {
        CFilasReporte datos(job, TReporte::Datos);
        const std::vector<RFilaReporte> filas = datos.Todas();
        const auto totalPlan = std::find_if(filas.begin(), filas.end(),
                                            [](const RFilaReporte& f) { return f.Clase == 2; });
        for (const bool piezas : {true, false}) {
            if (piezas ? !e.Piezas : !e.Materiales) {
                continue;
            }
            const CGrilla& g = FEdicion.Grilla(piezas ? TGrilla::Piezas : TGrilla::Materiales);
            CHojaLibro h = nuevaHoja(piezas ? 0 : 1);
            const int ultimaFigura = piezas ? 5 : 7; // last report cell copied (G or I)
            h.Titulo(Textos::HojasLibro[piezas ? 0 : 1], 0, piezas ? 6 : 8);
            h.Saltar();
            h.Cabecera(piezas ? Textos_(Textos::LibroCabeceraPiezas, 7)
                              : Textos_(Textos::LibroCabeceraMateriales, 9));
            long long suma = 0;
            for (const RFilaReporte& f : filas) {
                if (f.Clase != (piezas ? 4 : 1)) {
                    continue;
                }
                long long id = 0;
                LeerEntero(f.Celdas[0], id);
                const int r = static_cast<int>(id);
                h.Numero(0, g.Celda(r, 0));
                h.Texto(1, g.Celda(r, 1));
                h.Texto(2, g.Celda(r, 2));
                h.Texto(3, g.Celda(r, 4));
                h.Texto(4, g.Celda(r, 5));
                // Pieces: the quantity ordered; materials: the sheets the plan uses.
                const std::string cantidad = piezas ? g.Celda(r, 3) : f.Celdas[4];
                h.Numero(5, cantidad);
                long long q = 0;
                if (LeerEntero(cantidad, q)) {
                    suma += q;
                }
                for (int c = 5; c <= ultimaFigura; ++c) {
                    h.Texto(c + 1, f.Celdas[static_cast<std::size_t>(c)]);
                }
                h.Saltar();
            }
            h.Texto(4, Textos::LibroTotal, h.Derecha());
            worksheet_write_number(h.Hoja(), h.Fila(), 5, static_cast<double>(suma), nullptr);
            if (totalPlan != filas.end()) {
                for (int c = 5; c <= ultimaFigura; ++c) {
                    h.Texto(c + 1, totalPlan->Celdas[static_cast<std::size_t>(c)]);
                }
            }
            worksheet_set_column(h.Hoja(), 4, 4, 8.43 * 3, nullptr);
            eventos();
        }
    }

    // Patterns: each drawn into its box, name and material above.
    std::deque<QByteArray> imagenes; // alive until the workbook is written
    if (e.Patrones) {
        CHojaLibro h = nuevaHoja(2);
        h.Titulo(Textos::HojasLibro[2], 0, 8);
        // The first box starts at the top of row 6, the name and material in row 5.
        const lxw_row_t inicio = h.Fila() + 5;
        for (std::size_t k = 0; k < patrones.size(); ++k) {
            CPatron* P = job.Solucion().Patron(patrones[k]);
            if (P == nullptr) {
                continue;
            }
            const lxw_row_t fila = inicio + static_cast<lxw_row_t>(k * FilasPorPatron);
            const std::string nombre = FEdicion.TituloPatron(patrones[k]) + " " +
                                       CFilasReporte::NombreMaterial(job, P->Material());
            worksheet_write_string(h.Hoja(), fila - 1, 0, nombre.c_str(), negrita);
            QImage imagen(AnchoCaja * EscalaDibujo, AltoCaja * EscalaDibujo, QImage::Format_RGB32);
            imagen.fill(Qt::white);
            if (P->Raiz() != nullptr) {
                const double largo = std::max(1, P->LargoTotal());
                const double ancho = std::max(1.0, barras ? std::round(largo * FEntorno.AnchoBarra)
                                                          : P->AnchoTotal());
                const double escala =
                    std::min((imagen.width() - 8.0) / largo, (imagen.height() - 8.0) / ancho);
                const int w = static_cast<int>(largo * escala);
                const int a = static_cast<int>(ancho * escala);
                QPainter pintor(&imagen);
                pintor.setRenderHint(QPainter::TextAntialiasing, true);
                CLienzoQt lienzo(pintor);
                Dibujar(*P, lienzo, RRect{4, 4, 4 + w, 4 + a}, ModoDibujo::Papel,
                        RRect{0, 0, imagen.width(), imagen.height()}, FEntorno);
            }
            QByteArray& png = imagenes.emplace_back();
            QBuffer buffer(&png);
            buffer.open(QIODevice::WriteOnly);
            imagen.save(&buffer, "PNG");
            lxw_image_options opciones{};
            opciones.x_offset = MargenCaja;
            opciones.x_scale = 1.0 / EscalaDibujo;
            opciones.y_scale = 1.0 / EscalaDibujo;
            opciones.object_position = LXW_OBJECT_MOVE_DONT_SIZE;
            worksheet_insert_image_buffer_opt(
                h.Hoja(), fila, 0, reinterpret_cast<const unsigned char*>(png.constData()),
                static_cast<std::size_t>(png.size()), &opciones);
        }
        eventos();
    }

    if (e.Resultados) {
        CHojaLibro h = nuevaHoja(3);
        const int piezas = std::max(0, resultados.Columnas() - 7);
        const int ultima = std::max(6, 6 + piezas);
        h.Titulo(Textos::HojasLibro[3], 0, ultima);
        h.Saltar();
        h.Titulo(Textos::LibroGruposResultados[0], 0, 1);
        h.Titulo(Textos::LibroGruposResultados[1], 2, 4);
        h.Titulo(Textos::LibroGruposResultados[2], 5, 6);
        if (piezas > 0) {
            h.Titulo(Textos::LibroGruposResultados[3], 7, 6 + piezas);
        }
        h.Saltar();
        std::vector<std::string> cabecera = Textos_(Textos::LibroCabeceraResultados, 7);
        for (int i = 1; i <= piezas; ++i) {
            cabecera.push_back(Textos::LetraPieza + std::to_string(i));
        }
        h.Cabecera(cabecera);
        for (int f = 1; f < resultados.Filas(); ++f) {
            for (int c = 0; c < resultados.Columnas(); ++c) {
                h.Texto(c, Recortar(resultados.Celda(f, c)));
            }
            h.Saltar();
            avanzar();
        }
        eventos();
    }

    // Parameters and coordinates: the listings of the report rows, one title per pattern.
    const auto hojaListado = [&](int indice, TReporte tipo) {
        const bool parametros = tipo == TReporte::Parametros;
        CHojaLibro h = nuevaHoja(indice);
        h.Titulo(Textos::HojasLibro[indice], 0, parametros ? 15 : 8);
        h.Saltar();
        if (parametros) {
            h.Titulo(Textos::LibroGruposParametros[0], 0, 2);
            h.Titulo(Textos::LibroGruposParametros[1], 3, 6);
            h.Titulo(Textos::LibroGruposParametros[2], 7, 15);
            h.Saltar();
            h.Cabecera(Textos_(Textos::LibroCabeceraParametros, 16));
        } else {
            h.Cabecera(Textos_(Textos::LibroCabeceraCoordenadas, 6));
        }
        CFilasReporte filas(job, tipo);
        RFilaReporte f;
        bool alguno = false;
        while (filas.Siguiente(f)) {
            if (f.Tipo == TFila::Titulo) {
                if (alguno) {
                    avanzar();
                }
                alguno = true;
                h.Texto(0, Recortar(f.Texto), negrita);
                h.Saltar();
            } else {
                h.Linea(f.Celdas);
            }
            f = RFilaReporte{};
        }
        if (alguno) {
            avanzar();
        }
        eventos();
    };
    if (e.Parametros) {
        hojaListado(4, TReporte::Parametros);
    }

    if (e.Sobrantes) {
        CHojaLibro h = nuevaHoja(5);
        h.Titulo(Textos::HojasLibro[5], 0, 8);
        h.Saltar();
        h.Cabecera(Textos_(Textos::LibroCabeceraSobrantes, 4));
        // The material of each group, from the same list the report rows walk.
        std::vector<RSobrante> sobrantes;
        sol.Sobrantes(sobrantes, true);
        CFilasReporte filas(job, TReporte::Sobrantes);
        RFilaReporte f;
        std::size_t siguiente = 1;
        while (filas.Siguiente(f)) {
            if (f.Tipo == TFila::Titulo) {
                const int m = siguiente < sobrantes.size() ? sobrantes[siguiente].Material : 0;
                h.Texto(0,
                        std::string(Textos::LibroMaterial) + " " +
                            CFilasReporte::NombreMaterial(job, m),
                        negrita);
            } else {
                h.Numero(0, f.Celdas[0]);
                h.Texto(1, f.Celdas[1]);
                h.Texto(2, f.Celdas[2]);
                h.Numero(3, f.Celdas[3]);
                ++siguiente;
            }
            h.Saltar();
            f = RFilaReporte{};
        }
        eventos();
    }

    if (e.Coordenadas) {
        hojaListado(6, TReporte::Coordenadas);
    }

    libro.Cerrar();
    while (posicion < total) {
        avanzar();
    }
}
