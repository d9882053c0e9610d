#pragma once

// What the windows share to build their controls: the string table's UTF-8 texts as QString,
// and a control created with its object name (tests and the stored layout find it by name).

#include <QString>

inline QString Q(const char* texto) {
    return QString::fromUtf8(texto);
}

template <class T> T* Nombrado(T* control, const char* nombre) {
    control->setObjectName(QString::fromUtf8(nombre));
    return control;
}
