#pragma once

#include <string>

// Texts of trazal-cli that no other part of the program shows.
namespace TextosCli {

inline constexpr const char* SalidaEsEntrada =
    "\": es el propio lanzamiento; elija otro nombre para el archivo de salida";
inline constexpr const char* SalidaEsCarpeta = "\": es una carpeta, no un archivo";
inline constexpr const char* SalidaExtension = "\": la extensión debe ser ";
inline constexpr const char* SalidaIncorrecta = "No se puede escribir el archivo \"";
inline constexpr const char* O = " o ";
inline constexpr const char* EsperaGuardar =
    "Se guardará la solución en 2 segundos; pulse Ctrl+C de nuevo para cancelar.";
inline constexpr const char* ImagenDemasiadoGrande = ": la imagen es demasiado grande";
inline constexpr const char* DibujoSinPdf = ": no se pudo crear el documento PDF";
inline constexpr const char* Hoja = "hoja";
inline constexpr const char* Hojas = "hojas";
inline constexpr const char* Barra = "barra";
inline constexpr const char* Barras = "barras";
// With several materials each one's LP sheets are its share of the LP, not a bound.
inline constexpr const char* RepartoLP = "LP";

// "1 hoja", "12 hojas"; bars in a bars job.
inline std::string Unidades(long long n, bool barras) {
    const char* nombre = barras ? (n == 1 ? Barra : Barras) : (n == 1 ? Hoja : Hojas);
    return std::to_string(n) + " " + nombre;
}

// importar / exportar
inline constexpr const char* UsoImportar =
    "Uso: trazal-cli importar LANZAMIENTO.lan LIBRO --piezas|--materiales [--hoja NOMBRE] "
    "[--primera-fila] [--columna CAMPO=LETRAS ...] [--valor CAMPO=TEXTO ...] [-o OTRO.lan]";
inline constexpr const char* UsoExportar =
    "Uso: trazal-cli exportar LANZAMIENTO.lan LIBRO.xlsx [--elementos "
    "piezas,materiales,patrones,resultados,parametros,sobrantes,coordenadas]";
inline constexpr const char* CampoDesconocido = "El campo no existe: ";
inline constexpr const char* ElementoDesconocido = "El elemento no existe: ";
inline constexpr const char* ImportacionNoGuardada = "No se guardó el lanzamiento: ";
inline constexpr const char* LibroEscrito = "Libro escrito: ";
inline constexpr const char* UsoReporte =
    "Uso: trazal-cli reporte LANZAMIENTO.lan --tipo "
    "parametros|coordenadas|patrones|detalle|datos|sobrantes -o ARCHIVO.pdf|.csv|.txt "
    "[--patron N]";
inline constexpr const char* TiposReporte[6] = {"patrones",   "datos",       "sobrantes",
                                                "parametros", "coordenadas", "detalle"};
inline constexpr const char* ReporteSinPdf = ": no se pudo crear el documento PDF";
inline constexpr const char* ErrorReporte = "No se pudo escribir el reporte en ";

} // namespace TextosCli
