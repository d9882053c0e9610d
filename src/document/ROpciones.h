#pragma once

// The job's option record: units, cutting limits, optimisation switches, label formats and
// page settings. Lengths are internal lengths (see ULongitudes.h). The pattern generator
// works on a private copy.

#include <cstdint>
#include <string>

// Default label format of the pattern drawing, built from the string-table letters.
std::string FormatoEtiPorDefecto();
std::string FormatoEtiPiezaPorDefecto();
std::string FormatoEtiSobrantePorDefecto();
std::string FormatoEtiCorteVerPorDefecto();
std::string FormatoEtiCorteHorPorDefecto();

struct ROpciones {
    std::int32_t TipoUnidad = 0;
    std::int32_t Precision = 0;
    std::string NombreUnidad;
    bool SuprimirCeros = false;
    std::int32_t SobranteMinimo = 0;
    std::int32_t CorteMaximo = 0;
    std::int32_t AnchoCorte = 0;
    std::int32_t LongitudAgarre = 0;
    bool Barras = false;
    bool RotarPiezas = true;
    std::string PiezasRotadas;
    bool ChequearSobranteMinimo = false;
    bool ChequearCorteMaximo = false;
    bool ChequearAnchoCorte = false;
    bool ChequearAgarre = false;
    std::int32_t NivelOptimizacionInicial = 1;
    std::int32_t NivelOptimizacionFinal = 2;
    std::int32_t LargoMinimoSobrante = 0;
    std::int32_t AnchoMinimoSobrante = 0;
    bool EtiCorte = true;
    bool EtiPieza = true;
    bool EtiSobrante = true;
    std::string FormatoEti = FormatoEtiPorDefecto();
    std::string FormatoEtiPieza = FormatoEtiPiezaPorDefecto();
    std::string FormatoEtiSobrante = FormatoEtiSobrantePorDefecto();
    std::string FormatoEtiCorteVer = FormatoEtiCorteVerPorDefecto();
    std::string FormatoEtiCorteHor = FormatoEtiCorteHorPorDefecto();
    std::int32_t FilasReportePatrones = 1;
    std::int32_t ColumnasReportePatrones = 1;
    std::int32_t PrinterIndex = -1;
    std::int32_t PaperSize = 0;
    std::int32_t OutputBin = 7;
    std::int32_t PaperOrientation = 1;
    double PaperLength = 0.0;
    double PaperWidth = 0.0;
    bool SolucionTeorica = true;
    bool Redondear = true;
    std::int32_t CriterioRedondeo = 2;
    bool Completar = true;
    bool PreferirVariosMateriales = false;
    // The improvement stage after the completion, and its time limit in seconds.
    bool MejorarSolucion = true;
    std::int32_t TiempoMejora = 10;
    bool MantenerPatronesActuales = false;
    bool RestringirPosiblesCortes = false;
    std::int32_t PorcentajeMaterial = 10;
    std::string Plantilla;
    bool ChequearSobrante = false;
    bool ChequearNivelCorte = false;
    std::int32_t NivelCorte = 4;
    bool ChequearMargenes = false;
    std::int32_t MargenIzq = 0;
    std::int32_t MargenDer = 0;
    std::int32_t MargenSup = 0;
    std::int32_t MargenInf = 0;
    std::string MaterialesConMargen;
    bool ExcluirPiezasNulas = true;
    bool ExcluirMaterialesNulos = true;
    bool ExcluirPatronesNulos = true;

    bool operator==(const ROpciones&) const = default;
};

// The default option record of a new job.
ROpciones OpcionesPorDefecto();
