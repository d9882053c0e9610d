#pragma once

// Numbered records of ";"-separated fields kept in the sections of an INI-style file, and
// the transfer of whole sections between the file and a grid.
//
// A record section has the key "N" (the number of records) and the keys "1" to N, one
// record each. A grid row maps to a record as: column 0 is the record number and is not
// stored, columns 1 to the last are the fields. Fields are not escaped: a field holding
// ";" reads back as two fields.

#include "document/CIniMemoria.h"

#include <string>

class CGrilla;

class CTextDB : public CIniMemoria {
public:
    // Largest record count: record numbers are 16-bit in the calculation.
    static constexpr int CantidadMaxima = 65535;

    explicit CTextDB(const std::string& NombreArchivo);

    // The value of "N": 0 when missing. A value that is not an integer, is negative or
    // exceeds CantidadMaxima raises EConversion.
    int LeerCantidad(const std::string& seccion) const;
    void EscribirCantidad(const std::string& seccion, int n);

    // The record as grid-row text: its number, each field, then six empty lines.
    std::string LeerRegistro(const std::string& seccion, int i) const;
    // Field k (0 = the record number) of record i, trimmed; empty when not stored.
    std::string LeerCampo(const std::string& seccion, int i, int k) const;
    // Stores a grid row's text under key i (the column-0 cell is dropped); raises "N" to i
    // when i is above it.
    void EscribirRegistro(const std::string& seccion, int i, const std::string& textoFila);

    // Rows 1.. of the grid from the section; the grid gets max(2, N + 1) rows.
    void LeerGrilla(const std::string& seccion, CGrilla& grilla) const;
    // Rewrites the section whole from rows 1.. of the grid.
    void EscribirGrilla(const std::string& seccion, const CGrilla& grilla);
};
