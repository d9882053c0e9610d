#pragma once

// The program's message boxes and common dialogs, in one place so that tests can answer them.
//
// Avisar shows an error box with "&Aceptar"; Preguntar a question with "&Sí", "&No" and
// optionally "&Cancelar" and answers Si (6), No (7) or Cancelar (2). Both take the caption
// of the main window (FijarVentanaPrincipal). The file, folder and colour pickers and every
// modal dialog (Ejecutar) go through here too.
//
// Test seam: while a CDialogos::Prueba object lives nothing is ever shown. Answers come from
// queues filled in advance (ProximaRespuesta, ProximoArchivo, ProximoColor,
// ProximaEjecucion); an empty
// queue gives Preguntar its default answer, a picker "cancelled" and Ejecutar Rejected.
// Everything asked is recorded in Mostrados(). Main thread only.
//
// Use:
//   CDialogos::Avisar("No hay piezas para cortar");
//   if (CDialogos::Preguntar(texto, CDialogos::No) == CDialogos::Si) ...
//   const QString f = CDialogos::AbrirArchivo(this, carpeta, "Plantillas (*.pla)|*.pla", "pla");
//   if (CDialogos::Ejecutar(dialogo) == QDialog::Accepted) ...

#include <QColor>
#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QDialog;
class QWidget;

struct RDialogoMostrado {
    enum TTipo { Aviso, Pregunta, Abrir, Guardar, Carpeta, Color, Modal };
    TTipo Tipo = Aviso;
    // Message text; for pickers the initial folder (or file name); for Modal the object name.
    QString Texto;
    int Predeterminado = 0;
    bool ConCancelar = false;
    QString Filtro;
};

class CDialogos {
public:
    static constexpr int Si = 6;
    static constexpr int No = 7;
    static constexpr int Cancelar = 2;

    // Parent and caption of every box; null restores the application title.
    static void FijarVentanaPrincipal(QWidget* ventana);

    static void Avisar(const QString& texto);
    static void Avisar(const std::string& texto) { Avisar(QString::fromStdString(texto)); }
    // `predeterminado` is the focused button: Si, No or Cancelar.
    static int Preguntar(const QString& texto, int predeterminado, bool conCancelar = false);
    static int Preguntar(const std::string& texto, int predeterminado, bool conCancelar = false) {
        return Preguntar(QString::fromStdString(texto), predeterminado, conCancelar);
    }

    // Filters in the form "Descripción (*.ext)|*.ext|...". An empty result means cancelled.
    static QString AbrirArchivo(QWidget* padre, const QString& carpeta, const QString& filtro,
                                const QString& extension);
    static QString GuardarArchivo(QWidget* padre, const QString& carpeta, const QString& nombre,
                                  const QString& filtro, const QString& extension);
    static QString ElegirCarpeta(QWidget* padre, const QString& titulo, const QString& inicial);
    static std::optional<QColor> ElegirColor(QWidget* padre, const QColor& inicial);
    // Shows a dialog modally (exec) and answers its result.
    static int Ejecutar(QDialog& dialogo);

    // "A (*.a)|*.a|B (*.b)|*.b" -> "A (*.a);;B (*.b)".
    static QString FiltroQt(const QString& filtro);

    // ---- Test seam ----
    class Prueba {
    public:
        Prueba();
        ~Prueba();
        Prueba(const Prueba&) = delete;
        Prueba& operator=(const Prueba&) = delete;
    };
    static bool EnPrueba();
    // Next answer of Preguntar.
    static void ProximaRespuesta(int respuesta);
    // Next file or folder name of a picker; an empty name cancels.
    static void ProximoArchivo(const QString& nombre);
    // Next colour of ElegirColor; an invalid colour cancels.
    static void ProximoColor(const QColor& color);
    // Next modal dialog: the function gets the dialog (fill it, press its buttons) and answers
    // the result Ejecutar returns.
    static void ProximaEjecucion(std::function<int(QDialog&)> funcion);
    static const std::vector<RDialogoMostrado>& Mostrados();
    static void OlvidarMostrados();
};
