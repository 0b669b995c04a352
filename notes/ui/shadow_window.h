#pragma once

#include <QPointer>
#include <QWidget>

#include "notes/note_events.h"
#include "notes/shadow_layout.h"
#include "notes/shadow_view.h"
#include "platform/locale.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace notes::ui {

class ContactListModel;
class DateBox;
class KeyPreview;

// The shadow beside (or behind) an action note: the date, the start and end times, the
// contact and the category the note's sentence gave, for the user to correct. A small tool
// window that never takes the focus when it is placed and never closes on its own; it lives
// and dies with its note. It shows what its logic tells it and passes on what the user does.
class ShadowWindow : public QWidget, public ShadowView {
public:
    explicit ShadowWindow(platform::ShortDateFormat dateFormat);
    ~ShadowWindow() override;

    // Who hears the user's events (null: nobody, as while the note is being made).
    void setEvents(ShadowEvents* events) { events_ = events; }
    // The note the shadow is stacked under.
    void setNoteWindow(QWidget* note) { note_ = note; }

    // ShadowView
    void setDateText(const std::string& text) override;
    void setWeekday(std::optional<std::chrono::weekday> day) override;
    void setStartText(const std::string& text) override;
    void setEndText(const std::string& text) override;
    void setRepeatText(const std::string& words) override;
    void setContacts(const std::vector<ContactChoice>& contacts) override;
    void selectContact(const std::string& key) override;
    void setCategories(const std::vector<std::string>& categories) override;
    void setCategoryText(const std::string& text) override;
    void setDateTimeImage(bool on) override;
    void setContactImage(bool on) override;
    void setCategoryImage(bool on) override;
    void setPlacementButtons(bool behind) override;
    int width() const override;
    int height() const override;
    int imageColumnLeft() const override;
    void moveBehindNote(int left, int top) override;
    void setVisible(bool visible) override;
    void setEnabled(bool enabled) override;
    void focusDate() override;
    void focusStart() override;
    void focusEnd() override;
    void focusContact() override;
    void focusCategory() override;

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void buildDateTime(const platform::ShortDateFormat& dateFormat);
    void buildContact();
    void buildCategory();
    void buildImages();
    void buildHiddenControls();
    void connectEvents();
    // Sizes every part for the window's font: the shadow grows with it.
    ShadowLayoutInput layoutInput() const;
    void layOut();
    // Runs a user event through the logic, if there is one, so that no exception escapes.
    template <class Call>
    void forward(Call&& call);
    void focusField(QWidget* field);

    ShadowEvents* events_ = nullptr;
    QPointer<QWidget> note_;
    // The field to focus once the shadow is activated.
    QPointer<QWidget> pendingFocus_;
    KeyPreview* keys_ = nullptr;
    ShadowLayout layout_;

    QLabel* dateTimeLabel_ = nullptr;
    DateBox* date_ = nullptr;
    QLabel* weekday_ = nullptr;
    QLabel* repeat_ = nullptr;
    QToolButton* dropRepeat_ = nullptr;
    QComboBox* start_ = nullptr;
    QLabel* hyphen_ = nullptr;
    QComboBox* end_ = nullptr;
    QLabel* contactLabel_ = nullptr;
    QComboBox* contact_ = nullptr;
    ContactListModel* contacts_ = nullptr;
    QToolButton* address_ = nullptr;
    QLabel* categoryLabel_ = nullptr;
    QComboBox* category_ = nullptr;
    QLabel* dateTimeOn_ = nullptr;
    QLabel* dateTimeOff_ = nullptr;
    QLabel* contactOn_ = nullptr;
    QLabel* contactOff_ = nullptr;
    QLabel* categoryOn_ = nullptr;
    QLabel* categoryOff_ = nullptr;
    QToolButton* beside_ = nullptr;
    QToolButton* behind_ = nullptr;
    QLineEdit* backToMemo_ = nullptr;
    QPushButton* save_ = nullptr;
};

}  // namespace notes::ui
