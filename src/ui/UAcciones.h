#pragma once

// Every command of the main window as data: its name (the QAction's object name), caption
// with its "&" mnemonic, shortcut, hint ("short|long": tooltip and status tip), tag and
// whether it is a check action. The main window builds its actions, menus and tool bars
// from these tables; tests find the actions by name.

#include <span>

struct RDefinicionAccion {
    const char* Nombre;
    const char* Titulo;
    const char* Atajo; // as QKeySequence reads it; empty for none
    const char* Pista;
    int Tag;
    bool Marcable;
};

std::span<const RDefinicionAccion> DefinicionesAcciones();

// The show actions of the seven tool bars, in the bars' order.
inline constexpr const char* AccionesBarras[7] = {"VerTBEstandar",   "VerTBVistas", "VerTBReporte",
                                                  "VerTBResultados", "VerTBPatron", "VerTBAjuste",
                                                  "VerTBAyuda"};

// A menu or tool bar: entries are action names, "-" a separator, ">Title" opens a submenu
// and "<" closes it.
struct RDefinicionMenu {
    const char* Nombre; // object name
    const char* Titulo;
    std::span<const char* const> Entradas;
};

std::span<const RDefinicionMenu> DefinicionesMenus();
// The seven tool bars, in the order of the environment's entries.
std::span<const RDefinicionMenu> DefinicionesBarras();
// Context menus: PopupEditDatos, PopupResultados, PopupEditSP, PopupReporte, PopupBarras,
// PopupRedondeo.
std::span<const RDefinicionMenu> DefinicionesMenusContextuales();
