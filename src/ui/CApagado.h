#pragma once

// Switching the computer off when a finished calculation asked for it. The request goes
// through a replaceable function so that tests never power anything off; the default asks
// the system with "systemctl poweroff".

#include <functional>

class CApagado {
public:
    static void Apagar();
    // Replaces the request (tests); an empty function restores the default.
    static void FijarFuncion(std::function<void()> funcion);
};
