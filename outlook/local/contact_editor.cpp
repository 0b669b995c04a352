#include "outlook/local/contact_editor.h"

#include "outlook/local/model/contact_names.h"
#include "outlook/object_model.h"
#include "platform/text.h"

namespace outlook::local {

using platform::trimmed;

namespace {

using F = ContactField;

constexpr std::array<ContactFieldInfo, kContactFieldCount> kFields = {{
    {F::FirstName, "FirstName", "edFirstName", "&First name:"},
    {F::LastName, "LastName", "edLastName", "&Last name:"},
    {F::Company, "CompanyName", "edCompany", "C&ompany:"},
    {F::FullName, "FullName", "edFullName", "F&ull name:"},
    {F::FileAs, "FileAs", "edFileAs", "File &as:"},
    {F::JobTitle, "JobTitle", "edJobTitle", "&Job title:"},
    {F::Email, "Email1Address", "edEmail", "&E-mail:"},
    {F::BusinessPhone, "BusinessTelephoneNumber", "edBusinessPhone", "&Business phone:"},
    {F::Street, "BusinessAddressStreet", "edStreet", "St&reet:"},
    {F::City, "BusinessAddressCity", "edCity", "C&ity:"},
    {F::State, "BusinessAddressState", "edState", "S&tate:"},
    {F::PostalCode, "BusinessAddressPostalCode", "edPostalCode", "&Postal code:"},
    {F::Country, "BusinessAddressCountry", "edCountry", "Countr&y:"},
    {F::Notes, "Body", "memoNotes", "&Notes:"},
}};

std::string trim(const std::string& text) {
    return std::string(trimmed(text));
}

// Something before and after one "@", and no blank inside.
bool plausibleAddress(std::string_view address) {
    const auto at = address.find('@');
    if (at == std::string_view::npos || at == 0 || at + 1 == address.size()) return false;
    if (address.find('@', at + 1) != std::string_view::npos) return false;
    for (char c : address)
        if (c == ' ' || c == '\t') return false;
    return true;
}

}  // namespace

std::span<const ContactFieldInfo> contactFields() {
    return kFields;
}

const ContactFieldInfo& contactFieldInfo(ContactField field) {
    return kFields[static_cast<std::size_t>(field)];
}

ContactEditor::ContactEditor(DispatchPtr contact) : contact_(std::move(contact)) {
    for (const auto& info : kFields)
        loaded_[index(info.field)] = contact_->get(info.property).asString();
    values_ = loaded_;
    isNew_ = contact_->get("EntryID").asString().empty();
}

std::vector<ContactField> ContactEditor::setValue(ContactField field, std::string value) {
    const std::string first = trim(this->value(F::FirstName)),
                      last = trim(this->value(F::LastName)),
                      company = trim(this->value(F::Company)),
                      full = trim(this->value(F::FullName)), fileAs = trim(this->value(F::FileAs));
    const bool fullFollows = full.empty() || full == autoFullName(first, last);
    const bool fileAsFollows = fileAs.empty() || fileAs == autoFileAs(first, last, company, full);
    values_[index(field)] = std::move(value);

    std::vector<ContactField> changed;
    const auto follow = [&](ContactField derived, const std::string& text) {
        if (values_[index(derived)] == text) return;
        values_[index(derived)] = text;
        changed.push_back(derived);
    };
    const bool part = field == F::FirstName || field == F::LastName;
    if (part && fullFollows)
        follow(F::FullName,
               autoFullName(trim(this->value(F::FirstName)), trim(this->value(F::LastName))));
    const bool name = part || field == F::Company || field == F::FullName;
    if (name && fileAsFollows)
        follow(F::FileAs,
               autoFileAs(trim(this->value(F::FirstName)), trim(this->value(F::LastName)),
                          trim(this->value(F::Company)), trim(this->value(F::FullName))));
    return changed;
}

bool ContactEditor::modified() const {
    return values_ != loaded_;
}

std::string ContactEditor::name() const {
    std::string name = trim(value(F::FullName));
    if (name.empty()) name = trim(value(F::FileAs));
    if (name.empty()) name = trim(value(F::Company));
    return name;
}

std::string ContactEditor::caption() const {
    const std::string shown = name();
    return (shown.empty() ? std::string("Untitled") : shown) + " - Contact";
}

std::string ContactEditor::summary() const {
    const std::string job = trim(value(F::JobTitle)), company = trim(value(F::Company));
    std::vector<std::string> parts;
    if (!job.empty() && !company.empty())
        parts.push_back(job + ", " + company);
    else if (!job.empty() || !company.empty())
        parts.push_back(job + company);
    for (ContactField way : {F::Email, F::BusinessPhone})
        if (std::string text = trim(value(way)); !text.empty()) parts.push_back(std::move(text));
    if (parts.empty()) return isNew_ ? "New contact" : "";
    std::string text = parts.front();
    for (std::size_t i = 1; i < parts.size(); ++i)
        text += "  \u00B7  " + parts[i];
    return text;
}

std::optional<ContactEditor::Problem> ContactEditor::check() const {
    const std::string email = trim(value(F::Email));
    if (!email.empty() && !plausibleAddress(email))
        return Problem{"\"" + email +
                           "\" is not an e-mail address. Write it as name@example.com, or "
                           "leave the field empty.",
                       F::Email};
    bool named = false;
    for (ContactField field : {F::FirstName, F::LastName, F::FullName, F::FileAs, F::Company})
        named = named || !trim(value(field)).empty();
    if (!named)
        return Problem{"The contact needs a name or a company. Fill in at least one of them.",
                       F::FirstName};
    return std::nullopt;
}

std::optional<ContactEditor::Problem> ContactEditor::save() {
    if (auto problem = check()) return problem;
    try {
        for (const auto& info : kFields) {
            const std::string& text = values_[index(info.field)];
            if (text != loaded_[index(info.field)]) contact_->put(info.property, text);
        }
        contact_->call("Save");
    } catch (const AutomationError& error) {
        return Problem{std::string("The contact could not be saved: ") + error.what(),
                       std::nullopt};
    }
    // What the store made of the fields (trimmed, split names) is what a next save compares
    // against.
    for (const auto& info : kFields)
        loaded_[index(info.field)] = contact_->get(info.property).asString();
    values_ = loaded_;
    isNew_ = false;
    return std::nullopt;
}

void ContactEditor::discard() {
    contact_->call("Close", {static_cast<std::int32_t>(olDiscard)});
    for (const auto& info : kFields)
        loaded_[index(info.field)] = contact_->get(info.property).asString();
    values_ = loaded_;
}

ContactEditor::Closing ContactEditor::askBeforeClosing(platform::MessageBoxes& boxes) const {
    if (!modified()) return Closing::Discard;
    const std::string shown = name();
    return askToSaveChanges(boxes, caption(), shown.empty() ? "this contact" : shown);
}

}  // namespace outlook::local
