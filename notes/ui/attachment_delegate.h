#pragma once

#include <QStyledItemDelegate>

namespace notes::ui {

// The attachment list's rows: 17 pixels high (more when the font needs it), a 16x16 icon two
// pixels in, the file's name from 18 pixels.
class AttachmentDelegate : public QStyledItemDelegate {
public:
    static int rowHeight(const QFontMetrics& metrics);

    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace notes::ui
