#include "outlook/local/transport/mime_message.h"

#include <algorithm>
#include <chrono>
#include <stdexcept>
#include <vector>

#include "outlook/local/transport/attachment_type.h"
#include "outlook/local/transport/gmime_support.h"
#include "outlook/local/transport/mail_text.h"
#include "platform/text.h"
#include "platform/utf8_text.h"

namespace outlook::local::transport {

namespace {

constexpr const char* kCharset = "utf-8";

using ObjectPtr = GObjectPtr<GMimeObject>;

std::string upperCase(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

ObjectPtr asObject(GMimePart* part) {
    return ObjectPtr(GMIME_OBJECT(part));
}

// Gives the part its content, which GMime encodes as the part's transfer encoding says.
void setContent(GMimePart* part, const std::string& bytes) {
    GObjectPtr<GMimeStream> stream(g_mime_stream_mem_new_with_buffer(bytes.data(), bytes.size()));
    GObjectPtr<GMimeDataWrapper> content(
        g_mime_data_wrapper_new_with_stream(stream.get(), GMIME_CONTENT_ENCODING_DEFAULT));
    g_mime_part_set_content(part, content.get());
}

// A text part in UTF-8. The text goes in as it is (GMime's own text setter would convert it
// to a narrower character set); GMime then picks 7bit for short ASCII lines, base64 for
// text that is mostly not ASCII, and quoted-printable for the rest.
ObjectPtr textPart(const char* subtype, const std::string& text) {
    GMimeTextPart* part = g_mime_text_part_new_with_subtype(subtype);
    ObjectPtr owned(GMIME_OBJECT(part));
    setContent(GMIME_PART(part), text);
    g_mime_text_part_set_charset(part, kCharset);
    GMimeContentEncoding encoding =
        g_mime_part_get_best_content_encoding(GMIME_PART(part), GMIME_ENCODING_CONSTRAINT_7BIT);
    // Said outright, so that no reader has to assume it.
    if (encoding == GMIME_CONTENT_ENCODING_DEFAULT) encoding = GMIME_CONTENT_ENCODING_7BIT;
    g_mime_part_set_content_encoding(GMIME_PART(part), encoding);
    return owned;
}

// The METHOD the calendar itself gives, upper case; "" when it has none.
std::string methodInCalendar(const std::string& calendar) {
    std::size_t line = 0;
    while (line < calendar.size()) {
        const std::size_t end = std::min(calendar.find('\n', line), calendar.size());
        std::string_view text(calendar.data() + line, end - line);
        if (text.size() > 7 && platform::equalsIgnoreCase(text.substr(0, 7), "METHOD:"))
            return upperCase(platform::trimmed(text.substr(7)));
        line = end + 1;
    }
    return {};
}

// The iCalendar method as a parameter value: letters, digits and "-", upper case, and the
// one the calendar gives, so that readers that look at either act the same.
std::string checkedMethod(const OutgoingMessage& message) {
    std::string method = upperCase(platform::trimmed(message.calendarMethod));
    if (method.empty()) method = "REQUEST";
    const bool word = std::all_of(method.begin(), method.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-';
    });
    if (!word)
        throw std::invalid_argument("'" + oneLine(message.calendarMethod) +
                                    "' is not a calendar method");
    const std::string inCalendar = methodInCalendar(message.calendar);
    if (!inCalendar.empty() && inCalendar != method)
        throw std::invalid_argument("The message's calendar method is " + method +
                                    " but its calendar says " + oneLine(inCalendar));
    return method;
}

ObjectPtr calendarPart(const OutgoingMessage& message) {
    const std::string method = checkedMethod(message);
    ObjectPtr part = textPart("calendar", partText(message.calendar));
    // The method comes before the charset, where calendar programs look for it.
    GMimeContentType* type = g_mime_object_get_content_type(part.get());
    GMimeParamList* params = g_mime_content_type_get_parameters(type);
    g_mime_param_list_clear(params);
    g_mime_content_type_set_parameter(type, "method", method.c_str());
    g_mime_content_type_set_parameter(type, "charset", kCharset);
    return part;
}

// A parameter written in UTF-8 when it needs encoding, rather than the narrowest set that
// holds it.
void inUtf8(GMimeParamList* params, const char* name) {
    if (GMimeParam* param = g_mime_param_list_get_parameter(params, name))
        g_mime_param_set_charset(param, kCharset);
}

ObjectPtr attachmentPart(const OutgoingAttachment& attachment) {
    const std::string fileName = attachmentFileName(attachment.fileName);
    const std::string type = attachmentType(fileName, attachment.mimeType);
    const std::size_t slash = type.find('/');
    ObjectPtr part = asObject(
        g_mime_part_new_with_type(type.substr(0, slash).c_str(), type.substr(slash + 1).c_str()));
    setContent(GMIME_PART(part.get()), attachment.bytes);
    g_mime_part_set_content_encoding(GMIME_PART(part.get()), GMIME_CONTENT_ENCODING_BASE64);
    // Text without a charset is read as ASCII; a UTF-8 file says what it is.
    if (type.starts_with("text/") && platform::isValidUtf8(attachment.bytes))
        g_mime_object_set_content_type_parameter(part.get(), "charset", kCharset);
    g_mime_object_set_disposition(part.get(), GMIME_DISPOSITION_ATTACHMENT);
    if (!fileName.empty()) {
        g_mime_part_set_filename(GMIME_PART(part.get()), fileName.c_str());
        inUtf8(g_mime_content_disposition_get_parameters(
                   g_mime_object_get_content_disposition(part.get())),
               "filename");
        inUtf8(g_mime_content_type_get_parameters(g_mime_object_get_content_type(part.get())),
               "name");
    }
    return part;
}

ObjectPtr multipart(const char* subtype, std::vector<ObjectPtr> parts) {
    ObjectPtr whole(GMIME_OBJECT(g_mime_multipart_new_with_subtype(subtype)));
    for (const auto& part : parts)
        g_mime_multipart_add(GMIME_MULTIPART(whole.get()), part.get());
    return whole;
}

ObjectPtr bodyOf(const OutgoingMessage& message) {
    ObjectPtr body = textPart("plain", partText(message.body));
    if (!message.calendar.empty()) {
        std::vector<ObjectPtr> alternatives;
        alternatives.push_back(std::move(body));
        alternatives.push_back(calendarPart(message));
        body = multipart("alternative", std::move(alternatives));
    }
    if (message.attachments.empty()) return body;
    std::vector<ObjectPtr> parts;
    parts.push_back(std::move(body));
    for (const auto& attachment : message.attachments)
        parts.push_back(attachmentPart(attachment));
    return multipart("mixed", std::move(parts));
}

void addMailbox(GMimeMessage* mime, GMimeAddressType field, const MailAddress& mailbox) {
    const std::string address = checkedAddress(mailbox.address);
    GObjectPtr<InternetAddress> entry(
        internet_address_mailbox_new(oneLine(mailbox.name).c_str(), address.c_str()));
    internet_address_set_charset(entry.get(), kCharset);
    internet_address_list_add(g_mime_message_get_addresses(mime, field), entry.get());
}

// The date in the local time zone, as mail programs write it.
void setDate(GMimeMessage* mime, std::chrono::system_clock::time_point date) {
    const auto seconds = std::chrono::floor<std::chrono::seconds>(date.time_since_epoch());
    GDateTime* local = g_date_time_new_from_unix_local(seconds.count());
    if (!local) throw std::invalid_argument("The message's date is out of range");
    g_mime_message_set_date(mime, local);
    g_date_time_unref(local);
}

}  // namespace

std::string mimeMessageText(const OutgoingMessage& message) {
    if (message.to.empty() && message.cc.empty())
        throw std::invalid_argument("The message has no recipients");
    ensureGMimeInitialised();

    GObjectPtr<GMimeMessage> mime(g_mime_message_new(TRUE));
    if (message.from) addMailbox(mime.get(), GMIME_ADDRESS_TYPE_FROM, *message.from);
    for (const auto& to : message.to)
        addMailbox(mime.get(), GMIME_ADDRESS_TYPE_TO, to);
    for (const auto& cc : message.cc)
        addMailbox(mime.get(), GMIME_ADDRESS_TYPE_CC, cc);
    g_mime_message_set_subject(mime.get(), oneLine(message.subject).c_str(), kCharset);
    setDate(mime.get(), message.date);
    g_mime_message_set_message_id(mime.get(), checkedMessageId(message.messageId).c_str());
    g_mime_message_set_mime_part(mime.get(), bodyOf(message).get());

    GMimeFormatOptions* options = g_mime_format_options_new();
    g_mime_format_options_set_newline_format(options, GMIME_NEWLINE_FORMAT_UNIX);
    GCharPtr text(g_mime_object_to_string(GMIME_OBJECT(mime.get()), options));
    g_mime_format_options_free(options);
    if (!text || !*text) throw std::runtime_error("GMime could not write the message");
    return text.get();
}

}  // namespace outlook::local::transport
