#include "outlook/local/transport/mime_message.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "outlook/local/transport/gmime_support.h"

namespace outlook::local::transport {
namespace {

using namespace std::chrono;

// The message as a reader gets it, through GMime's parser.
GObjectPtr<GMimeMessage> parsed(const std::string& text) {
    ensureGMimeInitialised();
    GObjectPtr<GMimeStream> stream(g_mime_stream_mem_new_with_buffer(text.data(), text.size()));
    GObjectPtr<GMimeParser> parser(g_mime_parser_new_with_stream(stream.get()));
    GObjectPtr<GMimeMessage> message(g_mime_parser_construct_message(parser.get(), nullptr));
    EXPECT_TRUE(message) << text;
    return message;
}

struct Mailbox {
    std::string name, address;
    bool operator==(const Mailbox&) const = default;
};

std::vector<Mailbox> mailboxes(GMimeMessage* message, GMimeAddressType type) {
    std::vector<Mailbox> out;
    InternetAddressList* list = g_mime_message_get_addresses(message, type);
    for (int i = 0; i < internet_address_list_length(list); ++i) {
        InternetAddress* address = internet_address_list_get_address(list, i);
        const char* name = internet_address_get_name(address);
        out.push_back({name ? name : "",
                       internet_address_mailbox_get_addr(INTERNET_ADDRESS_MAILBOX(address))});
    }
    return out;
}

std::string mimeType(GMimeObject* part) {
    GCharPtr type(g_mime_content_type_get_mime_type(g_mime_object_get_content_type(part)));
    return type.get();
}

std::string typeParameter(GMimeObject* part, const char* name) {
    const char* value = g_mime_object_get_content_type_parameter(part, name);
    return value ? value : "(none)";
}

// The decoded content of a leaf part.
std::string contentOf(GMimeObject* part) {
    GObjectPtr<GMimeStream> out(g_mime_stream_mem_new());
    g_mime_data_wrapper_write_to_stream(g_mime_part_get_content(GMIME_PART(part)), out.get());
    GByteArray* bytes = g_mime_stream_mem_get_byte_array(GMIME_STREAM_MEM(out.get()));
    return std::string(reinterpret_cast<const char*>(bytes->data), bytes->len);
}

std::vector<GMimeObject*> childrenOf(GMimeObject* multipart) {
    std::vector<GMimeObject*> parts;
    for (int i = 0; i < g_mime_multipart_get_count(GMIME_MULTIPART(multipart)); ++i)
        parts.push_back(g_mime_multipart_get_part(GMIME_MULTIPART(multipart), i));
    return parts;
}

OutgoingMessage plainMessage() {
    OutgoingMessage message;
    message.from = MailAddress{"Ann Lee", "ann@example.org"};
    message.to = {{"Bob Stone", "bob@example.org"}, {"", "carol@example.org"}};
    message.cc = {{"Dan", "dan@example.net"}};
    message.subject = "Budget review";
    message.body = "Hello,\nsee you at nine.\n";
    message.date = sys_days(2026y / 12 / 8) + 10h + 30min + 15s;
    message.messageId = "<20261208.1@example.org>";
    return message;
}

constexpr std::string_view kCalendar =
    "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//EN\r\nMETHOD:REQUEST\r\n"
    "BEGIN:VEVENT\r\nUID:abc\r\nDTSTAMP:20261208T100000Z\r\nDTSTART:20261209T140000Z\r\n"
    "SUMMARY:Caf\xC3\xA9 review\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";

TEST(MimeMessage, APlainMessageHasItsHeadersAndOneTextPart) {
    const OutgoingMessage message = plainMessage();
    const std::string text = mimeMessageText(message);
    EXPECT_EQ(text.find('\r'), std::string::npos) << "lines end in LF alone";
    auto mime = parsed(text);
    ASSERT_TRUE(mime);
    EXPECT_EQ(mailboxes(mime.get(), GMIME_ADDRESS_TYPE_FROM),
              (std::vector<Mailbox>{{"Ann Lee", "ann@example.org"}}));
    EXPECT_EQ(mailboxes(mime.get(), GMIME_ADDRESS_TYPE_TO),
              (std::vector<Mailbox>{{"Bob Stone", "bob@example.org"}, {"", "carol@example.org"}}));
    EXPECT_EQ(mailboxes(mime.get(), GMIME_ADDRESS_TYPE_CC),
              (std::vector<Mailbox>{{"Dan", "dan@example.net"}}));
    EXPECT_STREQ(g_mime_message_get_subject(mime.get()), "Budget review");
    EXPECT_STREQ(g_mime_message_get_message_id(mime.get()), "20261208.1@example.org");
    EXPECT_EQ(g_date_time_to_unix(g_mime_message_get_date(mime.get())),
              duration_cast<seconds>(message.date.time_since_epoch()).count());
    EXPECT_STREQ(g_mime_object_get_header(GMIME_OBJECT(mime.get()), "MIME-Version"), "1.0");

    GMimeObject* body = g_mime_message_get_mime_part(mime.get());
    EXPECT_EQ(mimeType(body), "text/plain");
    EXPECT_EQ(typeParameter(body, "charset"), "utf-8");
    EXPECT_EQ(g_mime_part_get_content_encoding(GMIME_PART(body)), GMIME_CONTENT_ENCODING_7BIT);
    EXPECT_EQ(contentOf(body), message.body);

    // Without a sender of its own, the mail command supplies one; Cc only when there is one.
    OutgoingMessage bare = plainMessage();
    bare.from.reset();
    bare.cc.clear();
    const std::string bareText = mimeMessageText(bare);
    EXPECT_EQ(bareText.find("From:"), std::string::npos);
    EXPECT_EQ(bareText.find("Cc:"), std::string::npos);
}

TEST(MimeMessage, NonAsciiAndQuotedTextRoundTrips) {
    OutgoingMessage message = plainMessage();
    message.from = MailAddress{"Zo\xC3\xAB M\xC3\xBCller", "zoe@example.org"};
    message.to = {{"Lee, \"Ann\" (work)", "ann@example.org"}};
    message.subject = "R\xC3\xA9sum\xC3\xA9 \xE2\x80\x94 \xE6\x97\xA5\xE6\x9C\xAC";
    message.body =
        "Viele Gr\xC3\xBC\xC3\x9F"
        "e\r\nund vielen Dank f\xC3\xBCr alles, bis bald im neuen Jahr\r\n";
    const std::string text = mimeMessageText(message);
    // Headers travel as ASCII, the non-ASCII text encoded.
    const std::string headers = text.substr(0, text.find("\n\n"));
    EXPECT_TRUE(std::all_of(headers.begin(), headers.end(), [](unsigned char c) {
        return c < 0x80;
    })) << headers;
    auto mime = parsed(text);
    ASSERT_TRUE(mime);
    EXPECT_EQ(mailboxes(mime.get(), GMIME_ADDRESS_TYPE_FROM),
              (std::vector<Mailbox>{{"Zo\xC3\xAB M\xC3\xBCller", "zoe@example.org"}}));
    EXPECT_EQ(mailboxes(mime.get(), GMIME_ADDRESS_TYPE_TO),
              (std::vector<Mailbox>{{"Lee, \"Ann\" (work)", "ann@example.org"}}));
    EXPECT_EQ(std::string(g_mime_message_get_subject(mime.get())), message.subject);
    // Mostly ASCII, so quoted-printable (GMime takes base64 for text mostly of other letters).
    GMimeObject* body = g_mime_message_get_mime_part(mime.get());
    EXPECT_EQ(g_mime_part_get_content_encoding(GMIME_PART(body)),
              GMIME_CONTENT_ENCODING_QUOTEDPRINTABLE);
    // Line breaks are LF on this side; the mail command sends them as CRLF.
    EXPECT_EQ(contentOf(body),
              "Viele Gr\xC3\xBC\xC3\x9F"
              "e\nund vielen Dank f\xC3\xBCr alles, bis bald im neuen Jahr\n");
}

TEST(MimeMessage, LineBreaksInSubjectsAndNamesNeverStartAHeader) {
    OutgoingMessage message = plainMessage();
    message.subject = "Hi\r\nBcc: eve@example.org";
    message.from = MailAddress{"Ann\nBcc: eve@example.org", "ann@example.org"};
    message.to = {{"Bob\r\n\r\nbody", "bob@example.org"}};
    const std::string text = mimeMessageText(message);
    EXPECT_EQ(text.find("\nBcc:"), std::string::npos) << text;
    EXPECT_EQ(text.find("\n\nbody"), std::string::npos) << text;
    auto mime = parsed(text);
    ASSERT_TRUE(mime);
    EXPECT_STREQ(g_mime_message_get_subject(mime.get()), "Hi Bcc: eve@example.org");
    EXPECT_EQ(mailboxes(mime.get(), GMIME_ADDRESS_TYPE_FROM),
              (std::vector<Mailbox>{{"Ann Bcc: eve@example.org", "ann@example.org"}}));
    EXPECT_EQ(mailboxes(mime.get(), GMIME_ADDRESS_TYPE_TO),
              (std::vector<Mailbox>{{"Bob body", "bob@example.org"}}));
    EXPECT_EQ(mailboxes(mime.get(), GMIME_ADDRESS_TYPE_BCC), std::vector<Mailbox>{});

    // An address is one address or nothing: the mail command reads recipients from these.
    for (const char* address : {"bob@example.org\r\nBcc: eve@example.org", "bob@example.org, eve@x",
                                "Bob <bob@example.org>", "bob @example.org", ""}) {
        OutgoingMessage bad = plainMessage();
        bad.to = {{"Bob", address}};
        EXPECT_THROW(mimeMessageText(bad), std::invalid_argument) << address;
    }
}

TEST(MimeMessage, MessagesThatCannotBeSentAreRefusedWithAReason) {
    OutgoingMessage nobody = plainMessage();
    nobody.to.clear();
    nobody.cc.clear();
    EXPECT_THROW(mimeMessageText(nobody), std::invalid_argument);
    for (const char* id : {"", "<>", "<a b@example.org>", "<a@example.org>\nBcc: x"}) {
        OutgoingMessage bad = plainMessage();
        bad.messageId = id;
        EXPECT_THROW(mimeMessageText(bad), std::invalid_argument) << id;
    }
    OutgoingMessage badMethod = plainMessage();
    badMethod.calendar = kCalendar;
    badMethod.calendarMethod = "REQUEST\r\nX: y";
    EXPECT_THROW(mimeMessageText(badMethod), std::invalid_argument);
    // A Message-ID without its brackets is taken as it is.
    OutgoingMessage bare = plainMessage();
    bare.messageId = "1@example.org";
    auto mime = parsed(mimeMessageText(bare));
    ASSERT_TRUE(mime);
    EXPECT_STREQ(g_mime_message_get_message_id(mime.get()), "1@example.org");
}

TEST(MimeMessage, AttachmentsComeBackByteForByteWithNameAndType) {
    OutgoingMessage message = plainMessage();
    const std::string binary("\x00\x01\xFF\xFE\r\n\x80 end\x00", 12);
    message.attachments = {{"Pr\xC3\xBC"
                            "fbericht M\xC3\xA4rz, final.PDF",
                            "", binary},
                           {"/home/ann/notes.txt", "Text/Plain", "one\ntwo\n"},
                           {"data", "not a type\r\nX-Evil: 1", "x"}};
    const std::string text = mimeMessageText(message);
    EXPECT_EQ(text.find("\nX-Evil"), std::string::npos);
    // A non-ASCII file name goes out as an extended parameter, percent-encoded UTF-8.
    EXPECT_NE(text.find("filename*=UTF-8''Pr%C3%BCfbericht"), std::string::npos) << text;
    auto mime = parsed(text);
    ASSERT_TRUE(mime);
    GMimeObject* whole = g_mime_message_get_mime_part(mime.get());
    ASSERT_EQ(mimeType(whole), "multipart/mixed");
    const auto parts = childrenOf(whole);
    ASSERT_EQ(parts.size(), 4u);
    EXPECT_EQ(mimeType(parts[0]), "text/plain");
    EXPECT_EQ(contentOf(parts[0]), message.body);

    EXPECT_EQ(mimeType(parts[1]), "application/pdf");
    EXPECT_STREQ(g_mime_part_get_filename(GMIME_PART(parts[1])),
                 "Pr\xC3\xBC"
                 "fbericht M\xC3\xA4rz, final.PDF");
    EXPECT_EQ(g_mime_part_get_content_encoding(GMIME_PART(parts[1])),
              GMIME_CONTENT_ENCODING_BASE64);
    EXPECT_STREQ(g_mime_object_get_disposition(parts[1]), "attachment");
    EXPECT_EQ(contentOf(parts[1]), binary);

    // Only the file's name goes out, not the folders it was in.
    EXPECT_EQ(mimeType(parts[2]), "text/plain");
    EXPECT_STREQ(g_mime_part_get_filename(GMIME_PART(parts[2])), "notes.txt");
    EXPECT_EQ(typeParameter(parts[2], "charset"), "utf-8");
    EXPECT_EQ(contentOf(parts[2]), "one\ntwo\n");

    EXPECT_EQ(mimeType(parts[3]), "application/octet-stream");
    EXPECT_EQ(contentOf(parts[3]), "x");
}

TEST(MimeMessage, ACalendarIsAnAlternativeToTheTextAndAttachmentsComeBeside) {
    OutgoingMessage message = plainMessage();
    message.calendar = kCalendar;
    auto mime = parsed(mimeMessageText(message));
    ASSERT_TRUE(mime);
    GMimeObject* alternative = g_mime_message_get_mime_part(mime.get());
    ASSERT_EQ(mimeType(alternative), "multipart/alternative");
    auto parts = childrenOf(alternative);
    ASSERT_EQ(parts.size(), 2u);
    EXPECT_EQ(mimeType(parts[0]), "text/plain");
    EXPECT_EQ(contentOf(parts[0]), message.body);
    EXPECT_EQ(mimeType(parts[1]), "text/calendar");
    EXPECT_EQ(typeParameter(parts[1], "method"), "REQUEST");
    EXPECT_EQ(typeParameter(parts[1], "charset"), "utf-8");
    std::string calendar(kCalendar);
    std::erase(calendar, '\r');
    EXPECT_EQ(contentOf(parts[1]), calendar);

    // The part's method is the calendar's own.
    message.calendarMethod = "CANCEL";
    EXPECT_THROW(mimeMessageText(message), std::invalid_argument);
    message.calendar.replace(message.calendar.find("METHOD:REQUEST"), 14, "METHOD:CANCEL");
    message.calendarMethod = "cancel";
    message.attachments = {{"agenda.txt", "", "1. budget\n"}};
    mime = parsed(mimeMessageText(message));
    ASSERT_TRUE(mime);
    GMimeObject* mixed = g_mime_message_get_mime_part(mime.get());
    ASSERT_EQ(mimeType(mixed), "multipart/mixed");
    const auto outer = childrenOf(mixed);
    ASSERT_EQ(outer.size(), 2u);
    ASSERT_EQ(mimeType(outer[0]), "multipart/alternative");
    parts = childrenOf(outer[0]);
    ASSERT_EQ(parts.size(), 2u);
    EXPECT_EQ(mimeType(parts[0]), "text/plain");
    EXPECT_EQ(mimeType(parts[1]), "text/calendar");
    EXPECT_EQ(typeParameter(parts[1], "method"), "CANCEL");
    EXPECT_EQ(mimeType(outer[1]), "text/plain");
    EXPECT_STREQ(g_mime_part_get_filename(GMIME_PART(outer[1])), "agenda.txt");
    EXPECT_EQ(contentOf(outer[1]), "1. budget\n");
}

}  // namespace
}  // namespace outlook::local::transport
