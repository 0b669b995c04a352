#pragma once

#include <QDialog>
#include <QPointer>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "outlook/local/contact_editor.h"
#include "outlook/local/item_form.h"
#include "outlook/local/window_sizes.h"
#include "platform/message_boxes.h"

class QLabel;
class QLayout;
class QPlainTextEdit;
class QWidget;

namespace outlook::local {

// The contact form: name, e-mail and phone, work, business address and notes of one
// contact. What the user types goes to a ContactEditor, which keeps the derived names, saves
// through the object model and decides what closing does; the window only shows its values,
// its problems and its question.
class ContactWindow : public QDialog {
public:
    // `boxes` asks before a changed contact is closed unsaved; null asks with Qt's boxes.
    ContactWindow(DispatchPtr contact, WindowSizes& sizes, platform::MessageBoxes* boxes,
                  QWidget* parent = nullptr);

    const DispatchPtr& contact() const { return editor_.contact(); }
    // Closes the window because the item was closed elsewhere (Item.Close): nothing is
    // saved or discarded here.
    void closeForItem();

    // Save and Close: checks, saves and closes; a problem is shown and the window stays.
    void save();
    // Cancel, Escape and the close box: closes, and asks first whether to save a changed
    // contact.
    void reject() override;

protected:
    void done(int result) override;

private:
    QWidget* makeEditor(ContactField field);
    void discardAndClose();
    QLayout* makeHeader();
    void showHeader();
    void fieldEdited(ContactField field, const QString& text);
    void showValue(ContactField field);
    void showProblem(const ContactEditor::Problem& problem);

    ContactEditor editor_;
    WindowSizes& sizes_;
    std::unique_ptr<platform::MessageBoxes> ownBoxes_;
    platform::MessageBoxes& boxes_;
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

// The store's item form (Item.Display): a contact opens in the contact form; appointments,
// meetings, tasks, notes and journal entries in their editable forms (see makeItemEditor);
// mail and what was sent in a read-only view. An item already shown is brought to the front instead
// of opening twice. A modal form returns once the user closed it. Windows must be shown on the
// thread that owns the QApplication.
class ContactForm : public ItemForm {
public:
    // `sizes` (and `boxes`, when given) must outlive the form.
    ContactForm(WindowSizes& sizes, QWidget* parent = nullptr,
                platform::MessageBoxes* boxes = nullptr);
    ~ContactForm() override;

    void showItem(const DispatchPtr& item, bool modal) override;
    void closeItem(const DispatchPtr& item) override;

    // What the editable forms need from the store: its MAPI namespace (to notice changes by
    // other programs and open links; null when it cannot be had) and the master category
    // list. Without them the forms still edit, with no categories to pick from.
    void setEditingSupport(std::function<DispatchPtr()> nameSpace,
                           std::function<std::vector<std::string>()> categories);

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
    platform::MessageBoxes* boxes_;
    QPointer<QWidget> parent_;
    std::function<DispatchPtr()> nameSpace_;
    std::function<std::vector<std::string>()> categories_;
    std::vector<Shown> shown_;
    std::vector<QPointer<QDialog>> closed_;
};

}  // namespace outlook::local
