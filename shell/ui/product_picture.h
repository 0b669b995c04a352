#pragma once

#include <QIcon>
#include <QWidget>

class QPainter;

namespace shell::ui {

// The "J" mark alone, in a rounded square, filling `area`.
void paintProductMark(QPainter& painter, const QRectF& area);
// The mark above the product's name, centred in `area` (the top of the splash and About).
void paintProductPicture(QPainter& painter, const QRect& area);
// The mark at the sizes a tray or a window list asks for.
QIcon productIcon();

// The product's picture as a component of its own.
class ProductPicture : public QWidget {
public:
    explicit ProductPicture(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// The white, thinly bordered, frameless window of the splash and About, centred on the screen;
// both are this size.
constexpr int kFramedWindowWidth = 306;
constexpr int kFramedWindowHeight = 400;
void makeFramedWhiteWindow(QWidget& window);
void paintThinBorder(QWidget& window);

}  // namespace shell::ui
