#pragma once

#include "outlook/automation.h"
#include "outlook/local/model/model_context.h"

namespace outlook::local {

// "Outlook.Application": GetNamespace("MAPI"), CreateItem(n) (0 mail, 1 appointment,
// 2 contact, 3 task, 4 journal entry, 5 note), ActiveExplorer (nothing while no explorer
// window is open), Name, Version.
class ApplicationObject : public Dispatch {
public:
    explicit ApplicationObject(ContextPtr context) : context_(std::move(context)) {}

    Variant get(std::string_view property) override;
    void put(std::string_view property, const Variant& value) override;
    Variant call(std::string_view method, const Arguments& arguments) override;

private:
    Variant activeExplorer();

    ContextPtr context_;
};

}  // namespace outlook::local
