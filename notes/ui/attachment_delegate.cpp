#include "notes/ui/attachment_delegate.h"

#include <QApplication>
#include <QIcon>
#include <QPainter>
#include <algorithm>

namespace notes::ui {
namespace {

constexpr int kIconLeft = 2;
constexpr int kIconSize = 16;
constexpr int kTextLeft = 18;
constexpr int kTextMargin = 2;  // the usual space before an item's text

}  // namespace

void AttachmentDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
    QStyleOptionViewItem background = option;
    initStyleOption(&background, index);
    background.text.clear();
    background.icon = QIcon();
    const QWidget* view = option.widget;
    QStyle* style = view ? view->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &background, painter, view);

    const QRect row = option.rect;
    const QIcon icon = qvariant_cast<QIcon>(index.data(Qt::DecorationRole));
    icon.paint(painter, QRect(row.left() + kIconLeft, row.top() + (row.height() - kIconSize) / 2,
                              kIconSize, kIconSize));

    const bool selected = option.state & QStyle::State_Selected;
    painter->save();
    painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    const QRect textRect = row.adjusted(kTextLeft + kTextMargin, 0, -kTextMargin, 0);
    const QString text = option.fontMetrics.elidedText(index.data(Qt::DisplayRole).toString(),
                                                       Qt::ElideMiddle, textRect.width());
    painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter, text);
    painter->restore();
}

int AttachmentDelegate::rowHeight(const QFontMetrics& metrics) {
    return std::max(17, metrics.height() + 3);
}

QSize AttachmentDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const {
    return QSize(option.rect.width(), rowHeight(option.fontMetrics));
}

}  // namespace notes::ui
