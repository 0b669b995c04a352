#pragma once

#include <cstdint>
#include <string>

#include "outlook/automation.h"

namespace outlook {

// Everything the program files into Outlook or refers to there: folders, categories,
// contacts and new items. A wrapper owns its automation reference; keyword bookkeeping
// tells the keywords file which items the user customised.
class TItem {
public:
    TItem() = default;
    explicit TItem(DispatchPtr object) : object_(std::move(object)) {}
    TItem(const TItem&) = default;
    TItem& operator=(const TItem&) = default;
    virtual ~TItem() = default;

    // Opens the item's Outlook window; failures reach the caller as AutomationError.
    virtual void Display();
    // The item's automation reference; failures reach the caller as AutomationError.
    virtual DispatchPtr GetObject();

    bool keywordsCustomized = false;
    std::int32_t keywordCount = 0;

protected:
    // The automation reference the setters work on; AutomationError when the wrapper holds
    // none (a cached contact, a folder, a category).
    Dispatch& Object() const;

    DispatchPtr object_;
};

// An Outlook category; it never holds an Outlook object.
class TCategory : public TItem {
public:
    explicit TCategory(std::string name) : name_(std::move(name)) {}
    const std::string& Name() const { return name_; }

private:
    std::string name_;
};

// One of the default folders a note can be filed into, under its kind word.
class TFolder : public TItem {
public:
    TFolder(std::string displayName, std::string kind)
        : displayName_(std::move(displayName)), kind_(std::move(kind)) {}
    const std::string& DisplayName() const { return displayName_; }
    const std::string& Kind() const { return kind_; }

private:
    std::string displayName_;
    std::string kind_;
};

}  // namespace outlook
