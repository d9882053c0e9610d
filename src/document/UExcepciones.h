#pragma once

// The exception classes of the system. None has fields of its own: the class says what
// failed. The engine raises them with an empty message and the calculation driver turns
// the class into the user's message (MensajeDeExcepcion); document, pattern and interface
// code raises them with the message from the string table.

#include <exception>
#include <stdexcept>
#include <string>

#define TRAZAL_EXCEPCION(Nombre)                                                                   \
    class Nombre : public std::runtime_error {                                                     \
    public:                                                                                        \
        explicit Nombre(const std::string& mensaje = std::string())                                \
            : std::runtime_error(mensaje) {}                                                       \
    }

TRAZAL_EXCEPCION(ECalculoForzado);
TRAZAL_EXCEPCION(ECalculoAbortado);
TRAZAL_EXCEPCION(ENoHayPiezas);
TRAZAL_EXCEPCION(ENoHayMateriales);
TRAZAL_EXCEPCION(EPiezaNula);
TRAZAL_EXCEPCION(EMaterialNulo);
TRAZAL_EXCEPCION(EErrorPrecision);
TRAZAL_EXCEPCION(EPedidoNulo);
TRAZAL_EXCEPCION(EErrorPropiedad);
TRAZAL_EXCEPCION(EErrorRangoDimension);
TRAZAL_EXCEPCION(EErrorRangoPieza);
TRAZAL_EXCEPCION(ECorteImposible);
TRAZAL_EXCEPCION(EErrorIdPieza);
TRAZAL_EXCEPCION(EErrorDirHorBarras);
TRAZAL_EXCEPCION(EConversion);
TRAZAL_EXCEPCION(ENotPurgeSol);
// Errors of reading and writing files (the platform's file and stream errors).
TRAZAL_EXCEPCION(EArchivo);
// The user declined to go on with an import: the transfer ends quietly.
TRAZAL_EXCEPCION(EUserAbortImport);

#undef TRAZAL_EXCEPCION

// The user's message for an exception that reached the calculation driver: the string-table
// message of its class, or its own message for any other exception. ECalculoForzado maps to
// an empty message (a forced run that ends is not an error).
std::string MensajeDeExcepcion(const std::exception& e);
