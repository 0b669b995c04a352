#include "outlook/local/transport/invitation.h"

#include <gtest/gtest.h>

#include <fstream>
#include <stdexcept>

#include "tests/outlook/local/mirror/mirror_fixture.h"
#include "tests/outlook/local/repeating_items.h"

namespace outlook::local::testing {
namespace {

using transport::MailAddress;
using transport::requestCalendar;

const MailAddress kOrganizer{"Ann Lee", "ann@example.com"};

// The text of the item's component alone, without the time zone's lines.
std::string itemPart(const std::string& text) {
    std::size_t begin = text.find("BEGIN:VEVENT");
    if (begin == std::string::npos) begin = text.find("BEGIN:VTODO");
    return begin == std::string::npos ? std::string() : text.substr(begin);
}

class Invitation : public MirrorFixture {
protected:
    void SetUp() override {
        MirrorFixture::SetUp();
        saveContact("Bob", "Stone", "bob@example.com");
        saveContact("Carol", "Kim", "carol@example.com");
        saveContact("Dan", "Ray", "dan@example.com");
    }

    void addRecipient(const DispatchPtr& item, const char* name, std::int32_t type) {
        auto recipient = item->get("Recipients").asObject()->call("Add", {name}).asObject();
        recipient->put("Type", type);
        recipient->call("Resolve", {});
    }
    // Bob and Carol required, Dan optional.
    void invite(const DispatchPtr& item) {
        addRecipient(item, "Bob Stone", olTo);
        addRecipient(item, "Carol Kim", olTo);
        addRecipient(item, "Dan Ray", olCC);
    }
    // The request Send left in the Outbox (the only one there).
    ItemRecord sentRequest() {
        auto items = defaultFolder(olFolderOutbox)->get("Items").asObject();
        EXPECT_EQ(items->get("Count"), Variant(1));
        return recordOf(items->call("Item", {1}).asObject());
    }
    // The request's calendar, after checking that libical finds nothing wrong in it.
    std::string invitation(const DispatchPtr& item) {
        const std::string text = requestCalendar(store(), sentRequest(), uidOf(item), kOrganizer);
        EXPECT_EQ(mirror::calendarProblems(text), std::vector<std::string>{}) << text;
        return text;
    }
};

TEST_F(Invitation, AMeetingRequestNamesOrganizerAttendeesAndTheMeetingsOwnUid) {
    auto contact = saveContact("Eve", "Park", "eve@example.com");
    const fs::path file = temp.path() / "agenda.txt";
    std::ofstream(file) << "agenda";
    auto meeting = appointment("Review", localDate(2026, 7, 18, 9), localDate(2026, 7, 18, 10));
    invite(meeting);
    auto attachments = meeting->get("Attachments").asObject();
    attachments->call("Add", {contact, olByReference});
    attachments->call("Add", {file.string(), olByReference});
    meeting->call("Send", {});

    const std::string text = invitation(meeting);
    EXPECT_EQ(lineOf(text, "METHOD"), "METHOD:REQUEST");
    EXPECT_EQ(lineOf(text, "PRODID"), "PRODID:-//Jotwise//Jotwise vdir mirror//EN");
    EXPECT_EQ(lineOf(text, "UID"), "UID:" + uidOf(meeting));
    EXPECT_EQ(lineOf(text, "SEQUENCE"), "SEQUENCE:0");
    EXPECT_NE(lineOf(text, "DTSTAMP"), "(none)");
    EXPECT_EQ(lineOf(text, "SUMMARY"), "SUMMARY:Review");
    // 9:00 in New York in July is 13:00 UTC.
    EXPECT_EQ(lineOf(text, "DTSTART"), "DTSTART:20260718T130000Z");
    EXPECT_EQ(lineOf(text, "DTEND"), "DTEND:20260718T140000Z");
    EXPECT_EQ(lineOf(text, "ORGANIZER"), "ORGANIZER;CN=Ann Lee:mailto:ann@example.com");
    EXPECT_EQ(linesOf(text, "ATTENDEE"),
              (std::vector<std::string>{
                  "ATTENDEE;CN=Bob Stone;ROLE=REQ-PARTICIPANT;PARTSTAT=NEEDS-ACTION;RSVP=TRUE:"
                  "mailto:bob@example.com",
                  "ATTENDEE;CN=Carol Kim;ROLE=REQ-PARTICIPANT;PARTSTAT=NEEDS-ACTION;RSVP=TRUE:"
                  "mailto:carol@example.com",
                  "ATTENDEE;CN=Dan Ray;ROLE=OPT-PARTICIPANT;PARTSTAT=NEEDS-ACTION;RSVP=TRUE:"
                  "mailto:dan@example.com"}));
    // Nothing that points into the sender's store or disk.
    EXPECT_EQ(lineOf(text, "CONTACT"), "(none)");
    EXPECT_EQ(lineOf(text, "ATTACH"), "(none)");
    EXPECT_EQ(text.find("X-JOTWISE"), std::string::npos) << text;
    EXPECT_EQ(text.find("file:"), std::string::npos) << text;
}

TEST_F(Invitation, RelatedItemsAndRecipientsWithoutAnAddressAreLeftOut) {
    auto task = createItem(olTaskItem);
    task->put("Subject", "Prepare");
    task->call("Save");
    auto meeting = appointment("Review", localDate(2026, 7, 18, 9), localDate(2026, 7, 18, 10));
    invite(meeting);
    meeting->get("Attachments").asObject()->call("Add", {task, olByReference});
    meeting->call("Save");
    // The sender refuses unresolved recipients; a request that holds one still builds.
    ItemRecord request = recordOf(meeting);
    RecipientRecord nobody;
    nobody.name = "Nobody";
    RecipientRecord room;
    room.name = "Room 4";
    room.type = mapi::MAPI_BCC;
    room.address = "room4@example.com";
    room.resolved = true;
    request.recipients.push_back(nobody);
    request.recipients.push_back(room);
    const std::string text = requestCalendar(store(), request, "the-uid", kOrganizer);
    EXPECT_EQ(mirror::calendarProblems(text), std::vector<std::string>{}) << text;
    EXPECT_EQ(lineOf(text, "RELATED-TO"), "(none)");
    EXPECT_EQ(lineOf(text, "UID"), "UID:the-uid");
    EXPECT_EQ(linesOf(text, "ATTENDEE").size(), 3u);
    EXPECT_EQ(text.find("Nobody"), std::string::npos);
    EXPECT_EQ(text.find("room4"), std::string::npos);

    EXPECT_THROW(requestCalendar(store(), request, "the-uid", {"Ann", ""}), std::invalid_argument);
    EXPECT_THROW(requestCalendar(store(), request, "the-uid", {"Ann", "a b@example.com"}),
                 std::invalid_argument);
    EXPECT_THROW(requestCalendar(store(), request, "", kOrganizer), std::invalid_argument);
}

TEST_F(Invitation, ARepeatingMeetingKeepsItsRuleLocalTimesAndZone) {
    auto meeting = createItem(olAppointmentItem);
    meeting->put("Subject", "call the bank");
    fileRepeating(meeting, everyOtherTuesday(dayOf(2027, 3, 2)));
    invite(meeting);
    meeting->call("Send", {});
    const std::string text = invitation(meeting);
    EXPECT_EQ(lineOf(itemPart(text), "RRULE"), "RRULE:FREQ=WEEKLY;INTERVAL=2;BYDAY=TU;WKST=SU");
    EXPECT_EQ(lineOf(itemPart(text), "DTSTART"), "DTSTART;TZID=America/New_York:20270302T090000");
    EXPECT_EQ(lineOf(text, "TZID"), "TZID:America/New_York");
    EXPECT_LT(text.find("BEGIN:VTIMEZONE"), text.find("BEGIN:VEVENT"));
    EXPECT_EQ(lineOf(text, "METHOD"), "METHOD:REQUEST");
}

TEST_F(Invitation, ATaskRequestIsAToDoAndOtherItemsHaveNoRequest) {
    auto task = createItem(olTaskItem);
    task->put("Subject", "Report");
    task->put("DueDate", localDate(2026, 12, 18));
    invite(task);
    task->call("Assign", {});
    task->call("Send", {});
    const std::string text = invitation(task);
    EXPECT_EQ(linesOf(text, "BEGIN"), (std::vector<std::string>{"BEGIN:VCALENDAR", "BEGIN:VTODO"}));
    EXPECT_EQ(lineOf(text, "METHOD"), "METHOD:REQUEST");
    EXPECT_EQ(lineOf(text, "UID"), "UID:" + uidOf(task));
    EXPECT_EQ(lineOf(text, "DUE"), "DUE;VALUE=DATE:20261218");
    // A request for a to-do needs a start and a priority, which the task does not keep: it
    // starts on the day it is sent, at most its due day, and has no priority.
    const std::string start = lineOf(text, "DTSTART");
    ASSERT_TRUE(start.starts_with("DTSTART;VALUE=DATE:")) << start;
    EXPECT_LE(start.substr(start.size() - 8), "20261218");
    EXPECT_EQ(lineOf(text, "PRIORITY"), "PRIORITY:0");
    EXPECT_EQ(linesOf(text, "ATTENDEE").size(), 3u);

    auto note = createItem(olNoteItem);
    note->put("Body", "Buy milk");
    note->call("Save");
    EXPECT_EQ(requestCalendar(store(), recordOf(note), "x", kOrganizer), "");
    auto mail = createItem(olMailItem);
    mail->call("Save");
    EXPECT_EQ(requestCalendar(store(), recordOf(mail), "x", kOrganizer), "");
}

}  // namespace
}  // namespace outlook::local::testing
