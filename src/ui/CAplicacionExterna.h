#pragma once

// Opens a file with the desktop's default application (a workbook in the user's spreadsheet
// program). Test seam: while a CAplicacionExterna::Prueba lives nothing is opened; the files
// asked for are recorded.

#include <QString>
#include <QStringList>

class CAplicacionExterna {
public:
    // False when the desktop could not open it.
    static bool Abrir(const QString& archivo);

    class Prueba {
    public:
        Prueba();
        ~Prueba();
        Prueba(const Prueba&) = delete;
        Prueba& operator=(const Prueba&) = delete;
        const QStringList& Abiertos() const;
    };
};
