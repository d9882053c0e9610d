#pragma once

// "&Calculadora...": starts the desktop's calculator, the first installed of
// gnome-calculator, kcalc, galculator, mate-calc and xcalc, or says that there is none.

#include <QString>
#include <QStringList>

class CCalculadora {
public:
    static const QStringList& Programas();
    // Full path of the first program found in `carpetas` (empty: the system's PATH).
    static QString Buscar(const QStringList& carpetas = {});
    // Starts it detached; without one, Avisar tells so. Answers whether one was started.
    static bool Abrir(const QStringList& carpetas = {});
};
