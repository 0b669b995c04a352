#pragma once

#include <QDialog>
#include <QPointer>
#include <map>
#include <memory>
#include <vector>

#include "outlook/local/contact_editor.h"
#include "outlook/local/item_form.h"
#include "outlook/local/window_sizes.h"

class QLabel;
class QLayout;
class QPlainTextEdit;
class QWidget;

namespace outlook::local {

// The contact form: name, work, business address and notes of one contact. What the user
// types goes to a ContactEditor, which keeps the derived names and saves through the
// object model; the window only shows its values and its problems.
class ContactWindow : public QDialog {
public:
    ContactWindow(DispatchPtr contact, WindowSizes& sizes, QWidget* parent = nullptr);

    const DispatchPtr& contact() const { return editor_.contact(); }
    // Closes the window because the item was closed elsewhere (Item.Close): nothing is
    // saved or discarded here.
    void closeForItem();

    // Save and Close: checks, saves and closes; a problem is shown and the window stays.
    void save();
    // Cancel, Escape and the close box: discards and closes.
    void reject() override;

protected:
    void done(int result) override;

private:
    QWidget* makeEditor(const ContactFieldInfo& info);
    QLayout* makeHeader();
    void showHeader();
    void fieldEdited(ContactField field, const QString& text);
    void showValue(ContactField field);
    void showProblem(const ContactEditor::Problem& problem);

    ContactEditor editor_;
    WindowSizes& sizes_;
    std::map<ContactField, QWidget*> editors_;
    QLabel* heading_ = nullptr;
    QLabel* subheading_ = nullptr;
    QLabel* problem_ = nullptr;
    bool closing_ = false;
};

// A read-only view of any other item: its kind, title, properties and text.
class ItemViewWindow : public QDialog {
public:
    ItemViewWindow(DispatchPtr item, WindowSizes& sizes, QWidget* parent = nullptr);
    const DispatchPtr& item() const { return item_; }

protected:
    void done(int result) override;

private:
    DispatchPtr item_;
    WindowSizes& sizes_;
};

// The store's item form (Item.Display): a contact opens in the contact form, any other item
// in a read-only view. An item already shown is brought to the front instead of opening
// twice. A modal form returns once the user closed it. Windows must be shown on the thread
// that owns the QApplication.
class ContactForm : public ItemForm {
public:
    // `sizes` must outlive the form.
    ContactForm(WindowSizes& sizes, QWidget* parent = nullptr);
    ~ContactForm() override;

    void showItem(const DispatchPtr& item, bool modal) override;
    void closeItem(const DispatchPtr& item) override;

    // The windows open now.
    std::vector<QDialog*> openWindows() const;

private:
    struct Shown {
        DispatchPtr item;
        QPointer<QDialog> window;
    };
    Shown* find(const DispatchPtr& item);
    void forget(QDialog* window);

    WindowSizes& sizes_;
    QPointer<QWidget> parent_;
    std::vector<Shown> shown_;
    std::vector<QPointer<QDialog>> closed_;
};

}  // namespace outlook::local
