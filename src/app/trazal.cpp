// The desktop program: the main window over the jobs given on the command line.
//
//     trazal [LANZAMIENTO.lan]

#include "document/CAlmacenEntorno.h"
#include "document/UEntorno.h"
#include "ui/CApagado.h"
#include "ui/TMainForm.h"

#include <QApplication>
#include <QScreen>

#include <clocale>

int main(int argc, char** argv) {
    QApplication aplicacion(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Trazal 4"));
    QApplication::setDesktopFileName(QStringLiteral("trazal"));
    // Numbers in files and grids always use ".".
    std::setlocale(LC_NUMERIC, "C");

    CAlmacenEntornoArchivo almacen(CAlmacenEntornoArchivo::RutaPorDefecto());
    const QRect pantalla = QGuiApplication::primaryScreen() != nullptr
                               ? QGuiApplication::primaryScreen()->availableGeometry()
                               : QRect(0, 0, 1024, 768);
    InicializarGlobales(QCoreApplication::applicationFilePath().toStdString(), pantalla.width(),
                        pantalla.height(), &almacen);

    const QStringList argumentos = QCoreApplication::arguments();
    TMainForm principal(argumentos.size() > 1 ? argumentos[1] : QString(), &almacen);
    principal.show();
    const int resultado = QApplication::exec();
    // A finished calculation asked to switch the computer off.
    if (ApagarAlTerminar.load()) {
        CApagado::Apagar();
    }
    return resultado;
}
