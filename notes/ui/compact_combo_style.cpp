#include "notes/ui/compact_combo_style.h"

#include <QApplication>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleOptionComplex>

namespace notes::ui {
namespace {

constexpr int kArrowWidth = 14;

class CompactComboStyle : public QProxyStyle {
public:
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                         const QWidget* widget) const override {
        QRect rect = QProxyStyle::subControlRect(control, option, part, widget);
        if (control != CC_ComboBox || (part != SC_ComboBoxArrow && part != SC_ComboBoxEditField))
            return rect;
        const QRect arrow = QProxyStyle::subControlRect(control, option, SC_ComboBoxArrow, widget);
        const int spare = arrow.width() - kArrowWidth;
        if (spare <= 0) return rect;
        if (part == SC_ComboBoxArrow)
            rect.setLeft(rect.left() + spare);
        else
            rect.setRight(rect.right() + spare);
        return rect;
    }
};

}  // namespace

QStyle* compactComboStyle() {
    static QPointer<QStyle> style;
    if (!style) {
        style = new CompactComboStyle;
        style->setParent(qApp);
    }
    return style;
}

}  // namespace notes::ui
