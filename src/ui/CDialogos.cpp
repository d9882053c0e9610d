#include "ui/CDialogos.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QStringList>

#include <deque>

namespace {

const char* const TituloAplicacion = "Trazal 4";
const char* const TextoAceptar = "&Aceptar";
const char* const TextoSi = "&Sí";
const char* const TextoNo = "&No";
const char* const TextoCancelar = "&Cancelar";

// Widths of the message label (the box lays itself out around it).
constexpr int AnchoAviso = 500;
constexpr int AnchoPregunta = 350;
constexpr int AnchoMinimoCaja = 200;

struct REstado {
    QPointer<QWidget> Principal;
    int Pruebas = 0;
    std::deque<int> Respuestas;
    std::deque<QString> Archivos;
    std::deque<QColor> Colores;
    std::deque<std::function<int(QDialog&)>> Ejecuciones;
    std::vector<RDialogoMostrado> Mostrados;
};

REstado& Estado() {
    static REstado estado;
    return estado;
}

QString Titulo() {
    const REstado& e = Estado();
    if (e.Principal != nullptr && !e.Principal->windowTitle().isEmpty()) {
        return e.Principal->windowTitle();
    }
    return QString::fromUtf8(TituloAplicacion);
}

void Registrar(RDialogoMostrado::TTipo tipo, const QString& texto, int predeterminado = 0,
               bool conCancelar = false, const QString& filtro = QString()) {
    Estado().Mostrados.push_back({tipo, texto, predeterminado, conCancelar, filtro});
}

// A box without title-bar buttons, its text no wider than `ancho`.
void PrepararCaja(QMessageBox& caja, const QString& texto, int ancho) {
    caja.setWindowTitle(Titulo());
    caja.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    caja.setText(texto);
    caja.setTextFormat(Qt::PlainText);
    caja.setStyleSheet(QStringLiteral("QLabel#qt_msgbox_label { max-width: %1px; }").arg(ancho));
    caja.setMinimumWidth(AnchoMinimoCaja);
}

QString SiguienteArchivo() {
    REstado& e = Estado();
    if (e.Archivos.empty()) {
        return QString();
    }
    QString nombre = e.Archivos.front();
    e.Archivos.pop_front();
    return nombre;
}

} // namespace

void CDialogos::FijarVentanaPrincipal(QWidget* ventana) {
    Estado().Principal = ventana;
}

void CDialogos::Avisar(const QString& texto) {
    Registrar(RDialogoMostrado::Aviso, texto);
    if (EnPrueba()) {
        return;
    }
    QMessageBox caja(Estado().Principal);
    PrepararCaja(caja, texto, AnchoAviso);
    caja.setIcon(QMessageBox::Critical);
    QPushButton* aceptar = caja.addButton(QString::fromUtf8(TextoAceptar), QMessageBox::AcceptRole);
    caja.setDefaultButton(aceptar);
    caja.setEscapeButton(aceptar);
    caja.exec();
}

int CDialogos::Preguntar(const QString& texto, int predeterminado, bool conCancelar) {
    Registrar(RDialogoMostrado::Pregunta, texto, predeterminado, conCancelar);
    if (predeterminado == Cancelar && !conCancelar) {
        predeterminado = No;
    }
    if (EnPrueba()) {
        REstado& e = Estado();
        if (e.Respuestas.empty()) {
            return predeterminado;
        }
        int r = e.Respuestas.front();
        e.Respuestas.pop_front();
        return r == Cancelar && !conCancelar ? No : r;
    }
    QMessageBox caja(Estado().Principal);
    PrepararCaja(caja, texto, AnchoPregunta);
    caja.setIcon(QMessageBox::Question);
    QPushButton* si = caja.addButton(QString::fromUtf8(TextoSi), QMessageBox::YesRole);
    QPushButton* no = caja.addButton(QString::fromUtf8(TextoNo), QMessageBox::NoRole);
    QPushButton* cancelar = nullptr;
    if (conCancelar) {
        cancelar = caja.addButton(QString::fromUtf8(TextoCancelar), QMessageBox::RejectRole);
    }
    caja.setDefaultButton(predeterminado == Si ? si : predeterminado == Cancelar ? cancelar : no);
    caja.setEscapeButton(cancelar != nullptr ? cancelar : no);
    caja.exec();
    if (caja.clickedButton() == si) {
        return Si;
    }
    if (cancelar != nullptr && caja.clickedButton() == cancelar) {
        return Cancelar;
    }
    return No;
}

QString CDialogos::FiltroQt(const QString& filtro) {
    const QStringList partes = filtro.split(QLatin1Char('|'));
    QStringList filtros;
    for (qsizetype k = 0; k + 1 < partes.size(); k += 2) {
        if (!partes[k].isEmpty()) {
            filtros << partes[k];
        }
    }
    return filtros.join(QStringLiteral(";;"));
}

QString CDialogos::AbrirArchivo(QWidget* padre, const QString& carpeta, const QString& filtro,
                                const QString& extension) {
    Registrar(RDialogoMostrado::Abrir, carpeta, 0, false, filtro);
    if (EnPrueba()) {
        return SiguienteArchivo();
    }
    QFileDialog dialogo(padre != nullptr ? padre : Estado().Principal.data(), QString(), carpeta,
                        FiltroQt(filtro));
    dialogo.setAcceptMode(QFileDialog::AcceptOpen);
    dialogo.setFileMode(QFileDialog::ExistingFile);
    dialogo.setDefaultSuffix(extension);
    if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty()) {
        return QString();
    }
    return dialogo.selectedFiles().constFirst();
}

QString CDialogos::GuardarArchivo(QWidget* padre, const QString& carpeta, const QString& nombre,
                                  const QString& filtro, const QString& extension) {
    Registrar(RDialogoMostrado::Guardar, nombre, 0, false, filtro);
    if (EnPrueba()) {
        return SiguienteArchivo();
    }
    QFileDialog dialogo(padre != nullptr ? padre : Estado().Principal.data(), QString(), carpeta,
                        FiltroQt(filtro));
    dialogo.setAcceptMode(QFileDialog::AcceptSave);
    dialogo.setFileMode(QFileDialog::AnyFile);
    dialogo.setDefaultSuffix(extension);
    if (!nombre.isEmpty()) {
        dialogo.selectFile(nombre);
    }
    if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty()) {
        return QString();
    }
    return dialogo.selectedFiles().constFirst();
}

QString CDialogos::ElegirCarpeta(QWidget* padre, const QString& titulo, const QString& inicial) {
    Registrar(RDialogoMostrado::Carpeta, inicial);
    if (EnPrueba()) {
        return SiguienteArchivo();
    }
    return QFileDialog::getExistingDirectory(padre != nullptr ? padre : Estado().Principal.data(),
                                             titulo, inicial);
}

std::optional<QColor> CDialogos::ElegirColor(QWidget* padre, const QColor& inicial) {
    Registrar(RDialogoMostrado::Color, inicial.name());
    QColor color;
    if (EnPrueba()) {
        REstado& e = Estado();
        if (!e.Colores.empty()) {
            color = e.Colores.front();
            e.Colores.pop_front();
        }
    } else {
        color =
            QColorDialog::getColor(inicial, padre != nullptr ? padre : Estado().Principal.data());
    }
    if (!color.isValid()) {
        return std::nullopt;
    }
    return color;
}

int CDialogos::Ejecutar(QDialog& dialogo) {
    Registrar(RDialogoMostrado::Modal, dialogo.objectName());
    if (EnPrueba()) {
        REstado& e = Estado();
        if (e.Ejecuciones.empty()) {
            return QDialog::Rejected;
        }
        std::function<int(QDialog&)> funcion = std::move(e.Ejecuciones.front());
        e.Ejecuciones.pop_front();
        return funcion(dialogo);
    }
    return dialogo.exec();
}

CDialogos::Prueba::Prueba() {
    ++Estado().Pruebas;
}

CDialogos::Prueba::~Prueba() {
    REstado& e = Estado();
    if (--e.Pruebas == 0) {
        e.Respuestas.clear();
        e.Archivos.clear();
        e.Colores.clear();
        e.Ejecuciones.clear();
        e.Mostrados.clear();
    }
}

bool CDialogos::EnPrueba() {
    return Estado().Pruebas > 0;
}

void CDialogos::ProximaRespuesta(int respuesta) {
    Estado().Respuestas.push_back(respuesta);
}

void CDialogos::ProximoArchivo(const QString& nombre) {
    Estado().Archivos.push_back(nombre);
}

void CDialogos::ProximoColor(const QColor& color) {
    Estado().Colores.push_back(color);
}

void CDialogos::ProximaEjecucion(std::function<int(QDialog&)> funcion) {
    Estado().Ejecuciones.push_back(std::move(funcion));
}

const std::vector<RDialogoMostrado>& CDialogos::Mostrados() {
    return Estado().Mostrados;
}

void CDialogos::OlvidarMostrados() {
    Estado().Mostrados.clear();
}
