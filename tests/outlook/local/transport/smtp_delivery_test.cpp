// The real programs deliver through msmtp to a real SMTP server on loopback: mail, a task
// request with a file and a meeting request arrive as correct messages, and what could not go
// goes out later exactly once.
#ifdef JOTWISE_PROGRAM_PATH

#include <gmime/gmime.h>
#include <gtest/gtest.h>
#include <libical/ical.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <thread>

#include "outlook/local/mirror/mirror_names.h"
#include "tests/parser/process.h"
#include "tests/support/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using sentex::testing::runCommand;
using sentex::testing::shellQuote;

std::string fileText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

int freePort() {
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
    ::close(s);
    return ntohs(address.sin_port);
}

// A message as GMime reads it back.
struct Parsed {
    std::unique_ptr<GMimeMessage, decltype(&g_object_unref)> message{nullptr, g_object_unref};

    std::string header(const char* name) const {
        const char* value = g_mime_object_get_header(GMIME_OBJECT(message.get()), name);
        return value ? value : "";
    }
    std::string addresses(GMimeAddressType type) const {
        InternetAddressList* list = g_mime_message_get_addresses(message.get(), type);
        std::string text;
        for (int i = 0; i < internet_address_list_length(list); ++i) {
            auto* mailbox = INTERNET_ADDRESS_MAILBOX(internet_address_list_get_address(list, i));
            text += (text.empty() ? "" : ", ") +
                    std::string(internet_address_get_name(INTERNET_ADDRESS(mailbox))
                                    ? internet_address_get_name(INTERNET_ADDRESS(mailbox))
                                    : "") +
                    " <" + internet_address_mailbox_get_addr(mailbox) + ">";
        }
        return text;
    }
};

Parsed parse(const std::string& text) {
    g_mime_init();
    GMimeStream* stream = g_mime_stream_mem_new_with_buffer(text.data(), text.size());
    GMimeParser* parser = g_mime_parser_new_with_stream(stream);
    Parsed parsed;
    parsed.message.reset(g_mime_parser_construct_message(parser, nullptr));
    g_object_unref(parser);
    g_object_unref(stream);
    return parsed;
}

std::string contentType(GMimeObject* part) {
    GMimeContentType* type = g_mime_object_get_content_type(part);
    return std::string(g_mime_content_type_get_media_type(type)) + "/" +
           g_mime_content_type_get_media_subtype(type);
}

// The decoded content of a leaf part.
std::string contentOf(GMimeObject* part) {
    GMimeDataWrapper* wrapper = g_mime_part_get_content(GMIME_PART(part));
    GMimeStream* out = g_mime_stream_mem_new();
    g_mime_data_wrapper_write_to_stream(wrapper, out);
    GByteArray* bytes = g_mime_stream_mem_get_byte_array(GMIME_STREAM_MEM(out));
    std::string content(reinterpret_cast<const char*>(bytes->data), bytes->len);
    g_object_unref(out);
    return content;
}

// "multipart/mixed(multipart/alternative(text/plain,text/calendar),application/pdf)".
std::string structureOf(GMimeObject* part) {
    std::string text = contentType(part);
    if (!GMIME_IS_MULTIPART(part)) return text;
    text += "(";
    for (int i = 0; i < g_mime_multipart_get_count(GMIME_MULTIPART(part)); ++i)
        text += (i ? "," : "") + structureOf(g_mime_multipart_get_part(GMIME_MULTIPART(part), i));
    return text + ")";
}

GMimeObject* findPart(GMimeObject* part, const std::string& type) {
    if (contentType(part) == type) return part;
    if (!GMIME_IS_MULTIPART(part)) return nullptr;
    for (int i = 0; i < g_mime_multipart_get_count(GMIME_MULTIPART(part)); ++i)
        if (GMimeObject* found =
                findPart(g_mime_multipart_get_part(GMIME_MULTIPART(part), i), type))
            return found;
    return nullptr;
}

class SmtpDelivery : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(received());
        fs::create_directories(temp.path() / "home");
        fs::create_directories(temp.path() / "config" / "msmtp");
        port = freePort();
        const fs::path config = temp.path() / "config" / "msmtp" / "config";
        std::ofstream(config) << "account default\nhost 127.0.0.1\nport " << port
                              << "\nfrom jo@example.org\nauth off\ntls off\n";
        fs::permissions(config, fs::perms::owner_read | fs::perms::owner_write);
        startServer();
        ASSERT_EQ(runCommand(store("add-contact --first Ann --last Lee --email ann@example.com"))
                      .exitCode,
                  0);
        ASSERT_EQ(runCommand(store("add-contact --first Bob --last Smith --email bob@example.com"))
                      .exitCode,
                  0);
        ASSERT_EQ(runCommand(store("mail --from 'Jo Wise <jo@example.org>'")).exitCode, 0);
    }
    void TearDown() override { stopServer(); }

    void startServer() {
        server = ::fork();
        if (server == 0) {
            ::execl("/usr/bin/python3", "python3", JOTWISE_SMTP_SINK, std::to_string(port).c_str(),
                    received().c_str(), nullptr);
            _exit(127);
        }
        for (int i = 0; i < 200 && !fs::exists(received() / "ready"); ++i)
            std::this_thread::sleep_for(50ms);
        ASSERT_TRUE(fs::exists(received() / "ready")) << "the SMTP server did not start";
    }
    void stopServer() {
        if (server <= 0) return;
        ::kill(server, SIGTERM);
        ::waitpid(server, nullptr, 0);
        server = 0;
        fs::remove(received() / "ready");
    }

    fs::path received() const { return temp.path() / "received"; }
    std::string run(const std::string& program, const std::string& args) const {
        const fs::path t = temp.path();
        return "HOME=" + shellQuote((t / "home").string()) +
               " XDG_CONFIG_HOME=" + shellQuote((t / "config").string()) +
               " XDG_DATA_HOME=" + shellQuote((t / "data").string()) + " " + shellQuote(program) +
               " " + args;
    }
    std::string add(const std::string& args) const {
        return run(JOTWISE_PROGRAM_PATH, "add " + args);
    }
    std::string store(const std::string& args) const { return run(JOTWISE_STORE_PATH, args); }

    // The received messages by subject.
    std::map<std::string, std::string> messages() const {
        std::map<std::string, std::string> bySubject;
        for (const auto& entry : fs::directory_iterator(received())) {
            if (entry.path().extension() != ".eml") continue;
            const std::string text = fileText(entry.path());
            bySubject[parse(text).header("Subject")] = text;
        }
        return bySubject;
    }
    std::size_t receivedCount() const { return messages().size(); }

    jotwise::testing::TempFolder temp{"jotwise-smtp"};
    int port = 0;
    pid_t server = 0;
};

TEST_F(SmtpDelivery, MailATaskRequestWithAFileAndAMeetingRequestArriveAsCorrectMessages) {
    const fs::path figures = temp.path() / "figures.bin";
    std::string bytes("budget\0\xff\x01 figures \xc3\xa9\r\n", 21);
    for (int i = 0; i < 200; ++i)
        bytes += static_cast<char>(i);
    std::ofstream(figures, std::ios::binary) << bytes;

    const auto mail =
        runCommand(add("--type mail --to 'Ann Lee' --cc 'Bob Smith' the figures are in"));
    ASSERT_EQ(mail.exitCode, 0) << mail.out;
    EXPECT_NE(mail.out.find("sent: Ann Lee <ann@example.com>, Bob Smith <bob@example.com>"),
              std::string::npos)
        << mail.out;
    const auto task = runCommand(add("--to 'Ann Lee' --attach " + shellQuote(figures.string()) +
                                     " send the budget figures"));
    ASSERT_EQ(task.exitCode, 0) << task.out;
    const auto meeting =
        runCommand(add("--json --to 'Ann Lee' --cc 'Bob Smith' budget review tomorrow at 10am"));
    ASSERT_EQ(meeting.exitCode, 0) << meeting.out;
    EXPECT_NE(meeting.out.find("\"delivery\":{\"sent\":true"), std::string::npos) << meeting.out;
    EXPECT_EQ(runCommand(store("items Outbox")).out, "");

    const auto all = messages();
    ASSERT_EQ(all.size(), 3u);

    // A mail message: one text part, the headers as written.
    const Parsed plain = parse(all.at("the figures are in"));
    ASSERT_TRUE(plain.message);
    EXPECT_EQ(plain.addresses(GMIME_ADDRESS_TYPE_FROM), "Jo Wise <jo@example.org>");
    EXPECT_EQ(plain.addresses(GMIME_ADDRESS_TYPE_TO), "Ann Lee <ann@example.com>");
    EXPECT_EQ(plain.addresses(GMIME_ADDRESS_TYPE_CC), "Bob Smith <bob@example.com>");
    EXPECT_FALSE(plain.header("Message-ID").empty());
    EXPECT_FALSE(plain.header("Date").empty());
    EXPECT_EQ(structureOf(g_mime_message_get_mime_part(plain.message.get())), "text/plain");
    for (const char* rcpt : {"ann@example.com", "bob@example.com"})
        EXPECT_NE(fileText(received() / "1.rcpt").find(rcpt), std::string::npos);

    // A task request: the invitation beside the text, and the file, byte for byte.
    const Parsed request = parse(all.at("send the budget figures"));
    ASSERT_TRUE(request.message);
    GMimeObject* body = g_mime_message_get_mime_part(request.message.get());
    EXPECT_EQ(structureOf(body),
              "multipart/mixed(multipart/alternative(text/plain,text/calendar),"
              "application/octet-stream)");
    GMimeObject* attached = findPart(body, "application/octet-stream");
    ASSERT_TRUE(attached);
    EXPECT_STREQ(g_mime_part_get_filename(GMIME_PART(attached)), "figures.bin");
    EXPECT_EQ(contentOf(attached), bytes);
    const std::string todo = contentOf(findPart(body, "text/calendar"));
    EXPECT_NE(todo.find("BEGIN:VTODO"), std::string::npos) << todo;
    EXPECT_NE(todo.find("METHOD:REQUEST"), std::string::npos) << todo;

    // A meeting request: an iCalendar request the recipients' programs can answer.
    const Parsed invitation = parse(all.at("budget review tomorrow at 10am"));
    ASSERT_TRUE(invitation.message);
    body = g_mime_message_get_mime_part(invitation.message.get());
    EXPECT_EQ(structureOf(body), "multipart/alternative(text/plain,text/calendar)");
    GMimeObject* calendarPart = findPart(body, "text/calendar");
    EXPECT_STREQ(g_mime_object_get_content_type_parameter(calendarPart, "method"), "REQUEST");
    icalcomponent* calendar = icalparser_parse_string(contentOf(calendarPart).c_str());
    ASSERT_TRUE(calendar);
    EXPECT_EQ(icalcomponent_get_method(calendar), ICAL_METHOD_REQUEST);
    icalcomponent* event = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT);
    ASSERT_TRUE(event);
    const std::size_t at = meeting.out.find("\"entryId\":\"") + 11;
    const std::string entryId = meeting.out.substr(at, meeting.out.find('"', at) - at);
    EXPECT_EQ(icalcomponent_get_uid(event),
              outlook::local::mirror::uidOf(*mapi::FBinFromHex(entryId)));
    icalproperty* organizer = icalcomponent_get_first_property(event, ICAL_ORGANIZER_PROPERTY);
    ASSERT_TRUE(organizer);
    EXPECT_STREQ(icalproperty_get_organizer(organizer), "mailto:jo@example.org");
    std::map<std::string, std::string> roles;
    for (icalproperty* attendee = icalcomponent_get_first_property(event, ICAL_ATTENDEE_PROPERTY);
         attendee; attendee = icalcomponent_get_next_property(event, ICAL_ATTENDEE_PROPERTY)) {
        icalparameter* role = icalproperty_get_first_parameter(attendee, ICAL_ROLE_PARAMETER);
        icalparameter* rsvp = icalproperty_get_first_parameter(attendee, ICAL_RSVP_PARAMETER);
        EXPECT_TRUE(rsvp && icalparameter_get_rsvp(rsvp) == ICAL_RSVP_TRUE);
        roles[icalproperty_get_attendee(attendee)] =
            role ? icalparameter_enum_to_string(icalparameter_get_role(role)) : "";
    }
    EXPECT_EQ(roles,
              (std::map<std::string, std::string>{{"mailto:ann@example.com", "REQ-PARTICIPANT"},
                                                  {"mailto:bob@example.com", "OPT-PARTICIPANT"}}));
    // Tomorrow at 10:00 here, written in UTC.
    const icaltimetype start = icalcomponent_get_dtstart(event);
    EXPECT_TRUE(icaltime_is_utc(start));
    std::time_t now = std::time(nullptr);
    std::tm tomorrow = *std::localtime(&now);
    tomorrow.tm_mday += 1;
    tomorrow.tm_hour = 10;
    tomorrow.tm_min = tomorrow.tm_sec = 0;
    tomorrow.tm_isdst = -1;
    EXPECT_EQ(icaltime_as_timet_with_zone(start, icaltimezone_get_utc_timezone()),
              std::mktime(&tomorrow));
    EXPECT_EQ(icalcomponent_get_sequence(event), 0);
    icalcomponent_free(calendar);
}

TEST_F(SmtpDelivery, WhatWaitsWhileTheServerIsDownGoesOutOnceItIsUp) {
    stopServer();
    const auto queued = runCommand(add("--type mail --to 'Ann Lee' the figures are in"));
    EXPECT_EQ(queued.exitCode, 4) << queued.out;
    EXPECT_NE(queued.out.find("queued: msmtp: cannot connect to 127.0.0.1"), std::string::npos)
        << queued.out;
    const std::string outbox = runCommand(store("items Outbox")).out;
    EXPECT_NE(outbox.find("the figures are in"), std::string::npos) << outbox;

    EXPECT_EQ(runCommand(store("send-outbox")).exitCode, 4);
    startServer();
    const auto sent = runCommand(store("send-outbox"));
    EXPECT_EQ(sent.exitCode, 0) << sent.out;
    EXPECT_NE(sent.out.find("sent: \u201Cthe figures are in\u201D (message) to Ann Lee"),
              std::string::npos)
        << sent.out;
    EXPECT_EQ(runCommand(store("send-outbox")).out, "");
    EXPECT_EQ(receivedCount(), 1u);
    EXPECT_EQ(runCommand(store("items Outbox")).out, "");
    EXPECT_NE(runCommand(store("items 'Sent Items'")).out.find("the figures are in"),
              std::string::npos);
}

TEST_F(SmtpDelivery, WithNoWayToSendTheItemWaitsAndTheCommandSaysWhere) {
    if (fs::exists("/usr/sbin/sendmail")) GTEST_SKIP() << "this machine has /usr/sbin/sendmail";
    fs::remove(temp.path() / "config" / "msmtp" / "config");
    const auto queued = runCommand(add("--type mail --to 'Ann Lee' the figures are in 2>&1"));
    EXPECT_EQ(queued.exitCode, 4) << queued.out;
    EXPECT_NE(queued.out.find("queued: no way to send mail is set up"), std::string::npos)
        << queued.out;
    EXPECT_NE(queued.out.find("Not sent yet: no way to send mail is set up. The message waits in "
                              "the Outbox and goes out once mail is set up; see Help, Sending "
                              "mail."),
              std::string::npos)
        << queued.out;
    EXPECT_NE(runCommand(store("items Outbox")).out.find("the figures are in"), std::string::npos);
    EXPECT_EQ(receivedCount(), 0u);
}

}  // namespace

#endif  // JOTWISE_PROGRAM_PATH
