#include "messages/ui/logic_guard.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <stdexcept>

namespace messages::ui {
namespace {

struct SeenBox {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Reads the box the failure shows, then closes it.
void answerNextBox(SeenBox& seen) {
    QTimer::singleShot(0, [&seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        seen = {box->windowTitle(), box->text(), box->icon()};
        box->accept();
    });
}

TEST(LogicGuard, AFailureIsShownInAStopBoxInsteadOfLeavingTheHandler) {
    SeenBox seen;
    answerNextBox(seen);
    const bool consumed = guarded(nullptr, []() -> bool { throw std::runtime_error("Disk full"); });
    EXPECT_FALSE(consumed);
    EXPECT_EQ(seen.title, "Jotwise for Microsoft Outlook");
    EXPECT_EQ(seen.text, "Disk full");
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
}

TEST(LogicGuard, ACallThatSucceedsAnswersItsValueAndShowsNothing) {
    int calls = 0;
    EXPECT_TRUE(guarded(nullptr, [&] {
        ++calls;
        return true;
    }));
    guarded(nullptr, [&] { ++calls; });
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
}  // namespace messages::ui
