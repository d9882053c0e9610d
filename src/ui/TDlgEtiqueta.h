#pragma once

// "Editar etiqueta": the label designer. The memo meEti holds one format in editor form;
// the radio buttons (their ids are the layout bits), the clip box and the font choose layout
// words, clip word and font block, each rewriting the memo (CEdicionEtiqueta holds the
// rules). The preview below shows the format expanded for the edited node as it is typed,
// in the chosen font. "&Restaurar" returns the node to the common format ("\def"),
// "&Eliminar" leaves it without a label; both close with OK.
//
// Use for a node of a pattern (the pattern page's "&Editar etiqueta..."):
//   if (dlg.EditarNodo(ajuste, P, n)) { refresh the page }
// Use for a part format (the generator):
//   dlg.CargarFormato(f); dlg.MostrarFormato(f); dlg.FijarPropagable(false);
//   if (CDialogos::Ejecutar(dlg) == QDialog::Accepted) f = dlg.FormatoDeMemo();

#include "patterns/CEdicionEtiqueta.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <string>

class CAjuste;
class CCorte;
class CPatron;
class QButtonGroup;
class QCheckBox;
class QPlainTextEdit;
class TDLGParametrosEti;

class TDlgEtiqueta : public QDialog {
    Q_OBJECT

public:
    // parametros: the parameter list that "&Parámetros" opens (not owned).
    explicit TDlgEtiqueta(TDLGParametrosEti& parametros, QWidget* padre = nullptr);

    // Buttons, clip box and preview font from a copy of the format.
    void CargarFormato(const std::string& texto);
    // The format into the memo in editor form.
    void MostrarFormato(const std::string& texto);
    // The memo in node form.
    std::string FormatoDeMemo() const;
    // "Pr&opagar formato" is offered only for cuts.
    void FijarPropagable(bool propagable);
    bool Propagar() const;
    // The node the preview expands the memo for (none: the memo's text is shown).
    void FijarNodo(const CPatron* P, const CCorte* n);

    // Opens the designer on node n of P; on OK the node (and, when "Pr&opagar formato" is
    // checked, every node below it) takes the format through the adjustment undo stack.
    // True when a label changed.
    bool EditarNodo(CAjuste& ajuste, CPatron& P, CCorte& n);

    // The font picker (tests replace it); nullopt cancels.
    std::function<std::optional<RFuente>(QWidget*, const RFuente&)> ElegirFuente;

public slots:
    void btRestaurarClick();
    void btEliminarClick();
    void btFontClick();
    void btParametrosClick();

protected:
    void showEvent(QShowEvent* evento) override;

private:
    void DirectivaClick(int bit);
    void MostrarBanderas();
    void ActualizarVista();
    void PonerMemo(const std::string& memo);

    TDLGParametrosEti& FParametros;
    CEdicionEtiqueta FEdicion;
    const CPatron* FPatron = nullptr;
    const CCorte* FNodo = nullptr;
    QPlainTextEdit* FmeEti;
    QPlainTextEdit* FmeVista;
    QButtonGroup* FGrupos[4];
    QCheckBox* FckbRecortar;
    QCheckBox* FckbPropagar;
};
