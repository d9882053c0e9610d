#include "engine/CIteradorSol.h"

#include "engine/CFiltro.h"
#include "engine/CSolucion.h"

bool CIteradorSol::Siguiente(std::int32_t& k) {
    const std::int32_t cantidad = FSolucion->Cantidad();
    const CFiltro* filtro = FSolucion->Filtro();
    while (FIndice < cantidad) {
        ++FIndice;
        if (FSolucion->Patron(FIndice) != nullptr &&
            (filtro == nullptr || filtro->Acepta(FIndice))) {
            k = FIndice;
            return true;
        }
    }
    k = 0;
    return false;
}
