#include "shell/ui/product_picture.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

namespace shell::ui {
namespace {

const QColor kMarkTop(0x4a, 0x8b, 0xec);
const QColor kMarkBottom(0x23, 0x5c, 0xc4);

// `share` of `over` laid on `under`.
QColor blended(const QColor& under, const QColor& over, qreal share) {
    return QColor::fromRgbF(under.redF() + (over.redF() - under.redF()) * share,
                            under.greenF() + (over.greenF() - under.greenF()) * share,
                            under.blueF() + (over.blueF() - under.blueF()) * share);
}

}  // namespace

void paintProductMark(QPainter& painter, const QRectF& area) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    // Drawn on a 16-unit square, like the note's own logo, and scaled to the area.
    const qreal side = std::min(area.width(), area.height());
    painter.translate(area.center().x() - side / 2, area.center().y() - side / 2);
    painter.scale(side / 16, side / 16);

    QLinearGradient fill(0, 0, 0, 16);
    fill.setColorAt(0, kMarkTop);
    fill.setColorAt(1, kMarkBottom);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawRoundedRect(QRectF(0.25, 0.25, 15.5, 15.5), 3.5, 3.5);

    QPainterPath letter;
    letter.moveTo(6.25, 3.5);
    letter.lineTo(11.75, 3.5);
    letter.moveTo(9.5, 3.5);
    letter.lineTo(9.5, 9.75);
    letter.arcTo(QRectF(4.5, 7.0, 5.0, 5.5), 0, -180);
    letter.lineTo(4.5, 9.25);
    QPen pen(Qt::white, side >= 32 ? 1.9 : 2.1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(letter);
    painter.restore();
}

void paintProductPicture(QPainter& painter, const QRect& area, const QPalette& palette) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    // A band tinted with the highlight behind the mark gives the window a top.
    const QColor base = palette.color(QPalette::Base);
    QLinearGradient band(area.topLeft(), QPointF(area.left(), area.top() + area.height() * 0.62));
    band.setColorAt(0, blended(base, palette.color(QPalette::Highlight), 0.12));
    band.setColorAt(1, base);
    painter.fillRect(area, band);

    const qreal markSide = 104;
    const QRectF mark(area.center().x() - markSide / 2, area.top() + 44, markSide, markSide);
    // A soft shadow under the mark.
    painter.setPen(Qt::NoPen);
    for (int i = 6; i >= 1; --i) {
        painter.setBrush(QColor(0x23, 0x5c, 0xc4, 7));
        painter.drawRoundedRect(mark.adjusted(-i, -i + 4, i, i + 4), 22 + i, 22 + i);
    }
    paintProductMark(painter, mark);

    QFont name = painter.font();
    name.setPixelSize(38);
    name.setWeight(QFont::DemiBold);
    name.setLetterSpacing(QFont::PercentageSpacing, 102);
    painter.setFont(name);
    painter.setPen(palette.color(QPalette::Text));
    const QRectF nameArea(area.left(), mark.bottom() + 18, area.width(), 48);
    painter.drawText(nameArea, Qt::AlignHCenter | Qt::AlignVCenter, "Jotwise");

    QFont subtitle = painter.font();
    subtitle.setPixelSize(14);
    subtitle.setWeight(QFont::Normal);
    subtitle.setLetterSpacing(QFont::PercentageSpacing, 100);
    painter.setFont(subtitle);
    painter.setPen(mutedText(palette));
    painter.drawText(QRectF(area.left(), nameArea.bottom() + 2, area.width(), 22),
                     Qt::AlignHCenter | Qt::AlignVCenter, "for Microsoft Outlook");
    painter.restore();
}

QIcon productIcon() {
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paintProductMark(painter, QRectF(0, 0, size, size));
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

ProductPicture::ProductPicture(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ProductPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintProductPicture(painter, rect(), palette());
}

void makeFramedWindow(QWidget& window) {
    window.setFixedSize(kFramedWindowWidth, kFramedWindowHeight);
    window.setBackgroundRole(QPalette::Base);
    window.setAutoFillBackground(true);
    window.setWindowIcon(productIcon());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        window.move(available.center() - QPoint(kFramedWindowWidth / 2, kFramedWindowHeight / 2));
    }
}

void paintThinBorder(QWidget& window) {
    QPainter painter(&window);
    const QPalette& palette = window.palette();
    painter.setPen(blended(palette.color(QPalette::Base), palette.color(QPalette::Text), 0.4));
    painter.drawRect(window.rect().adjusted(0, 0, -1, -1));
}

QColor mutedText(const QPalette& palette) {
    return blended(palette.color(QPalette::Base), palette.color(QPalette::Text), 0.62);
}

void useFramedText(QLabel& label, bool muted) {
    if (!muted) {
        label.setForegroundRole(QPalette::Text);
        return;
    }
    // A colour of its own: it is worked out again whenever the window's palette changes.
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText, mutedText(label.window()->palette()));
    label.setPalette(palette);
}

}  // namespace shell::ui
