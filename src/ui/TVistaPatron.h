#pragma once

// The drawing of the current pattern on the patterns page (PaintBox1): the pattern fitted
// into RectBase (left 20 pixels, top twice the height of "A", right the width less that of
// "P100", bottom the height less 15, so that labels drawn outside the material still show),
// scaled about its centre by the zoom factor, with its labels in the screen colours.
// The cut tree, the inspectors and the rubber-band selection come with the pattern view's
// own controller; this widget only draws and zooms.

#include <QWidget>

class CPatron;

class TVistaPatron : public QWidget {
    Q_OBJECT

public:
    explicit TVistaPatron(QWidget* padre = nullptr);

    // Not owned; null shows an empty view.
    void FijarPatron(CPatron* patron);
    CPatron* Patron() const { return FPatron; }
    double Zoom() const { return FZoom; }
    // Zoom commands: in (x1.5 while below 10), out (x2/3 while above 0.5), fit.
    void Aumentar();
    void Reducir();
    void Encajar();
    QRect RectBase() const;

protected:
    void paintEvent(QPaintEvent* evento) override;

private:
    CPatron* FPatron = nullptr;
    double FZoom = 1.0;
    bool FPintando = false;
};
