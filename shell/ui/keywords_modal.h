#pragma once

#include "keywords/ui/keywords_window.h"
#include "shell/hidden_view.h"

namespace shell::ui {

// The keywords window as the shell shows it: modally, behind its modal guard.
class KeywordsModal : public ModalWindow {
public:
    explicit KeywordsModal(keywords::ui::KeywordsWindow& window) : window_(window) {}
    int showModal() override { return window_.exec(); }
    void bringToFront() override {
        window_.raise();
        window_.activateWindow();
    }

private:
    keywords::ui::KeywordsWindow& window_;
};

}  // namespace shell::ui
