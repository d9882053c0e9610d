#pragma once

// The drawing of the current pattern on the patterns page (PaintBox1). The pattern is drawn
// once into a cached image at the current zoom; the outline of the selected node and the
// rubber band are painted over that image on every repaint, inverting what lies beneath as
// the pen of a XOR mode would, so they come and go without redrawing the pattern.
//
// Mouse: a drag larger than 10 pixels both ways zooms to the band (with Shift it selects the
// first node inside the band); anything smaller is a click that selects the leaf under it.
// The zoom arithmetic, the hit-testing and the band selection live in the core
// (CZoomPatron, USeleccionPatron); this widget forwards the input and shows the result.

#include "patterns/CZoomPatron.h"

#include <QPixmap>
#include <QWidget>

#include <array>
#include <cstdint>

class CCorte;
class CPatron;
class QMimeData;

class TVistaPatron : public QWidget {
    Q_OBJECT

public:
    // The drag-and-drop type of a piece dragged from the pieces inspector: the text
    // "<window token>;<piece number>".
    static constexpr const char* TipoMimePieza = "application/x-trazal-pieza";

    explicit TVistaPatron(QWidget* padre = nullptr);

    // Not owned; null shows an empty view. A new pattern clears the selection.
    void FijarPatron(CPatron* patron);
    CPatron* Patron() const { return FPatron; }
    // The node outlined (null for none); the caller keeps it a node of the pattern.
    void FijarSeleccion(CCorte* nodo);
    CCorte* Seleccion() const { return FSeleccion; }
    // The pattern changed: the cached drawing is made again.
    void Invalidar();
    // Draws the pattern now when the cached drawing is stale, so that every node's Marco
    // is that of the drawing on screen.
    void AsegurarDibujo();
    // Only drags carrying this token are accepted.
    void FijarFichaArrastre(const QString& ficha) { FFicha = ficha; }
    const QString& FichaArrastre() const { return FFicha; }

    double Zoom() const { return FZoom.Factor(); }
    const CZoomPatron& EstadoZoom() const { return FZoom; }
    // Zoom commands: in (x1.5 while below 10), out (x2/3 while above 0.5), fit.
    void Aumentar();
    void Reducir();
    void Encajar();
    void DesplazarHorizontal(int posicion);
    void DesplazarVertical(int posicion);
    QRect RectBase() const;
    bool BandaVisible() const { return FArrastrando; }

signals:
    // A click or a Shift band chose a node (null: a click outside every leaf).
    void NodoElegido(CCorte* nodo);
    void PiezaSoltada(int pieza);
    // Home, End and the arrows, for the tree or the pattern list.
    void TeclaNavegacion(int tecla);
    void ZoomCambiado();

protected:
    void paintEvent(QPaintEvent* evento) override;
    void resizeEvent(QResizeEvent* evento) override;
    void mousePressEvent(QMouseEvent* evento) override;
    void mouseMoveEvent(QMouseEvent* evento) override;
    void mouseReleaseEvent(QMouseEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;
    void dragEnterEvent(QDragEnterEvent* evento) override;
    void dragMoveEvent(QDragMoveEvent* evento) override;
    void dropEvent(QDropEvent* evento) override;

private:
    // Piece number of an acceptable drag at a point, 0 when refused.
    int PiezaArrastrada(const QMimeData* datos, const QPoint& punto);
    void CambioDeZoom();

    CPatron* FPatron = nullptr;
    CCorte* FSeleccion = nullptr;
    CZoomPatron FZoom;
    QPixmap FCache;
    bool FCacheValida = false;
    // What the cached drawing was made with, besides the pattern's own tree.
    struct RClaveCache {
        RRect Zoom;
        QSize Tamano;
        bool Etiquetas[3] = {false, false, false};
        std::array<std::uint32_t, 16> Colores{};
        std::int32_t AnchoLinea = 0;
        bool operator==(const RClaveCache& o) const;
    };
    RClaveCache ClaveActual() const;
    RClaveCache FClave;
    RRect FRectVista;
    RRect FRectDestino;
    QPoint FAncla;
    QPoint FEsquina;
    bool FArrastrando = false;
    bool FPintando = false;
    QString FFicha;
};
