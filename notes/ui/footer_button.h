#pragma once

#include <QToolButton>
#include <functional>

namespace notes::ui {

// A flat button of the note's footer that also reports the release of the mouse button,
// after its click has been handled.
class FooterButton : public QToolButton {
public:
    using QToolButton::QToolButton;

    void setMouseUpHandler(std::function<void()> handler) { mouseUp_ = std::move(handler); }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    std::function<void()> mouseUp_;
};

}  // namespace notes::ui
