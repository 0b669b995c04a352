#include "keywords/keywords_dialog.h"

#include <fstream>
#include <functional>
#include <iterator>

#include "outlook/local/store/store.h"
#include "tests/support/mock_message_boxes.h"
#include "tests/support/session_fixture.h"

namespace keywords {
namespace {

using ::testing::_;
using ::testing::HasSubstr;
using ::testing::Return;

class FakeListView : public KeywordsListView {
public:
    void setFilterIndex(int index) override { filter = index; }
    void showRows(const std::vector<KeywordRow>& r) override { rows = r; }
    void selectRow(int row) override { selected = row; }
    void setModifyRemoveEnabled(bool on) override { buttonsEnabled = on; }
    void focusFilter() override { ++filterFocused; }
    int filter = -1, filterFocused = 0, selected = -1;
    bool buttonsEnabled = true;
    std::vector<KeywordRow> rows;
};

// The edit window: while it is shown, the test plays the user through `user`.
class FakeEditView : public KeywordEditView {
public:
    void setCaption(const std::string& c) override { caption = c; }
    void setTypeLabel(const std::string& t) override { typeLabel = t; }
    void setAssignEntries(const std::vector<ItemChoice>& e, bool ed) override {
        entries = e;
        editable = ed;
    }
    void setKeywordText(const std::string& t) override { keyword = t; }
    void selectAssignEntry(int i) override { selected = i; }
    void setOkEnabled(bool on) override { okEnabled = on; }
    void focusKeyword() override { ++keywordFocused; }
    int runModal() override {
        result = 0;
        open = true;
        if (user) user();
        open = false;
        return result;
    }
    void closeWith(int r) override {
        result = r;
        open = false;
    }
    int indexOf(const std::string& display) const {
        for (std::size_t i = 0; i < entries.size(); ++i)
            if (entries[i].display == display) return static_cast<int>(i);
        return -1;
    }

    std::function<void()> user;
    std::string caption, typeLabel, keyword;
    std::vector<ItemChoice> entries;
    bool editable = false, okEnabled = true, open = false;
    int selected = -2, result = 0, keywordFocused = 0;
};

class FakeHelp : public platform::HelpViewer {
public:
    void showContents() override {}
    void showTopic(int t) override { topic = t; }
    int topic = 0;
};

class KeywordsDialogTest : public outlook::testing::SessionTest {
protected:
    void SetUp() override {
        ASSERT_NE(outlook->store(), nullptr);
        ann = addContact("Ann", "Lee");
        bob = addContact("Bob", "Smith");
        setCategories("Business;Personal;Work");
        std::filesystem::create_directory(folder.path() / "Jotwise Data");
        ASSERT_EQ(connect(), 0) << session->LastError();
        errorBox.setSession(session.get());
        messages::InstallErrorBox(&errorBox);
        dialog = std::make_unique<TKeywordsDlgForm>(*session, listView, edit, boxes, help);
        dialog->FormCreate();
        dialog->FormShow();
    }
    void TearDown() override { messages::InstallErrorBox(nullptr); }

    // Plays the user in the edit window: a keyword, an entry (or a typed name), then OK.
    void answerEdit(const std::string& keyword, const std::string& entry, bool typed = false) {
        editView.user = [=, this] {
            edit.FormShow();
            edit.KeywordTextChange(keyword);
            edit.AssignComboChange(entry, typed ? -1 : editView.indexOf(entry));
            edit.OKButtonClick();
            if (editView.open) edit.CancelButtonClick();
        };
    }
    int rowOf(const std::string& keyword) const {
        for (std::size_t i = 0; i < dialog->Rows().size(); ++i)
            if (dialog->Rows()[i].keyword == keyword) return static_cast<int>(i);
        return -1;
    }
    std::string keywordsFile() const {
        std::ifstream in(folder.path() / "Jotwise Data" / "keywords.jwk");
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    std::string ann, bob;
    FakeListView listView;
    FakeEditView editView;
    ::testing::NiceMock<jotwise::testing::MockMessageBoxes> boxes;
    messages::ErrorBox errorBox{boxes};
    FakeHelp help;
    TKeywordEditDlgForm edit{editView, boxes};
    std::unique_ptr<TKeywordsDlgForm> dialog;
};

TEST_F(KeywordsDialogTest, OpensOnTheCategoriesWithTheirDefaultKeywordsInLowercase) {
    EXPECT_EQ(listView.filter, 1);
    EXPECT_FALSE(listView.buttonsEnabled);
    EXPECT_EQ(listView.rows, (std::vector<KeywordRow>{{"business", {"Business", "Business"}},
                                                      {"personal", {"Personal", "Personal"}},
                                                      {"work", {"Work", "Work"}}}));
    dialog->FilterComboChange(0);
    EXPECT_EQ(listView.rows.size(), 3u);
    EXPECT_EQ(listView.rows[0], (KeywordRow{"appointment", {"Calendar", "appointment"}}));
    dialog->FormShow();
    EXPECT_EQ(dialog->Kind(), KeywordKind::Folders) << "the choice stays between showings";

    dialog->KeywordsListDblClick();  // nothing selected: nothing happens
    EXPECT_TRUE(editView.caption.empty());
    dialog->KeywordsListClick(1);
    EXPECT_TRUE(listView.buttonsEnabled);
    dialog->KeywordsListClick(-1);
    EXPECT_FALSE(listView.buttonsEnabled);
}

TEST_F(KeywordsDialogTest, AKeywordAddedForAContactIsListedAndReadBackInCanonicalForm) {
    dialog->FilterComboChange(2);
    answerEdit("Boss", "Lee, Ann");
    dialog->AddButtonClick();
    EXPECT_EQ(editView.caption, "Add Contact Keyword");
    EXPECT_EQ(editView.typeLabel, "Contact:");
    EXPECT_FALSE(editView.editable);
    EXPECT_EQ(editView.keywordFocused, 1);
    ASSERT_GE(rowOf("Boss"), 0);
    EXPECT_EQ(dialog->Rows()[rowOf("Boss")].item, (ItemChoice{"Lee, Ann", ann}));
    EXPECT_TRUE(session->FindContact(ann)->keywordsCustomized);
    EXPECT_EQ(session->FindContact(ann)->keywordCount, 2);

    dialog->FormShow();
    EXPECT_GE(rowOf("boss"), 0);
    EXPECT_LT(rowOf("Boss"), 0);
}

constexpr const char* kInvalidKeyword =
    "The keyword you have entered is invalid or is already in use.";

TEST_F(KeywordsDialogTest, AKeywordInUseIsRefusedAndTheEditWindowStaysOpen) {
    bool stayedOpen = false;
    EXPECT_CALL(boxes, show(_,
                            std::string(kInvalidKeyword) +
                                "\n'work' is already the keyword of the category Work.",
                            platform::MessageIcon::Stop, platform::MessageButtons::Ok));
    editView.user = [&] {
        edit.KeywordTextChange("WORK");
        edit.AssignComboChange("Personal", editView.indexOf("Personal"));
        EXPECT_TRUE(editView.okEnabled);
        edit.OKButtonClick();
        stayedOpen = editView.open;
        edit.CancelButtonClick();
    };
    dialog->AddButtonClick();
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(listView.rows.size(), 3u);
}

// The refusal names the keyword in its stored form and what it belongs to, whichever kind
// the list shows; a text refused for another reason gets the message alone.
TEST_F(KeywordsDialogTest, TheRefusalSaysWhatTheKeywordInUseBelongsTo) {
    const auto refusal = [this](const std::string& typed, const std::string& entry) {
        std::string shown;
        EXPECT_CALL(boxes, show(_, _, platform::MessageIcon::Stop, platform::MessageButtons::Ok))
            .WillOnce([&](const std::string&, const std::string& text, auto, auto) {
                shown = text;
                return platform::MessageAnswer::Ok;
            });
        answerEdit(typed, entry);
        dialog->AddButtonClick();
        ::testing::Mock::VerifyAndClearExpectations(&boxes);
        return shown;
    };
    const std::string message = std::string(kInvalidKeyword) + "\n";

    dialog->FilterComboChange(2);
    EXPECT_EQ(refusal("Ann  LEE", "Smith, Bob"),
              message + "'ann lee' is already the keyword of the contact Lee, Ann.");
    EXPECT_EQ(refusal("Personal", "Smith, Bob"),
              message + "'personal' is already the keyword of the category Personal.");
    dialog->FilterComboChange(0);
    EXPECT_EQ(refusal("appointment", "Tasks"),
              message + "'appointment' is already the keyword of the folder Calendar.");
    ASSERT_EQ(Prs_AddAlias("both", "Work", "", bob.c_str()), 1);
    EXPECT_EQ(refusal("both", "Tasks"),
              message +
                  "'both' is already the keyword of the category Work and the contact "
                  "Smith, Bob.");
    EXPECT_EQ(refusal("please call", "Tasks"), kInvalidKeyword);
}

// An added keyword takes its place in the list's order, selected, so the user sees it; so
// does a renamed one.
TEST_F(KeywordsDialogTest, AnAddedOrRenamedKeywordIsPlacedInOrderAndSelected) {
    answerEdit("office", "Business");
    dialog->AddButtonClick();
    const auto keywordsShown = [this] {
        std::vector<std::string> shown;
        for (const KeywordRow& row : listView.rows)
            shown.push_back(row.keyword);
        return shown;
    };
    EXPECT_EQ(keywordsShown(),
              (std::vector<std::string>{"business", "office", "personal", "work"}));
    EXPECT_EQ(listView.selected, 1);
    EXPECT_TRUE(listView.buttonsEnabled);
    EXPECT_EQ(listView.rows, dialog->Rows());

    // Modify now works on the new row without another click.
    editView.user = [&] {
        EXPECT_EQ(editView.keyword, "office");
        edit.KeywordTextChange("zebra");
        edit.OKButtonClick();
    };
    dialog->ModifyButtonClick();
    EXPECT_EQ(keywordsShown(), (std::vector<std::string>{"business", "personal", "work", "zebra"}));
    EXPECT_EQ(listView.selected, 3);

    // Sorted by "Assigned To", a keyword goes among its item's.
    dialog->KeywordsListColumnClick(1);
    answerEdit("alpha", "Personal");
    dialog->AddButtonClick();
    ASSERT_EQ(listView.selected, 3);
    EXPECT_EQ(listView.rows[3], (KeywordRow{"alpha", {"Personal", "Personal"}}));
    EXPECT_EQ(listView.rows[2].keyword, "personal");
    EXPECT_EQ(listView.rows[4].keyword, "work");
}

TEST_F(KeywordsDialogTest, ATypedCategoryIsCreatedUnlessOneOfThatNameExists) {
    answerEdit("chores", "Errands", true);
    dialog->AddButtonClick();
    EXPECT_TRUE(editView.editable);
    ASSERT_NE(session->FindCategory("Errands"), nullptr);
    EXPECT_EQ(Prs_IsList("errands"), 1);
    EXPECT_EQ(dialog->Rows()[rowOf("chores")].item, (ItemChoice{"Errands", "Errands"}));

    answerEdit("job", " work ", true);
    dialog->AddButtonClick();
    EXPECT_EQ(dialog->Rows()[rowOf("job")].item, (ItemChoice{"Work", "Work"}));
    EXPECT_EQ(session->FindCategory("work"), nullptr) << "no second category";
}

TEST_F(KeywordsDialogTest, ModifyRenamesOrMovesAKeywordAndNeverLosesIt) {
    dialog->KeywordsListClick(rowOf("business"));
    editView.user = [&] {
        EXPECT_FALSE(editView.okEnabled) << "a modify starts with OK disabled";
        EXPECT_EQ(editView.selected, editView.indexOf("Business"));
        edit.KeywordTextChange("office");
        edit.OKButtonClick();
    };
    dialog->ModifyButtonClick();
    EXPECT_EQ(editView.caption, "Modify Category Keyword");
    EXPECT_GE(rowOf("office"), 0);
    EXPECT_EQ(Prs_IsAlias("business"), 0);
    EXPECT_EQ(Prs_IsAlias("office"), 1);

    // Moved to another category whose registration the store refuses: the old one stays.
    Prs_DeleteList("Personal");
    dialog->KeywordsListClick(rowOf("office"));
    EXPECT_CALL(boxes, show(_, HasSubstr("duplicate keyword"), platform::MessageIcon::Warning,
                            platform::MessageButtons::Ok));
    answerEdit("office", "Personal");
    dialog->ModifyButtonClick();
    EXPECT_EQ(Prs_IsAlias("office"), 1);
    ASSERT_GE(rowOf("office"), 0);
    EXPECT_EQ(dialog->Rows()[rowOf("office")].item.key, "Business");
    EXPECT_EQ(session->FindCategory("Business")->keywordCount, 1);
    ::testing::Mock::VerifyAndClearExpectations(&boxes);

    // Moved for real.
    dialog->KeywordsListClick(rowOf("office"));
    answerEdit("office", "Work");
    dialog->ModifyButtonClick();
    EXPECT_EQ(dialog->Rows()[rowOf("office")].item.key, "Work");
    EXPECT_EQ(session->FindCategory("Business")->keywordCount, 0);
    EXPECT_EQ(session->FindCategory("Work")->keywordCount, 2);
}

TEST_F(KeywordsDialogTest, ModifyingToAnotherItemWithATextInUseKeepsTheOldKeyword) {
    dialog->KeywordsListClick(rowOf("business"));
    EXPECT_CALL(boxes, show(_, HasSubstr(kInvalidKeyword), platform::MessageIcon::Stop,
                            platform::MessageButtons::Ok));
    answerEdit("work", "Personal");  // "work" is Work's; the user then gives up
    dialog->ModifyButtonClick();
    EXPECT_EQ(Prs_IsAlias("business"), 1);
    ASSERT_GE(rowOf("business"), 0);
    EXPECT_EQ(dialog->Rows()[rowOf("business")].item.key, "Business");
    EXPECT_EQ(session->FindCategory("Business")->keywordCount, 1);
    EXPECT_EQ(session->FindCategory("Personal")->keywordCount, 1);
}

TEST_F(KeywordsDialogTest, RemovingAnItemsLastKeywordKeepsItWithoutOneAfterARestart) {
    dialog->KeywordsListClick(rowOf("personal"));
    EXPECT_CALL(boxes, show("Jotwise for Microsoft Outlook",
                            "Are you sure you want to delete the 'personal' keyword?",
                            platform::MessageIcon::None, platform::MessageButtons::YesNo))
        .WillOnce(Return(platform::MessageAnswer::No))
        .WillOnce(Return(platform::MessageAnswer::Yes));
    dialog->RemoveButtonClick();
    EXPECT_GE(rowOf("personal"), 0);
    dialog->RemoveButtonClick();
    EXPECT_LT(rowOf("personal"), 0);
    EXPECT_FALSE(listView.buttonsEnabled);
    dialog->FormClose();
    EXPECT_EQ(keywordsFile(), ",,Personal,\n");

    outlook::InstallDataStore(nullptr);
    session.reset();
    Prs_ResetParseDll();
    ASSERT_EQ(connect(), 0);
    EXPECT_EQ(Prs_IsAlias("personal"), 0);
    EXPECT_EQ(Prs_IsAlias("business"), 1);
}

TEST_F(KeywordsDialogTest, ARowWhoseContactWentAwayIsHandledByItsKey) {
    // Another program deletes a contact while the window is open: its keywords go with it.
    const auto deleteContact = [this](const std::string& key) {
        outlook->store()->deleteItem(outlook->store()->parse(*mapi::FBinFromHex(key))->row);
        settle();
    };
    dialog->FilterComboChange(2);
    deleteContact(bob);
    ASSERT_EQ(Prs_IsAlias("bob smith"), 0);

    // Moved to Ann, the keyword is hers, without a word about the one that was gone.
    EXPECT_CALL(boxes, show(_, _, _, _)).Times(0);
    dialog->KeywordsListClick(rowOf("bob smith"));
    answerEdit("bob smith", "Lee, Ann");
    dialog->ModifyButtonClick();
    EXPECT_EQ(Prs_IsAlias("bob smith"), 1);
    ASSERT_GE(rowOf("bob smith"), 0);
    EXPECT_EQ(dialog->Rows()[rowOf("bob smith")].item, (ItemChoice{"Lee, Ann", ann}));
    EXPECT_EQ(dialog->Rows().size(), 2u) << "one row for the keyword";
    EXPECT_EQ(session->FindContact(ann)->keywordCount, 2);
    ::testing::Mock::VerifyAndClearExpectations(&boxes);

    // Removed once Ann is gone too: only the question is asked, and the row leaves.
    deleteContact(ann);
    dialog->KeywordsListClick(rowOf("bob smith"));
    EXPECT_CALL(boxes, show(_, HasSubstr("'bob smith'"), _, platform::MessageButtons::YesNo))
        .WillOnce(Return(platform::MessageAnswer::Yes));
    dialog->RemoveButtonClick();
    EXPECT_LT(rowOf("bob smith"), 0);
    EXPECT_EQ(listView.rows, dialog->Rows());
}

TEST_F(KeywordsDialogTest, ABlankTypedCategoryIsRefusedBeforeOk) {
    const std::size_t categories = session->Categories().size();
    EXPECT_CALL(boxes, show(_, _, _, _)).Times(0);
    bool okEnabled = true, stayedOpen = false;
    editView.user = [&] {
        edit.KeywordTextChange("chores");
        edit.AssignComboChange(" \t ", -1);
        okEnabled = editView.okEnabled;
        edit.OKButtonClick();  // were it pressed anyway, it does nothing
        stayedOpen = editView.open;
        if (editView.open) edit.CancelButtonClick();
    };
    dialog->AddButtonClick();
    EXPECT_FALSE(okEnabled);
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(session->Categories().size(), categories) << "no category without a name";
    EXPECT_LT(rowOf("chores"), 0);
}

TEST_F(KeywordsDialogTest, SortingHelpAndAFileThatCannotBeWritten) {
    dialog->KeywordsListColumnClick(1);
    answerEdit("zz top", "Business");
    dialog->AddButtonClick();
    dialog->KeywordsListColumnClick(1);
    EXPECT_EQ(listView.rows[0].item.display, "Business");
    EXPECT_EQ(listView.rows[1].item.display, "Business");
    dialog->KeywordsListColumnClick(0);
    EXPECT_EQ(listView.rows.back().keyword, "zz top");

    dialog->btnHelpClick();
    EXPECT_EQ(help.topic, 1503);

    std::filesystem::remove_all(folder.path() / "Jotwise Data");
    EXPECT_CALL(boxes, show(_, HasSubstr("Unable to create the Keywords file."),
                            platform::MessageIcon::Stop, _));
    dialog->FormClose();
}

}  // namespace
}  // namespace keywords
