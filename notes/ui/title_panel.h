#pragma once

#include <QPoint>
#include <QWidget>

namespace notes::ui {

// The note's title bar: dragging it with the left button moves the window, and it takes the
// colours of an active or an inactive window caption.
class TitlePanel : public QWidget {
public:
    explicit TitlePanel(QWidget* parent);

    void setActive(bool active);
    bool isActive() const { return active_; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void applyColours();

    bool active_ = false;
    // Where the window's corner was from the mouse when a move by hand started; only while
    // the window system cannot move the window itself.
    bool dragging_ = false;
    QPoint grabOffset_;
};

}  // namespace notes::ui
