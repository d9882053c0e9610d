#pragma once

// Where the environment value is kept: one binary value under a per-user key. The desktop
// keeps it in its settings store; the core ships a file-backed store.

#include <cstdint>
#include <string>
#include <vector>

class CAlmacenEntorno {
public:
    virtual ~CAlmacenEntorno() = default;
    // Answers false when the key cannot be opened; a key without the value answers true
    // with an empty value.
    virtual bool Leer(std::vector<std::uint8_t>& valor) = 0;
    // Answers false when the key cannot be opened or created; nothing is written then.
    virtual bool Escribir(const std::vector<std::uint8_t>& valor) = 0;
};

// Keeps the value as the whole content of one file, written atomically.
class CAlmacenEntornoArchivo : public CAlmacenEntorno {
public:
    explicit CAlmacenEntornoArchivo(std::string ruta);
    // The per-user file: $XDG_CONFIG_HOME (or ~/.config) + "/Mirvane/Trazal4/Environment".
    static std::string RutaPorDefecto();

    bool Leer(std::vector<std::uint8_t>& valor) override;
    bool Escribir(const std::vector<std::uint8_t>& valor) override;

    const std::string& Ruta() const { return FRuta; }

private:
    std::string FRuta;
};
