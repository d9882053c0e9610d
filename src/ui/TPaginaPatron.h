#pragma once

// The patterns page of a job window beside its thumbnails: the drawing of the current
// pattern with its two scroll bars (TVistaPatron), the pattern inspector (the cut tree
// TreeView1 and the property list vlvSP) and the pieces inspector (sgRealVsOrder, "&Rotadas"
// and its status panels). It keeps the selected node the same in the drawing, the tree and
// the inspectors, and carries out the adjustment commands through the job window's undo
// stack (CAjuste); every rule lives in the core, the page forwards and shows.
//
// The label designer is not part of this page: the "&Editar etiqueta..." command opens it
// with Patron() and Seleccion() and hands its result to AsignarEtiqueta.

#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>

class CAjuste;
class CCorte;
class CEdicionLanzamiento;
class CPatron;
class QCheckBox;
class QLabel;
class QScrollBar;
class QTableWidget;
class QTreeWidget;
class QTreeWidgetItem;
class TVistaPatron;
struct REstadoComandos;

class TPaginaPatron : public QWidget {
    Q_OBJECT

public:
    TPaginaPatron(CEdicionLanzamiento& edicion, QWidget* padre = nullptr);
    ~TPaginaPatron() override;

    TVistaPatron& Vista() const { return *FVista; }
    // The job window's adjustment undo stack.
    CAjuste& Ajuste() const { return *FAjuste; }

    // Shows another pattern (null: none); the selection is cleared.
    void FijarPatron(CPatron* patron);
    CPatron* Patron() const { return FPatron; }
    CCorte* Seleccion() const { return FSeleccion; }
    // Selects a node of the shown pattern (null deselects) in the drawing, tree and inspectors.
    void Seleccionar(CCorte* nodo);

    // The commands of the adjustment menu, by action name (EditCorteVer, EditUnir...,
    // EditLimpiar, EditDeseleccionarSP, EditUndoAdjusting, VerInspectorPatron,
    // VerInspectorPiezas). False for a name that is not one of them.
    bool Comando(const QString& accion);
    void Copiar();
    void Cortar();
    void Pegar();
    bool PuedePegar() const;
    // The label designer's result for the selected node, with undo.
    void AsignarEtiqueta(const std::string& formato, bool propagar);
    // "&Editar etiqueta..." on the selected node: `editar` asks for the label and applies it
    // through the undo stack, true when a label changed; the page then shows it.
    void EditarEtiqueta(const std::function<bool(CAjuste&, CPatron&, CCorte&)>& editar);
    // Values shown again after the job's results changed elsewhere.
    void ActualizarPiezas();
    void LlenarEstado(REstadoComandos& e) const;

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

signals:
    // The shown pattern changed: its results row, thumbnail and the totals follow.
    void PatronModificado();
    // An undo restored the solution; the pattern at this index is to be shown.
    void Deshecho(std::int32_t indice);
    // Home, End or an arrow with no node selected: move between patterns.
    void MoverPatron(int tecla);

private:
    void CrearControles();
    void ConstruirArbol();
    void LlenarPropiedades();
    void ValidarPropiedad(int fila);
    void ActualizarMarcas();
    void ActualizarPaneles();
    void ActualizarBarras();
    void AlElegirEnArbol();
    void Navegar(int tecla);
    void SoltarPieza(int pieza);
    // Refresh after a change to node n of the shown pattern.
    void Refrescar(CCorte* n);
    template <class F> void Ejecutar(CCorte* n, F&& f);

    CEdicionLanzamiento& FEdicion;
    std::unique_ptr<CAjuste> FAjuste;
    CPatron* FPatron = nullptr;
    CCorte* FSeleccion = nullptr;
    TVistaPatron* FVista = nullptr;
    QScrollBar* FBarraH = nullptr;
    QScrollBar* FBarraV = nullptr;
    QWidget* FInspectorPatron = nullptr;
    QWidget* FInspectorPiezas = nullptr;
    QTreeWidget* FArbol = nullptr;
    QTableWidget* FPropiedades = nullptr;
    QTableWidget* FPiezas = nullptr;
    QCheckBox* FRotadas = nullptr;
    QLabel* FPaneles[5] = {};
    std::unordered_map<const CCorte*, QTreeWidgetItem*> FItems;
    // The property list is being filled or validated (its edits are not the user's).
    bool FLlenando = false;
    bool FValidando = false;
    bool FEligiendo = false;
};
