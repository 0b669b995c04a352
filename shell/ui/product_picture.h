#pragma once

#include <QIcon>
#include <QWidget>

class QLabel;
class QPainter;

namespace shell::ui {

// The "J" mark alone, in a rounded square, filling `area`.
void paintProductMark(QPainter& painter, const QRectF& area);
// The mark above the product's name, centred in `area` (the top of the splash and About), in
// the colours of `palette`.
void paintProductPicture(QPainter& painter, const QRect& area, const QPalette& palette);
// The mark at the sizes a tray or a window list asks for.
QIcon productIcon();

// The product's picture as a component of its own.
class ProductPicture : public QWidget {
public:
    explicit ProductPicture(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// The thinly bordered, frameless window of the splash and About, centred on the screen;
// both are this size. It is drawn in the palette's base and text colours (white and black in
// a light palette), so that it follows a dark desktop too.
constexpr int kFramedWindowWidth = 306;
constexpr int kFramedWindowHeight = 400;
void makeFramedWindow(QWidget& window);
void paintThinBorder(QWidget& window);
// Text of less weight on the framed window, still well readable on its background.
QColor mutedText(const QPalette& palette);
// Gives a label of the framed window the palette's text colour, or the muted one.
void useFramedText(QLabel& label, bool muted);

}  // namespace shell::ui
