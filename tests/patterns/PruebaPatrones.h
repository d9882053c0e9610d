#pragma once

// Jobs, trees and patterns for the pattern tests: a job in a temporary folder, trees built
// node by node or read from node texts.

#include "document/CLanzamiento.h"
#include "document/ROpciones.h"
#include "patterns/CCorte.h"
#include "patterns/CPatron.h"
#include "support/RutasPrueba.h"

#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace prueba {

inline std::unique_ptr<CCorte> Vacia(int l, int a) {
    return CCorte::Create(l, a, 0, 0, 0, 0, 0, 0);
}
inline std::unique_ptr<CCorte> Bloque(int l, int a, int pieza, int lp, int ap, int rx, int ry) {
    return CCorte::Create(l, a, 0, lp, ap, pieza, rx, ry);
}
// A cut whose size is that of its two parts.
inline std::unique_ptr<CCorte> Corte(int dir, std::unique_ptr<CCorte> a,
                                     std::unique_ptr<CCorte> b) {
    const int l = dir == 1 ? a->Largo() + b->Largo() : a->Largo();
    const int w = dir == 1 ? a->Ancho() : a->Ancho() + b->Ancho();
    auto n = CCorte::Create(l, w, dir, 0, 0, 0, 0, 0);
    n->SetHijo1(std::move(a));
    n->SetHijo2(std::move(b));
    return n;
}

// A job whose file holds the given option lines ("Clave=valor") and piece records
// ("largo;ancho;cantidad;desc1;desc2;act;"), or an empty job (no file) with an option record.
class CTrabajo {
public:
    explicit CTrabajo(const ROpciones& opciones)
        : FLanzamiento(
              std::make_unique<CLanzamiento>((FCarpeta / "prueba.lan").string(), opciones)) {}
    CTrabajo(const std::vector<std::string>& opciones, const std::vector<std::string>& piezas,
             const std::vector<std::string>& materiales = {"1000;500;10;;;1;"}) {
        const auto ruta = FCarpeta / "prueba.lan";
        std::ofstream f(ruta, std::ios::binary);
        f << "[Opciones]\r\n";
        for (const auto& o : opciones) {
            f << o << "\r\n";
        }
        f << "[Piezas]\r\nN=" << piezas.size() << "\r\n";
        for (std::size_t i = 0; i < piezas.size(); ++i) {
            f << i + 1 << "=" << piezas[i] << "\r\n";
        }
        f << "[Materiales]\r\nN=" << materiales.size() << "\r\n";
        for (std::size_t i = 0; i < materiales.size(); ++i) {
            f << i + 1 << "=" << materiales[i] << "\r\n";
        }
        f.close();
        FLanzamiento = std::make_unique<CLanzamiento>(ruta.string(), OpcionesPorDefecto());
    }

    CLanzamiento& Lanzamiento() { return *FLanzamiento; }
    const CLanzamiento* Job() const { return FLanzamiento.get(); }

    // A pattern of material 1 whose tree is the node text (opening "(" included).
    std::unique_ptr<CPatron> Patron(const std::string& nodo) {
        auto p = CPatron::Create(FLanzamiento->CantidadPiezas(), 1, FLanzamiento.get());
        p->SetRaiz(CCorte::LeerTexto(nodo));
        p->RecontarPiezas(FLanzamiento->CantidadPiezas());
        return p;
    }

private:
    rutas::CCarpetaTemporal FCarpeta;
    std::unique_ptr<CLanzamiento> FLanzamiento;
};

// Kerf 3, offcuts from 100 x 100; piece 1 is 100 x 50, piece 2 is 300 x 200.
//
//  Material 1000 x 500 net, gross root 1003 x 503, vertical cut at 606:
//  +------------------+-+---------------+-+---------+
//  | free 94          |k| 2x3 of P1     |k| offcut  |  B2 (397 x 200): cut at 206
//  +------------------+ +---------------+-+---------+
//  | P2    :  P2      | |kkkkkkkkkkkkkkkkkkkkkkkkkkk|  B: horizontal cut at 303
//  |.......:..........| | P2 turned (203x303) free  |  B1 (397 x 303)
//  | P2    :  P2      | |                           |
//  +------------------+-+---------------------------+
//   A (606 x 503): 2x2 of P2, no free length
inline const std::vector<std::string> OpcionesConocidas = {
    "AnchoCorte=3", "ChequearAnchoCorte=1", "ChequearSobrante=1", "LargoMinimoSobrante=100",
    "AnchoMinimoSobrante=100"};
inline const std::vector<std::string> PiezasConocidas = {"100;50;6;Tapa;;1;",
                                                         "300;200;5;Puerta;Roble;1;"};
inline const std::string ArbolConocido = "(1003;503;1;0;0;0;0;0;\\def"
                                         "(606;503;0;303;203;2;2;2;\\def()())"
                                         "(397;503;-1;0;0;0;0;0;\\def"
                                         "(397;303;0;203;303;-2;1;1;\\def()())"
                                         "(397;200;1;0;0;0;0;0;\\def"
                                         "(206;200;0;103;53;1;2;3;\\def()())"
                                         "(191;200;0;0;0;0;0;0;\\def()()))))";

// A chain of `niveles` levels without kerf: every cut keeps a 1 x 10 leaf of ten 1 x 1
// pieces on its left and cuts the rest again; the last level is an empty 1 x 10 leaf.
inline std::string CadenaDeCortes(int niveles) {
    std::string texto;
    for (int i = 0; i < niveles - 1; ++i) {
        texto += "(" + std::to_string(niveles - i) +
                 ";10;1;0;0;0;0;0;\\def(1;10;0;1;1;1;1;10;\\def()())";
    }
    return texto + "(1;10;0;0;0;0;0;0;\\def()())" +
           std::string(static_cast<std::size_t>(niveles - 1), ')');
}

// A cut opened `niveles` times and never closed.
inline std::string Anidado(int niveles) {
    std::string t;
    for (int i = 0; i < niveles; ++i) {
        t += "(10;10;1;0;0;0;0;0;\\def";
    }
    return t;
}

} // namespace prueba
