#include "ui/CCalculadora.h"

#include "document/UTextos.h"
#include "ui/CDialogos.h"

#include <QProcess>
#include <QStandardPaths>

const QStringList& CCalculadora::Programas() {
    static const QStringList programas{QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"),
                                       QStringLiteral("galculator"), QStringLiteral("mate-calc"),
                                       QStringLiteral("xcalc")};
    return programas;
}

QString CCalculadora::Buscar(const QStringList& carpetas) {
    for (const QString& programa : Programas()) {
        const QString ruta = QStandardPaths::findExecutable(programa, carpetas);
        if (!ruta.isEmpty()) {
            return ruta;
        }
    }
    return QString();
}

bool CCalculadora::Abrir(const QStringList& carpetas) {
    const QString ruta = Buscar(carpetas);
    if (ruta.isEmpty() || !QProcess::startDetached(ruta, {})) {
        CDialogos::Avisar(QString::fromUtf8(Textos::SinCalculadora));
        return false;
    }
    return true;
}
