#pragma once

// Texts of the benchmark runner. It is a developer's measuring tool, not part of the
// program the workshop uses, so its texts stay with it instead of in the program's table.

namespace TextosBanco {

inline constexpr const char* Uso =
    "Uso: trazal-bench [--rapido] [--rapido-en LISTA] [--instancias CARPETA] [--familias LISTA] "
    "[--limite SEGUNDOS]\n"
    "                  [--solo NOMBRES] [--trabajos N] [--sin-crecimiento] [--solo-crecimiento] "
    "[--resumir]\n"
    "                  CARPETA_SALIDA\n"
    "  --rapido            conjunto reducido (unos 10 minutos con 2 núcleos)\n"
    "  --rapido-en LISTA   conjunto reducido sólo en esas familias (barras,hojas,clases,\n"
    "                      empaquetados,crecimiento)\n"
    "  --instancias        carpeta de las instancias (por defecto ../shared/benchmarks)\n"
    "  --familias          barras,hojas,clases,empaquetados,muebles (por defecto barras,hojas,\n"
    "                      clases,muebles; empaquetados: empaquetados perfectos, trabajos de\n"
    "                      óptimo conocido; muebles: trabajos de muebles generados; estas dos\n"
    "                      no necesitan --instancias)\n"
    "  --limite            segundos por ejecución antes de abandonarla (por defecto 600; 30 con\n"
    "                      --rapido)\n"
    "  --solo NOMBRES      sólo las instancias cuyo nombre empieza por uno de estos (01/,06/40/)\n"
    "  --trabajos          ejecuciones a la vez, cada una en su proceso (por defecto 2)\n"
    "  --sin-crecimiento   no ejecuta la serie sintética de crecimiento\n"
    "  --solo-crecimiento  sólo la serie de crecimiento\n"
    "  --resumir           vuelve a escribir resumen.md con los archivos de CARPETA_SALIDA\n";

inline constexpr const char* CompilacionNoRelease =
    "aviso: los tiempos sólo son representativos en Release (bench/medir.sh); compilación: ";
inline constexpr const char* SinInstancias =
    "no hay instancias de las familias pedidas en (use --instancias): ";
inline constexpr const char* LongitudExcede = "longitud mayor que 65535 unidades internas: ";
inline constexpr const char* CantidadExcede = "cantidad mayor que 65535: ";
inline constexpr const char* ArchivoIlegible = "no se puede leer el archivo ";
inline constexpr const char* FormatoIncorrecto = "formato incorrecto en ";
inline constexpr const char* TiempoAgotado = "tiempo agotado";
inline constexpr const char* ProcesoTerminado = "el proceso de medición terminó sin resultado";
inline constexpr const char* PlanInvalido = "plan inválido: ";
inline constexpr const char* PedidoIncumplido = "pedido incumplido: ";

} // namespace TextosBanco
