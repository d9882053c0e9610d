#include "document/REntorno.h"

#include "document/CIniMemoria.h"

#include <bit>
#include <cstring>

// Layout of the stored value (little-endian, offsets in bytes):
//   0 EstadoLanzamiento (1)   1 EstadoPrincipal (1)   2 padding (2)
//   4 PosPrincipal (4 x int32)   20 PosLanzamiento (4 x int32)
//  36 VerBarraEstado (1)  37 VerBarras (1)
//  38 BarrasHerramientas: 7 x (shown 1, left int32, top int32), no padding
// 101 VerInspectorPatron (1)  102 padding (2)
// 104 Colores 1..15 (15 x uint32)
// 164 RellenoSobrante (int32)  168 AnchoLinea (int32)
// 172 CarpetaLanzamientos (length byte + 255)  428 CarpetaPlantillas (length byte + 255)
// 684 ColoresMiniatura (1)  685 padding (3)  688 AnchoBarra (IEEE double)

namespace {

class CEscritorBytes {
public:
    explicit CEscritorBytes(std::vector<std::uint8_t>& b) : B(b) {}
    void U8(std::size_t pos, std::uint8_t v) { B[pos] = v; }
    void U32(std::size_t pos, std::uint32_t v) {
        for (int k = 0; k < 4; ++k) {
            B[pos + static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(v >> (8 * k));
        }
    }
    void I32(std::size_t pos, std::int32_t v) { U32(pos, static_cast<std::uint32_t>(v)); }
    void U64(std::size_t pos, std::uint64_t v) {
        for (int k = 0; k < 8; ++k) {
            B[pos + static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(v >> (8 * k));
        }
    }

private:
    std::vector<std::uint8_t>& B;
};

class CLectorBytes {
public:
    explicit CLectorBytes(const std::vector<std::uint8_t>& b) : B(b) {}
    std::uint8_t U8(std::size_t pos) const { return B[pos]; }
    std::uint32_t U32(std::size_t pos) const {
        std::uint32_t v = 0;
        for (int k = 0; k < 4; ++k) {
            v |= static_cast<std::uint32_t>(B[pos + static_cast<std::size_t>(k)]) << (8 * k);
        }
        return v;
    }
    std::int32_t I32(std::size_t pos) const { return static_cast<std::int32_t>(U32(pos)); }
    std::uint64_t U64(std::size_t pos) const {
        std::uint64_t v = 0;
        for (int k = 0; k < 8; ++k) {
            v |= static_cast<std::uint64_t>(B[pos + static_cast<std::size_t>(k)]) << (8 * k);
        }
        return v;
    }

private:
    const std::vector<std::uint8_t>& B;
};

// RGB with red in the low byte.
constexpr std::uint32_t Rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    return r | (g << 8) | (b << 16);
}
constexpr std::uint32_t ColorSistema(std::uint32_t indice) {
    return 0x80000000u | indice;
}

void EscribirCarpeta(std::vector<std::uint8_t>& b, std::size_t pos, const std::string& s) {
    const std::string c = REntorno::CortarCarpeta(s);
    b[pos] = static_cast<std::uint8_t>(c.size());
    std::memcpy(b.data() + pos + 1, c.data(), c.size());
}

std::string LeerCarpeta(const std::vector<std::uint8_t>& b, std::size_t pos) {
    const std::size_t largo = b[pos];
    return TextoDeArchivoAUtf8(
        std::string(reinterpret_cast<const char*>(b.data() + pos + 1), largo));
}

} // namespace

std::array<std::uint32_t, REntorno::CantidadColores + 1> REntorno::ColoresPorDefecto() {
    std::array<std::uint32_t, CantidadColores + 1> c{};
    c[ColorFondoTitulo] = Rgb(0xA6, 0xCA, 0xF0);
    c[ColorTextoTitulo] = Rgb(0x00, 0x00, 0x80);
    c[ColorSeleccion] = Rgb(0xA6, 0xCA, 0xF0);
    c[ColorResalteFila] = ColorSistema(24); // tool-tip background
    c[ColorCortesSemiproductos] = Rgb(0x00, 0x00, 0xFF);
    c[ColorCortesPiezas] = Rgb(0xFF, 0x00, 0x00);
    c[ColorRellenoSobrante] = Rgb(0x00, 0x00, 0xFF);
    c[ColorFondoPatrones] = Rgb(0x00, 0x00, 0x00);
    c[ColorEtiquetas] = Rgb(0xFF, 0xFF, 0x00);
    c[ColorPapelFondoTitulo] = Rgb(0xA6, 0xCA, 0xF0);
    c[ColorPapelTextoTitulo] = Rgb(0x00, 0x00, 0x80);
    c[ColorPapelCortesSemiproductos] = Rgb(0, 0, 0);
    c[ColorPapelCortesPiezas] = Rgb(0, 0, 0);
    c[ColorPapelRellenoSobrante] = Rgb(0, 0, 0);
    c[ColorPapelEtiquetas] = Rgb(0, 0, 0);
    return c;
}

REntorno REntorno::PorDefecto(int anchoPantalla, int altoPantalla,
                              const std::string& carpetaAplicacion) {
    REntorno e;
    e.PosPrincipal = {25, 25, anchoPantalla - 50, altoPantalla - 75};
    e.PosLanzamiento = {0, 0, e.PosPrincipal.Width * 4 / 5, e.PosPrincipal.Height * 3 / 4};
    for (RBarraHerramientas& b : e.BarrasHerramientas) {
        b = RBarraHerramientas{true, 0, 0};
    }
    e.Colores = ColoresPorDefecto();
    e.CarpetaLanzamientos = REntorno::CortarCarpeta(carpetaAplicacion + "Lanzamientos");
    e.CarpetaPlantillas = REntorno::CortarCarpeta(carpetaAplicacion + "Plantillas");
    return e;
}

std::vector<std::uint8_t> REntorno::ABytes() const {
    std::vector<std::uint8_t> b(TamanoEntorno, 0);
    CEscritorBytes w(b);
    w.U8(0, EstadoLanzamiento);
    w.U8(1, EstadoPrincipal);
    const RPosicionVentana* posiciones[2] = {&PosPrincipal, &PosLanzamiento};
    for (std::size_t k = 0; k < 2; ++k) {
        const std::size_t base = 4 + 16 * k;
        w.I32(base, posiciones[k]->Left);
        w.I32(base + 4, posiciones[k]->Top);
        w.I32(base + 8, posiciones[k]->Width);
        w.I32(base + 12, posiciones[k]->Height);
    }
    w.U8(36, VerBarraEstado ? 1 : 0);
    w.U8(37, VerBarras ? 1 : 0);
    for (std::size_t k = 0; k < CantidadBarras; ++k) {
        const std::size_t base = 38 + 9 * k;
        w.U8(base, BarrasHerramientas[k].Visible ? 1 : 0);
        w.I32(base + 1, BarrasHerramientas[k].Left);
        w.I32(base + 5, BarrasHerramientas[k].Top);
    }
    w.U8(101, VerInspectorPatron ? 1 : 0);
    for (std::size_t k = 1; k <= CantidadColores; ++k) {
        w.U32(104 + 4 * (k - 1), Colores[k]);
    }
    w.I32(164, RellenoSobrante);
    w.I32(168, AnchoLinea);
    EscribirCarpeta(b, 172, CarpetaLanzamientos);
    EscribirCarpeta(b, 428, CarpetaPlantillas);
    w.U8(684, ColoresMiniatura);
    w.U64(688, std::bit_cast<std::uint64_t>(AnchoBarra));
    return b;
}

bool REntorno::DesdeBytes(const std::vector<std::uint8_t>& b) {
    if (b.size() != TamanoEntorno) {
        return false;
    }
    const CLectorBytes r(b);
    EstadoLanzamiento = r.U8(0);
    EstadoPrincipal = r.U8(1);
    RPosicionVentana* posiciones[2] = {&PosPrincipal, &PosLanzamiento};
    for (std::size_t k = 0; k < 2; ++k) {
        const std::size_t base = 4 + 16 * k;
        *posiciones[k] = {r.I32(base), r.I32(base + 4), r.I32(base + 8), r.I32(base + 12)};
    }
    VerBarraEstado = r.U8(36) != 0;
    VerBarras = r.U8(37) != 0;
    for (std::size_t k = 0; k < CantidadBarras; ++k) {
        const std::size_t base = 38 + 9 * k;
        BarrasHerramientas[k] = {r.U8(base) != 0, r.I32(base + 1), r.I32(base + 5)};
    }
    VerInspectorPatron = r.U8(101) != 0;
    Colores[0] = 0;
    for (std::size_t k = 1; k <= CantidadColores; ++k) {
        Colores[k] = r.U32(104 + 4 * (k - 1));
    }
    RellenoSobrante = r.I32(164);
    AnchoLinea = r.I32(168);
    CarpetaLanzamientos = LeerCarpeta(b, 172);
    CarpetaPlantillas = LeerCarpeta(b, 428);
    ColoresMiniatura = r.U8(684);
    AnchoBarra = std::bit_cast<double>(r.U64(688));
    // A damaged value must not hand the drawing code an index or a width it cannot use.
    const REntorno defecto;
    if (EstadoLanzamiento > 2) {
        EstadoLanzamiento = defecto.EstadoLanzamiento;
    }
    if (EstadoPrincipal > 2) {
        EstadoPrincipal = defecto.EstadoPrincipal;
    }
    if (RellenoSobrante < 0 || RellenoSobrante > 7) {
        RellenoSobrante = defecto.RellenoSobrante;
    }
    if (AnchoLinea < 0 || AnchoLinea > 5) {
        AnchoLinea = defecto.AnchoLinea;
    }
    if (ColoresMiniatura > 2) {
        ColoresMiniatura = defecto.ColoresMiniatura;
    }
    if (!(AnchoBarra > 0.0 && AnchoBarra <= 1.0)) {
        AnchoBarra = defecto.AnchoBarra;
    }
    return true;
}

std::string REntorno::CortarCarpeta(const std::string& carpeta) {
    if (carpeta.size() <= LargoMaximoCarpeta) {
        return carpeta;
    }
    std::size_t largo = LargoMaximoCarpeta;
    // Never cut a UTF-8 sequence in two.
    while (largo > 0 && (static_cast<unsigned char>(carpeta[largo]) & 0xC0u) == 0x80u) {
        --largo;
    }
    return carpeta.substr(0, largo);
}
