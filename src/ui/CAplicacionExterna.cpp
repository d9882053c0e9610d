#include "ui/CAplicacionExterna.h"

#include <QDesktopServices>
#include <QUrl>

namespace {

// The files opened while a test seam lives; null otherwise. Main thread only.
QStringList* g_Abiertos = nullptr;

} // namespace

bool CAplicacionExterna::Abrir(const QString& archivo) {
    if (g_Abiertos != nullptr) {
        g_Abiertos->append(archivo);
        return true;
    }
    return QDesktopServices::openUrl(QUrl::fromLocalFile(archivo));
}

CAplicacionExterna::Prueba::Prueba() {
    g_Abiertos = new QStringList;
}

CAplicacionExterna::Prueba::~Prueba() {
    delete g_Abiertos;
    g_Abiertos = nullptr;
}

const QStringList& CAplicacionExterna::Prueba::Abiertos() const {
    return *g_Abiertos;
}
