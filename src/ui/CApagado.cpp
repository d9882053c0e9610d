#include "ui/CApagado.h"

#include <QProcess>
#include <QStringList>

namespace {

std::function<void()>& Funcion() {
    static std::function<void()> funcion;
    return funcion;
}

} // namespace

void CApagado::Apagar() {
    if (Funcion()) {
        Funcion()();
        return;
    }
    QProcess::startDetached(QStringLiteral("systemctl"), {QStringLiteral("poweroff")});
}

void CApagado::FijarFuncion(std::function<void()> funcion) {
    Funcion() = std::move(funcion);
}
