#pragma once

// The base of the window tests: a config folder of the test's own, the message-box seam, the
// main window shown and active, commands triggered through their actions, and every job
// window closed without saving at the end (a job named NUEVO must never be written).

#include "document/UEntorno.h"
#include "support/RutasPrueba.h"
#include "ui/CDialogos.h"
#include "ui/TMainForm.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QtTest>

#include <filesystem>
#include <memory>
#include <string>

inline QString Q(const std::filesystem::path& p) {
    return QString::fromStdString(p.string());
}

// The child of `w` named `nombre`; a missing one ends the test program naming it.
template <class T> T* Hijo(QWidget& w, const QString& nombre) {
    T* hijo = w.findChild<T*>(nombre);
    if (hijo == nullptr) {
        qFatal("no child %s", qPrintable(nombre));
    }
    return hijo;
}

// With TRAZAL_CAPTURAS set to a folder, a picture of `ventana` there as `nombre`.png.
inline void Capturar(QWidget& ventana, const QString& nombre) {
    const QString carpeta = qEnvironmentVariable("TRAZAL_CAPTURAS");
    if (carpeta.isEmpty()) {
        return;
    }
    const bool oculta = !ventana.isVisible();
    ventana.show();
    QCoreApplication::processEvents();
    ventana.grab().save(carpeta + QLatin1Char('/') + nombre + QStringLiteral(".png"));
    if (oculta) {
        ventana.hide();
    }
}

class CPruebaVentana : public QObject {
protected:
    std::unique_ptr<rutas::CCarpetaTemporal> FCarpeta;
    std::unique_ptr<CDialogos::Prueba> FSeam;
    std::unique_ptr<TMainForm> FPrincipal;

    // Once per test program, before the first main window.
    void PrepararPrograma() {
        FCarpeta = std::make_unique<rutas::CCarpetaTemporal>();
        qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString((*FCarpeta / "config").string()));
        InicializarGlobales(QCoreApplication::applicationFilePath().toStdString(), 1280, 800,
                            nullptr);
    }
    void AbrirPrincipal(int ancho = 1100, int alto = 700) {
        FSeam = std::make_unique<CDialogos::Prueba>();
        FPrincipal = std::make_unique<TMainForm>();
        FPrincipal->resize(ancho, alto);
        FPrincipal->show();
        QApplication::setActiveWindow(FPrincipal.get());
        QVERIFY(QTest::qWaitForWindowActive(FPrincipal.get()));
    }
    void CerrarPrincipal() {
        for (QMdiSubWindow* w : FPrincipal->AreaMDI()->subWindowList()) {
            CDialogos::ProximaRespuesta(CDialogos::No);
            w->close();
        }
        FPrincipal.reset();
        FSeam.reset();
    }

    // A copy of `origen` in the test's folder.
    QString Copia(const std::filesystem::path& origen, const std::string& nombre) {
        const auto destino = *FCarpeta / nombre;
        std::filesystem::copy_file(origen, destino,
                                   std::filesystem::copy_options::overwrite_existing);
        return Q(destino);
    }
    void Disparar(const char* accion) {
        FPrincipal->ActualizarComandos();
        QAction* a = FPrincipal->Accion(QString::fromUtf8(accion));
        QVERIFY2(a != nullptr, accion);
        QVERIFY2(a->isEnabled(), accion);
        a->trigger();
    }
    bool Habilitada(const char* accion) {
        FPrincipal->ActualizarComandos();
        return FPrincipal->Accion(QString::fromUtf8(accion))->isEnabled();
    }
};
