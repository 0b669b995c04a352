#pragma once

#include <QDialog>
#include <filesystem>

#include "shell/hidden_view.h"

class QLabel;
class QPushButton;

namespace shell::ui {

// The About box: the product's picture, the version and OK, on a framed frameless window.
// It opens with no control focused; OK or Enter closes it with result 1.
class AboutWindow : public QDialog, public ModalWindow {
public:
    explicit AboutWindow(std::filesystem::path programFile, QWidget* parent = nullptr);

    // ModalWindow
    int showModal() override;
    void bringToFront() override;

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void useColours();

    std::filesystem::path programFile_;
    QLabel* lblVersion_ = nullptr;
    QLabel* lblHint_ = nullptr;
    QPushButton* btnOK_ = nullptr;
};

}  // namespace shell::ui
