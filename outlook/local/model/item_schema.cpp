#include "outlook/local/model/item_schema.h"

#include <array>

#include "outlook/local/model/dispatch_support.h"
#include "outlook/local/store/store_tags.h"

namespace outlook::local {

using namespace mapi;

namespace {

constexpr unsigned bit(ItemKind kind) {
    return 1u << static_cast<unsigned>(kind);
}

constexpr unsigned kAll = 0xFFu;
constexpr unsigned kSchedule = bit(ItemKind::Appointment) | bit(ItemKind::MeetingRequest);
constexpr unsigned kTasks = bit(ItemKind::Task) | bit(ItemKind::TaskRequest);
constexpr unsigned kContact = bit(ItemKind::Contact);
constexpr unsigned kNote = bit(ItemKind::Note);
constexpr unsigned kJournal = bit(ItemKind::Journal);
constexpr unsigned kMail = bit(ItemKind::Mail);
constexpr unsigned kLinked = kMail | kSchedule | kTasks | kJournal;

using V = ValueKind;

const std::array<ItemProperty, 42> kProperties = {{
    {"Subject", V::String, kAll, PR_SUBJECT, {}},
    {"Body", V::String, kAll, PR_BODY, {}},
    {"Categories", V::String, kAll, 0, Known::Categories},
    {"Start", V::Date, kSchedule | kJournal, 0, Known::Start},
    {"End", V::Date, kSchedule | kJournal, 0, Known::End},
    {"Duration", V::Int, kSchedule | kJournal, 0, Known::Duration},
    {"DueDate", V::Date, kTasks, 0, Known::DueDate},
    {"AllDayEvent", V::Bool, kSchedule, 0, Known::AllDayEvent},
    {"Location", V::String, kSchedule, 0, Known::Location},
    {"Status", V::Int, kTasks, 0, Known::TaskStatus},
    {"ReminderSet", V::Bool, kMail | kSchedule | kTasks, 0, Known::ReminderSet},
    {"ReminderMinutesBeforeStart", V::Int, kSchedule, 0, Known::ReminderMinutesBeforeStart},
    {"ReminderTime", V::Date, kMail | kSchedule | kTasks, 0, Known::ReminderTime},
    {"PercentComplete", V::Int, kTasks, 0, Known::PercentComplete},
    {"DateCompleted", V::Date, kTasks, 0, Known::DateCompleted},
    {"ResponseRequested", V::Bool, kMail | kSchedule, tags::PR_RESPONSE_REQUESTED, {}},
    {"BusyStatus", V::Int, kSchedule, 0, Known::BusyStatus},
    {"MeetingStatus", V::Int, kSchedule, 0, Known::MeetingStatus},
    {"TotalWork", V::Int, kTasks, 0, Known::TotalWork},
    {"Left", V::Int, kNote, 0, Known::NoteLeft},
    {"Top", V::Int, kNote, 0, Known::NoteTop},
    {"Width", V::Int, kNote, 0, Known::NoteWidth},
    {"Height", V::Int, kNote, 0, Known::NoteHeight},
    {"SelectedMailingAddress", V::Int, kContact, 0, Known::SelectedMailingAddress},
    {"ContactNames", V::String, kLinked, 0, Known::ContactNames},
    {"Companies", V::String, kLinked, 0, Known::Companies},
    {"Contacts", V::String, kLinked, 0, Known::Contacts},
    {"Type", V::String, kJournal, 0, Known::JournalType},
    {"FirstName", V::String, kContact, PR_GIVEN_NAME, {}},
    {"LastName", V::String, kContact, PR_SURNAME, {}},
    {"CompanyName", V::String, kContact, PR_COMPANY_NAME, {}},
    {"JobTitle", V::String, kContact, PR_TITLE, {}},
    {"FullName", V::String, kContact, PR_DISPLAY_NAME, {}},
    {"FileAs", V::String, kContact, 0, Known::FileAs},
    {"Email1Address", V::String, kContact, 0, Known::Email1Address},
    {"BusinessTelephoneNumber", V::String, kContact, PR_BUSINESS_TELEPHONE_NUMBER, {}},
    {"BusinessAddressCountry", V::String, kContact, PR_COUNTRY, {}},
    {"BusinessAddressCity", V::String, kContact, PR_LOCALITY, {}},
    {"BusinessAddressState", V::String, kContact, PR_STATE_OR_PROVINCE, {}},
    {"BusinessAddressStreet", V::String, kContact, PR_STREET_ADDRESS, {}},
    {"BusinessAddressPostalCode", V::String, kContact, PR_POSTAL_CODE, {}},
    {"BusinessAddressPostOfficeBox", V::String, kContact, PR_POST_OFFICE_BOX, {}},
}};

}  // namespace

const ItemProperty* findItemProperty(std::string_view name) {
    for (const auto& definition : kProperties)
        if (isMember(name, definition.name)) return &definition;
    return nullptr;
}

bool hasProperty(const ItemProperty& definition, ItemKind kind) {
    return (definition.kinds & bit(kind)) != 0;
}

const char* describeValueKind(ValueKind kind) {
    switch (kind) {
        case ValueKind::String:
            return "a string";
        case ValueKind::Int:
            return "an integer";
        case ValueKind::Bool:
            return "a boolean";
        case ValueKind::Date:
            return "a date";
    }
    return "a value";
}

}  // namespace outlook::local
