#include "document/CConsumoIdeal.h"

#include "document/CLanzamiento.h"
#include "document/UGlobals.h"

#include <cstdio>

double CConsumoIdeal::Cantidad(const CLanzamiento& job, int m) {
    const double area = job.AreaMaterial(m);
    if (Igual(area, 0.0)) {
        return 0.0;
    }
    const int largo = job.LargoMaterial(m);
    const int ancho = job.AnchoMaterial(m);
    double suma = 0.0;
    for (int i = 1; i <= job.CantidadPiezas(); ++i) {
        if (!job.PiezaActiva(i)) {
            continue;
        }
        const int l = job.LargoPieza(i);
        const int a = job.AnchoPieza(i);
        const bool cabe =
            (l <= largo && a <= ancho) || (job.PiezaRotable(i) && l <= ancho && a <= largo);
        if (cabe) {
            suma += job.CantidadPieza(i) * job.AreaPieza(i);
        }
    }
    return suma / area;
}

std::string CConsumoIdeal::Texto(const CLanzamiento& job, int m) {
    if (Igual(job.AreaMaterial(m), 0.0)) {
        return "0";
    }
    char texto[400];
    std::snprintf(texto, sizeof texto, "%.2f", Cantidad(job, m));
    return texto;
}
