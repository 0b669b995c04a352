#pragma once

#include <QWidget>
#include <functional>
#include <string>
#include <vector>

class QLineEdit;
class QListWidget;

namespace outlook::local {

// An item's categories as check boxes over the master category list, with a line to type
// a new one. Categories the item has that the list lacks are shown checked too.
class CategoryPicker : public QWidget {
public:
    CategoryPicker(std::vector<std::string> master, QWidget* parent = nullptr);

    // Shows an item's categories ("Business; Ideas").
    void showCategories(const std::string& text);
    // Hears the categories as the user checks them, joined as the item keeps them.
    void onChanged(std::function<void(const std::string&)> listener) {
        changed_ = std::move(listener);
    }

private:
    void addTyped();
    void addName(const QString& name, bool checked);
    std::string checkedText() const;

    QListWidget* list_ = nullptr;
    QLineEdit* newName_ = nullptr;
    std::function<void(const std::string&)> changed_;
    bool filling_ = false;
};

}  // namespace outlook::local
