#pragma once

// The job document: pieces, stock materials, options, solution and history of one cutting
// order, kept in its job file. Pieces, materials, results and history live in the text
// database and are read on demand; only the options (and the solution) are held decoded.
//
// Piece and material records ("Piezas", "Materiales"): Largo;Ancho;Cantidad;Desc1;Desc2;Act;
// lengths as display texts in the job's units, read into internal lengths; with Barras set
// the width is 1 whatever the file holds; Act is active unless exactly "0".

#include "document/CTextDB.h"
#include "document/ROpciones.h"
#include "document/UGlobals.h"

#include <memory>
#include <string>
#include <vector>

class CControlCalculo;
class CGrilla;
class CSolucion;

class CLanzamiento : public CTextDB {
public:
    static constexpr const char* SeccionOpciones = "Opciones";
    static constexpr const char* SeccionPiezas = "Piezas";
    static constexpr const char* SeccionMateriales = "Materiales";
    static constexpr const char* SeccionResultados = "Resultados";
    static constexpr const char* SeccionSolucion = "Solucion";
    static constexpr const char* SeccionHistorico = "Historico";

    // Opens the job file (a missing file is an empty job); a key missing from "Opciones"
    // takes the field of `Defaults`. Raises EArchivo when the file cannot be read.
    CLanzamiento(const std::string& FileName, const ROpciones& Defaults);
    ~CLanzamiento() override;
    CLanzamiento(const CLanzamiento&) = delete;
    CLanzamiento& operator=(const CLanzamiento&) = delete;

    // Writes the options and the solution, then the file (atomically); sets Guardado.
    void Guardar();
    // The next Guardar writes to FileName; nothing is reloaded.
    void GuardarComo(const std::string& FileName);
    // The file name without folder and extension.
    std::string Nombre() const;

    const ROpciones& Opciones() const { return FOpciones; }
    void AsignarOpciones(const ROpciones& opciones);
    // The technological options a calculation applies, checked before it runs: a kerf,
    // grip, maximum cut, minimum offcut, offcut minimum or margin that is applied must lie
    // in 0..65535, and the margins must leave usable material on every active material
    // that carries them. Raises EErrorPropiedad naming the option.
    void ComprobarOpciones() const;
    // Writes the option record into section "Opciones" key by key (no file is written).
    void EscribirOpciones();

    // Records of "Piezas" and "Materiales", i from 1.
    int CantidadPiezas() const;
    int CantidadMateriales() const;
    int LargoPieza(int i) const;
    int AnchoPieza(int i) const;
    int CantidadPieza(int i) const;
    std::string Desc1Pieza(int i) const;
    std::string Desc2Pieza(int i) const;
    bool PiezaActiva(int i) const;
    int LargoMaterial(int i) const;
    int AnchoMaterial(int i) const;
    int CantidadMaterial(int i) const;
    std::string Desc1Material(int i) const;
    std::string Desc2Material(int i) const;
    bool MaterialActivo(int i) const;
    double AreaPieza(int i) const;
    double AreaMaterial(int i) const;

    // Fill arrays indexed 1..count (element 0 untouched); an array shorter than count + 1
    // is lengthened.
    void DimensionesPiezas(AWord16& largos, AWord16& anchos) const;
    void DimensionesMateriales(AWord16& largos, AWord16& anchos) const;
    void CantidadesPiezas(AWord16& cantidades) const;
    void CantidadesMateriales(AWord16& cantidades) const;
    void ActivasPiezas(AWord16& activas) const;
    void ActivosMateriales(AWord16& activos) const;

    void LeerPiezas(CGrilla& grilla) const;
    void LeerMateriales(CGrilla& grilla) const;
    void EscribirPiezas(const CGrilla& grilla);
    void EscribirMateriales(const CGrilla& grilla);
    void EscribirResultados(const CGrilla& grilla);

    bool PiezaRotable(int i) const;
    bool MaterialConMargen(int i) const;

    // History entries ("Historico"); writing them marks the job modified.
    std::vector<std::string> LeerHistorico() const;
    void EscribirHistorico(const std::vector<std::string>& entradas);

    bool Guardado() const { return FGuardado; }
    void MarcarModificado() { FGuardado = false; }

    // The calculation running on this job, if any (not owned).
    CControlCalculo* Calculo() const { return FCalculo; }
    void AsignarCalculo(CControlCalculo* calculo) { FCalculo = calculo; }

    // ---- Solution seam ------------------------------------------------------------------
    // The solution (section "Solucion") is read at creation and written by Guardar through
    // these two. Reading replaces the solution object: "CantPatrones" slots, bounded by the
    // "Patron<i>" keys the section really holds, each pattern read for the current number
    // of pieces; a missing or empty key leaves its slot empty. Writing erases the section
    // and stores the patterns of the non-empty slots, numbered from 1.
    void LeerSolucion();
    void EscribirSolucion();
    // ---- end of the solution seam -------------------------------------------------------

    // The current solution; the job always has one (empty for a new job).
    CSolucion& Solucion() { return *FSolucion; }
    const CSolucion& Solucion() const { return *FSolucion; }
    // Installs a new solution (the end of a calculation); the old one is freed.
    void AsignarSolucion(std::unique_ptr<CSolucion> solucion);
    // "Ocurrió un error al crear el patrón" when the last LeerSolucion met a pattern text it
    // could not read (the pattern is kept as far as it was built); empty otherwise.
    const std::string& AvisoSolucion() const { return FAvisoSolucion; }

    // A new job from a template: the template file read as a job, its Plantilla option set
    // to the template's file name, renamed to FileName (which is not read). The template
    // file itself is never written through this job.
    static std::unique_ptr<CLanzamiento> DesdePlantilla(const std::string& Plantilla,
                                                        const std::string& FileName,
                                                        const ROpciones& Defaults);

private:
    void LeerOpciones(const ROpciones& Defaults);
    // Called by EscribirPiezas with the counts before and after, so that the solution can
    // keep its per-piece arrays as long as the piece list.
    void PiezasCambiadas(int cantidadAnterior, int cantidadNueva);

    int Longitud(const char* seccion, int i, int campo) const;
    int Cantidad(const char* seccion, int i) const;

    ROpciones FOpciones;
    std::unique_ptr<CSolucion> FSolucion;
    std::string FAvisoSolucion;
    CControlCalculo* FCalculo = nullptr;
    bool FGuardado = true;
};
