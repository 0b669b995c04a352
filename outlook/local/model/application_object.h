#pragma once

#include "outlook/automation.h"
#include "outlook/local/model/model_context.h"
#include "outlook/local/model/model_object.h"

namespace outlook::local {

// "Outlook.Application": GetNamespace("MAPI"), CreateItem(n) (0 mail, 1 appointment,
// 2 contact, 3 task, 4 journal entry, 5 note), ActiveExplorer (nothing while no explorer
// window is open), Name, Version. BeginBatch, CommitBatch and AbortBatch make the saves in
// between one change of the store (Store::beginBatch), which Outlook cannot.
class ApplicationObject : public ModelObject {
public:
    explicit ApplicationObject(ContextPtr context) : context_(std::move(context)) {}

    Variant getMember(std::string_view property) override;
    void putMember(std::string_view property, const Variant& value) override;
    Variant callMethod(std::string_view method, const Arguments& arguments) override;

private:
    Variant activeExplorer();

    ContextPtr context_;
};

}  // namespace outlook::local
