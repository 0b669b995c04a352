#include "keywords/ui/keywords_window.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <fstream>
#include <functional>
#include <iostream>
#include <iterator>
#include <optional>

#include "keywords/ui/keyword_edit_window.h"
#include "tests/support/mnemonics.h"
#include "tests/support/mock_message_boxes.h"
#include "tests/support/pictures.h"
#include "tests/support/session_fixture.h"
#include "tests/support/text_fits.h"

namespace keywords::ui {
namespace {

class NoHelp : public platform::HelpViewer {
public:
    void showContents() override {}
    void showTopic(int t) override { topic = t; }
    int topic = 0;
};

template <class T>
T& child(QWidget& parent, const char* name) {
    T* widget = parent.findChild<T*>(name);
    if (!widget) throw std::runtime_error(std::string("no widget ") + name);
    return *widget;
}

class KeywordsWindowTest : public outlook::testing::SessionTest {
protected:
    void SetUp() override {
        ASSERT_NE(outlook->store(), nullptr);
        addContact("Ann", "Lee");
        setCategories("Business;Personal");
        std::filesystem::create_directory(folder.path() / "Jotwise Data");
        ASSERT_EQ(connect(), 0);
        window = std::make_unique<KeywordsWindow>(*session, boxes, help);
    }

    // Runs `steps` on the edit window once it is shown modally; closes it if they did not.
    void onEditWindow(std::function<void(KeywordEditWindow&)> steps) {
        QTimer::singleShot(0, [this, steps] {
            KeywordEditWindow& edit = window->editWindow();
            if (!edit.isVisible()) return ADD_FAILURE() << "the edit window is not shown";
            steps(edit);
            if (edit.isVisible()) QTest::keyClick(&edit, Qt::Key_Escape);
        });
    }
    QStringList keywordsShown() {
        QStringList shown;
        auto& list = child<QTreeWidget>(*window, "KeywordsList");
        for (int i = 0; i < list.topLevelItemCount(); ++i)
            shown << list.topLevelItem(i)->text(0) + "|" + list.topLevelItem(i)->text(1);
        return shown;
    }

    ::testing::NiceMock<jotwise::testing::MockMessageBoxes> boxes;
    NoHelp help;
    std::unique_ptr<KeywordsWindow> window;
};

TEST_F(KeywordsWindowTest, ShowsItsControlsAndTheCategoryKeywords) {
    window->show();
    for (const char* name : {"Label1", "FilterCombo", "KeywordsList", "OKButton", "AddButton",
                             "ModifyButton", "RemoveButton", "btnHelp"})
        EXPECT_NO_THROW(child<QWidget>(*window, name)) << name;
    EXPECT_EQ(window->windowTitle(), "Keywords");
    EXPECT_EQ(child<QComboBox>(*window, "FilterCombo").currentText(), "Categories");
    EXPECT_EQ(keywordsShown(), (QStringList{"business|Business", "personal|Personal"}));
    EXPECT_FALSE(child<QPushButton>(*window, "ModifyButton").isEnabled());
    EXPECT_EQ(jotwise::testing::clashingMnemonics(*window), "");
    EXPECT_EQ(jotwise::testing::clashingMnemonics(window->editWindow()), "");

    auto& list = child<QTreeWidget>(*window, "KeywordsList");
    list.setCurrentItem(list.topLevelItem(1));
    EXPECT_TRUE(child<QPushButton>(*window, "RemoveButton").isEnabled());
    QTest::mouseClick(&child<QPushButton>(*window, "btnHelp"), Qt::LeftButton);
    EXPECT_EQ(help.topic, 1503);

    auto& filter = child<QComboBox>(*window, "FilterCombo");
    filter.setCurrentIndex(2);
    emit filter.activated(2);
    EXPECT_EQ(keywordsShown(), (QStringList{"ann lee|Lee, Ann"}));
}

TEST_F(KeywordsWindowTest, AddingThroughTheEditWindowListsTheKeyword) {
    window->show();
    bool seen = false;
    onEditWindow([&](KeywordEditWindow& edit) {
        seen = true;
        EXPECT_EQ(edit.windowTitle(), "Add Category Keyword");
        EXPECT_EQ(child<QLabel>(edit, "TypeLabel").text(), "Category:");
        EXPECT_EQ(edit.focusWidget(), &child<QLineEdit>(edit, "KeywordText"));
        EXPECT_FALSE(child<QPushButton>(edit, "OKButton").isEnabled());
        QTest::keyClicks(&child<QLineEdit>(edit, "KeywordText"), "Office");
        auto& assign = child<QComboBox>(edit, "AssignCombo");
        assign.setCurrentIndex(assign.findText("Business"));
        emit assign.activated(assign.currentIndex());
        ASSERT_TRUE(child<QPushButton>(edit, "OKButton").isEnabled());
        QTest::mouseClick(&child<QPushButton>(edit, "OKButton"), Qt::LeftButton);
    });
    QTest::mouseClick(&child<QPushButton>(*window, "AddButton"), Qt::LeftButton);
    EXPECT_TRUE(seen);
    EXPECT_TRUE(keywordsShown().contains("Office|Business"))
        << keywordsShown().join(", ").toStdString();

    // Esc cancels: nothing changes.
    onEditWindow([&](KeywordEditWindow& edit) {
        QTest::keyClicks(&child<QLineEdit>(edit, "KeywordText"), "ignored");
        QTest::keyClick(&edit, Qt::Key_Escape);
    });
    QTest::mouseClick(&child<QPushButton>(*window, "AddButton"), Qt::LeftButton);
    EXPECT_EQ(keywordsShown().size(), 3);

    // OK closes the window and writes the keywords file.
    QTest::mouseClick(&child<QPushButton>(*window, "OKButton"), Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
    std::ifstream in(folder.path() / "Jotwise Data" / "keywords.jwk");
    const std::string saved(std::istreambuf_iterator<char>(in), {});
    EXPECT_NE(saved.find("office,,Business,"), std::string::npos) << saved;
}

TEST_F(KeywordsWindowTest, TwoContactsFiledUnderOneNameAreToldApartByTheirPlaceInTheList) {
    const std::string twin = addContact("Ann", "Lee");  // filed second as "Lee, Ann"
    settle();
    ASSERT_EQ(Prs_AddAlias("annie", "", "", twin.c_str()), 1);
    window->show();
    auto& filter = child<QComboBox>(*window, "FilterCombo");
    filter.setCurrentIndex(2);
    emit filter.activated(2);
    const auto keyOf = [this](const std::string& keyword) {
        for (const KeywordRow& row : window->logic().Rows())
            if (row.keyword == keyword) return row.item.key;
        return std::string();
    };

    // A modify that leaves and re-picks the entry it opened on keeps the keyword's contact.
    auto& list = child<QTreeWidget>(*window, "KeywordsList");
    list.setCurrentItem(list.findItems("annie", Qt::MatchExactly).value(0));
    onEditWindow([](KeywordEditWindow& edit) {
        auto& assign = child<QComboBox>(edit, "AssignCombo");
        ASSERT_EQ(assign.currentIndex(), 1);
        QTest::keyClick(&assign, Qt::Key_Up);
        QTest::keyClick(&assign, Qt::Key_Down);
        QTest::mouseClick(&child<QPushButton>(edit, "OKButton"), Qt::LeftButton);
    });
    QTest::mouseClick(&child<QPushButton>(*window, "ModifyButton"), Qt::LeftButton);
    EXPECT_EQ(keyOf("annie"), twin);

    // Each entry can be chosen for a new keyword; the user reaches it with the arrow key.
    const auto addWithDowns = [this](const char* keyword, int downs) {
        onEditWindow([keyword, downs](KeywordEditWindow& edit) {
            QTest::keyClicks(&child<QLineEdit>(edit, "KeywordText"), keyword);
            auto& assign = child<QComboBox>(edit, "AssignCombo");
            ASSERT_EQ(assign.count(), 2);
            for (int i = 0; i < downs; ++i)
                QTest::keyClick(&assign, Qt::Key_Down);
            QTest::mouseClick(&child<QPushButton>(edit, "OKButton"), Qt::LeftButton);
        });
        QTest::mouseClick(&child<QPushButton>(*window, "AddButton"), Qt::LeftButton);
    };
    addWithDowns("first", 1);
    addWithDowns("second", 2);
    EXPECT_NE(keyOf("first"), twin);
    EXPECT_EQ(keyOf("second"), twin);
}

TEST_F(KeywordsWindowTest, OkStaysDisabledWhileTheTypedCategoryIsBlank) {
    window->show();
    onEditWindow([](KeywordEditWindow& edit) {
        QTest::keyClicks(&child<QLineEdit>(edit, "KeywordText"), "chores");
        auto& assign = child<QComboBox>(edit, "AssignCombo");
        ASSERT_TRUE(assign.isEditable());
        auto& ok = child<QPushButton>(edit, "OKButton");
        QTest::keyClicks(assign.lineEdit(), "   ");
        EXPECT_FALSE(ok.isEnabled());
        QTest::keyClicks(assign.lineEdit(), "Errands");
        EXPECT_TRUE(ok.isEnabled());
    });
    QTest::mouseClick(&child<QPushButton>(*window, "AddButton"), Qt::LeftButton);
    EXPECT_EQ(session->Categories().size(), 2u);
}

TEST_F(KeywordsWindowTest, TheKeywordBoxTakesAtMost127BytesOfUtf8) {
    auto& box = child<QLineEdit>(window->editWindow(), "KeywordText");
    box.setText(QString(60, QChar(0x00E9)));  // 120 bytes in 60 characters
    box.end(false);
    box.insert(QString(10, QChar(0x00E9)));  // 140 bytes: refused
    EXPECT_EQ(box.text().toUtf8().size(), 120);
    box.insert(QString(3, QChar(0x00E9)));
    EXPECT_EQ(box.text().toUtf8().size(), 126);
    box.insert("z");
    EXPECT_EQ(box.text().toUtf8().size(), 127);
    box.insert("z");
    EXPECT_EQ(box.text().toUtf8().size(), 127);
}

TEST_F(KeywordsWindowTest, PicturesOfBothWindows) {
    window->show();
    auto& list = child<QTreeWidget>(*window, "KeywordsList");
    list.setCurrentItem(list.topLevelItem(0));
    QCoreApplication::processEvents();
    jotwise::testing::keepPicture(*window, "keywords_window.png");
    onEditWindow([&](KeywordEditWindow& edit) {
        QTest::keyClicks(&child<QLineEdit>(edit, "KeywordText"), "clients");
        QCoreApplication::processEvents();
        jotwise::testing::keepPicture(edit, "keyword_edit_window.png");
    });
    QTest::mouseClick(&child<QPushButton>(*window, "ModifyButton"), Qt::LeftButton);
}

// Added where the order puts it, selected and scrolled to: among many keywords, the user sees
// the new one at once and can modify it without looking for it.
TEST_F(KeywordsWindowTest, AnAddedKeywordIsSelectedInItsPlaceAndInView) {
    for (char letter = 'a'; letter <= 'z'; ++letter)
        ASSERT_EQ(Prs_AddAlias((std::string(2, letter) + " word").c_str(), "Business", "", ""), 1);
    window->show();
    auto& list = child<QTreeWidget>(*window, "KeywordsList");
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    onEditWindow([](KeywordEditWindow& edit) {
        QTest::keyClicks(&child<QLineEdit>(edit, "KeywordText"), "pq");
        auto& assign = child<QComboBox>(edit, "AssignCombo");
        assign.setCurrentIndex(assign.findText("Personal"));
        emit assign.activated(assign.currentIndex());
        QTest::mouseClick(&child<QPushButton>(edit, "OKButton"), Qt::LeftButton);
    });
    QTest::mouseClick(&child<QPushButton>(*window, "AddButton"), Qt::LeftButton);

    const QList<QTreeWidgetItem*> selected = list.selectedItems();
    ASSERT_EQ(selected.size(), 1);
    EXPECT_EQ(selected[0]->text(0), "pq");
    const int row = list.indexOfTopLevelItem(selected[0]);
    EXPECT_EQ(list.topLevelItem(row - 1)->text(0), "pp word");
    EXPECT_EQ(list.topLevelItem(row + 1)->text(0), "qq word");
    EXPECT_TRUE(list.viewport()->rect().intersects(list.visualItemRect(selected[0])))
        << "the new keyword is scrolled into view";
    EXPECT_TRUE(child<QPushButton>(*window, "ModifyButton").isEnabled());
}

// Every text can be read at the font sizes people use, and the edit window is wide enough
// for the desktop to show each of its titles whole. Pictures of each size are kept.
TEST_F(KeywordsWindowTest, EveryTextFitsFrom9To14PointsAndInADarkPalette) {
    struct Look {
        std::string name;
        int points;
        bool dark;
    };
    for (const Look& look : {Look{"9pt", 9, false}, Look{"11pt", 11, false},
                             Look{"14pt", 14, false}, Look{"dark", 11, true}}) {
        SCOPED_TRACE(look.name);
        const jotwise::testing::ApplicationFontSize size(look.points);
        std::optional<jotwise::testing::DarkPalette> dark;
        if (look.dark) dark.emplace();
        KeywordsWindow fresh(*session, boxes, help);
        fresh.show();
        QCoreApplication::processEvents();
        auto& list = child<QTreeWidget>(fresh, "KeywordsList");
        EXPECT_EQ(jotwise::testing::clippedTexts(fresh), std::vector<std::string>{});
        list.setCurrentItem(list.topLevelItem(0));
        jotwise::testing::keepPicture(fresh, "keywords_window_" + look.name + ".png");

        auto& filter = child<QComboBox>(fresh, "FilterCombo");
        for (int kind = 0; kind < 3; ++kind) {
            filter.setCurrentIndex(kind);
            emit filter.activated(kind);
            list.setCurrentItem(list.topLevelItem(0));
            for (const char* button : {"AddButton", "ModifyButton"}) {
                QString title;
                QTimer::singleShot(0, [&] {
                    KeywordEditWindow& edit = fresh.editWindow();
                    if (!edit.isVisible()) return ADD_FAILURE() << "the edit window is not shown";
                    QCoreApplication::processEvents();
                    title = edit.windowTitle();
                    EXPECT_EQ(jotwise::testing::clippedTexts(edit), std::vector<std::string>{})
                        << title.toStdString();
                    // The title in bold, as window managers draw it, with room for an icon
                    // and the close button.
                    QFont bold = QApplication::font();
                    bold.setBold(true);
                    EXPECT_GE(edit.width(), QFontMetrics(bold).horizontalAdvance(title) + 48)
                        << title.toStdString();
                    if (kind == 1)
                        jotwise::testing::keepPicture(edit, "keyword_edit_window_" +
                                                                std::string(button) + "_" +
                                                                look.name + ".png");
                    QTest::keyClick(&edit, Qt::Key_Escape);
                });
                QTest::mouseClick(&child<QPushButton>(fresh, button), Qt::LeftButton);
                EXPECT_FALSE(title.isEmpty()) << button << " " << kind;
            }
        }
        fresh.hide();
    }
}

}  // namespace
}  // namespace keywords::ui
