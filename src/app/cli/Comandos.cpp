#include "cli/Comandos.h"

const std::vector<RComandoCli>& ComandosCli() {
    static const std::vector<RComandoCli> comandos = {
        {"mostrar", "LANZAMIENTO.lan  muestra opciones, piezas, materiales y solución",
         ComandoMostrar},
        {"calcular",
         "LANZAMIENTO.lan [-o OTRO.lan] [--json]  calcula el plan de corte y guarda la solución",
         ComandoCalcular},
        {"dibujar",
         "LANZAMIENTO.lan --patron N -o ARCHIVO.png|.pdf [--modo pantalla|papel|miniatura] "
         "[--ancho PIXELES]  dibuja un patrón de la solución",
         ComandoDibujar},
        {"importar",
         "LANZAMIENTO.lan LIBRO --piezas|--materiales [--hoja NOMBRE] [--primera-fila] "
         "[--columna CAMPO=LETRAS ...] [--valor CAMPO=TEXTO ...] [-o OTRO.lan]  añade piezas o "
         "materiales de una hoja de un libro (.xlsx, .xls, .ods, .csv)",
         ComandoImportar},
        {"exportar",
         "LANZAMIENTO.lan LIBRO.xlsx [--elementos piezas,materiales,patrones,resultados,"
         "parametros,sobrantes,coordenadas]  escribe el lanzamiento y su plan en un libro",
         ComandoExportar},
        {"reporte",
         "LANZAMIENTO.lan --tipo parametros|coordenadas|patrones|detalle|datos|sobrantes "
         "-o ARCHIVO.pdf|.csv|.txt [--patron N]  escribe un reporte de la solución",
         ComandoReporte},
    };
    return comandos;
}
