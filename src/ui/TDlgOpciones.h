#pragma once

// "Opciones de lanzamiento": units, calculation and optimisation levels, cutting type and
// technological parameters, offcut detection, label format and report layout of the active
// job. Works on a copy of the job's option record (CEdicionOpciones holds the rules) and
// hands it back only on OK; it can also write the options into the job's template and
// convert every length of the job to new units ("Con&vertir", undone by "&Deshacer").
//
// Use (the main window's "&Opciones de lanzamiento..."):
//   RVentanaOpciones v;
//   v.Lanzamiento = &child->Lanzamiento();
//   v.Piezas = &edicion.Grilla(TGrilla::Piezas);  v.Materiales = &edicion.Grilla(...);
//   v.ReiniciarSolucion = [&] { edicion.ReinicializarSolucion(); };
//   v.AsignarOpciones = [&](const ROpciones& o) { job.AsignarOpciones(o); };
//   v.Refrescar = [&] { edicion.GuardarGrillas(); child->RefrescarSolucion(); ... };
//   dlgOpciones.Cargar(v);
//   CDialogos::Ejecutar(dlgOpciones);

#include "document/CEdicionOpciones.h"
#include "document/CGrilla.h"

#include <QDialog>

#include <functional>

class CLanzamiento;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QSpinBox;
class QTabWidget;
class QWidget;
class TDLGGenerarEti;

// What the dialog needs of the job window it edits.
struct RVentanaOpciones {
    CLanzamiento* Lanzamiento = nullptr;
    // The grids as the window shows them (the unit conversion rewrites their lengths).
    CGrilla* Piezas = nullptr;
    CGrilla* Materiales = nullptr;
    // Clears the job's solution (the user has already confirmed).
    std::function<void()> ReiniciarSolucion;
    // The job and the window take a new option record (default: the job's AsignarOpciones).
    std::function<void(const ROpciones&)> AsignarOpciones;
    // The grids changed or the options were taken: write the grids into the job and
    // re-show the grids and the results.
    std::function<void()> Refrescar;
};

class TDlgOpciones : public QDialog {
    Q_OBJECT

public:
    explicit TDlgOpciones(QWidget* padre = nullptr);

    void Cargar(const RVentanaOpciones& ventana);
    // The dialog "Generar..." opens (not owned); without one the button is disabled.
    void FijarGenerador(TDLGGenerarEti* generador);
    const CEdicionOpciones& Edicion() const { return FEdicion; }
    bool PaginaCambiada() const { return FPaginaCambiada; }

public slots:
    void OKBtnClick();
    void btConvertirClick();
    void btDeshacerClick();
    void btConfigPagClick();
    void btOriginalClick();
    void btCargarClick();
    void btGuardarClick();
    void btGenerarClick();

protected:
    void showEvent(QShowEvent* evento) override;

private:
    QWidget* PaginaUnidades();
    QWidget* PaginaCalculo();
    QWidget* PaginaCorte();
    QWidget* PaginaEtiquetas();
    QWidget* PaginaSalidas();

    void CambioUnidades();
    void LlenarPrecisiones();
    void MostrarLongitudes();
    void MostrarParametro();
    void GuardarParametro();
    void GuardarSobrante(QLineEdit* edicion, std::int32_t ROpciones::*campo);
    void CambioTipoCorte();
    void CambioNivel(int nivel);

    RVentanaOpciones FVentana;
    CEdicionOpciones FEdicion;
    ROpciones FOpcionesAntes;
    CGrilla FPiezasAntes;
    CGrilla FMaterialesAntes;
    bool FPaginaCambiada = false;
    bool FCargando = false;

    QTabWidget* FPaginas;
    // Units.
    QComboBox* FcbUnitType;
    QComboBox* FcbPresicion;
    QComboBox* FcbUnitName;
    QLabel* FlbUnitName;
    QCheckBox* FcbSuprimir;
    QLabel* FlbSample;
    QLineEdit* FedOldUnit;
    QLineEdit* FedCurrentUnit;
    QPushButton* FbtConvertir;
    QPushButton* FbtDeshacer;
    // Calculation.
    QSlider* FtrbNivel;
    QSpinBox* FudNivelInicial;
    QLabel* FlbNota;
    QCheckBox* FckbOCTeorica;
    QCheckBox* FckbOCRedondeo;
    QWidget* FpnRedondeo;
    QRadioButton* FrbDesvStd;
    QRadioButton* FrbAreaTotal;
    QCheckBox* FckbOCCompletamiento;
    QCheckBox* FckbOCPreferir;
    QCheckBox* FckbOCMantener;
    QCheckBox* FckbOCExtender;
    QLineEdit* FedPorcentajeMat;
    QCheckBox* FckbOCMejorar;
    QSpinBox* FudTiempoMejora;
    // Cutting.
    QRadioButton* FrbGuillotina;
    QRadioButton* FrbBarras;
    QListWidget* FclbCutParams;
    QLineEdit* FedParametro;
    QLabel* FlbParametro;
    QLabel* FlbAyudaPar;
    QCheckBox* FckbDetectarSob;
    QLabel* FlbSobMin;
    QLineEdit* FedLargoSob;
    QLineEdit* FedAnchoSob;
    // Labels.
    QPlainTextEdit* FmeFormatoEti;
    QPushButton* FbtGenerar;
    TDLGGenerarEti* FGenerador = nullptr;
    // Outputs.
    QSpinBox* FudRowsPat;
    QSpinBox* FudColsPat;
    QCheckBox* FckbSEPiezas;
    QCheckBox* FckbSEMateriales;
    QCheckBox* FckbSEPatrones;
    // All pages.
    QCheckBox* FckbDefault;
};
