#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "messages/error_box.h"
#include "platform/ui/qt_message_boxes.h"

namespace {

struct SeenBox {
    bool found = false;
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    bool applicationModal = false;
};

// Reads the modal box that is about to run, then presses its button.
void answerNextBox(SeenBox& seen, QMessageBox::StandardButton press) {
    QTimer::singleShot(0, [&seen, press] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        seen = {true,        box->windowTitle(),     box->text(),
                box->icon(), box->standardButtons(), box->windowModality() == Qt::ApplicationModal};
        box->button(press)->click();
    });
}

class SessionWithError : public messages::LastErrorSource {
public:
    std::string text = "Folder 'Calendar' is missing";
    std::string takeLastError() override { return std::exchange(text, {}); }
};

TEST(ErrorBoxWindow, IsAnApplicationModalStopBoxWithOk) {
    platform::QtMessageBoxes boxes;
    messages::ErrorBox errorBox(boxes);
    SessionWithError session;
    errorBox.setSession(&session);

    SeenBox seen;
    answerNextBox(seen, QMessageBox::Ok);
    errorBox.ShowError(23);

    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.title, "Jotwise for Microsoft Outlook");
    EXPECT_EQ(seen.text,
              "Unable to retrieve Folder information from Outlook.\nFolder 'Calendar' is missing");
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
    EXPECT_EQ(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    EXPECT_TRUE(seen.applicationModal);
}

TEST(ErrorBoxWindow, QuestionBoxesReportTheButtonPressed) {
    platform::QtMessageBoxes boxes;
    SeenBox seen;
    answerNextBox(seen, QMessageBox::No);
    const auto answer =
        boxes.show("Jotwise for Microsoft Outlook", "Save?", platform::MessageIcon::Question,
                   platform::MessageButtons::YesNoCancel);
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.icon, QMessageBox::Question);
    EXPECT_EQ(answer, platform::MessageAnswer::No);
}

}  // namespace
