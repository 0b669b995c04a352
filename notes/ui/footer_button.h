#pragma once

#include <QToolButton>
#include <functional>

namespace notes::ui {

// A flat button of the note's footer that also reports the release of the mouse button,
// after its click has been handled. Tab reaches it (the mouse leaves the focus in the memo),
// and a ring in the highlight colour shows that it has the focus.
class FooterButton : public QToolButton {
public:
    explicit FooterButton(QWidget* parent);

    void setMouseUpHandler(std::function<void()> handler) { mouseUp_ = std::move(handler); }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    std::function<void()> mouseUp_;
};

}  // namespace notes::ui
