#include "outlook/local/transport/attachment_type.h"

#include <algorithm>
#include <array>
#include <utility>

#include "platform/text.h"

namespace outlook::local::transport {

namespace {

constexpr std::string_view kUnknownType = "application/octet-stream";

// The files people attach most: documents, pictures, sound and video, archives, and the
// calendar and contact files the store itself exchanges.
constexpr std::array<std::pair<std::string_view, std::string_view>, 40> kTypesByExtension = {{
    {"7z", "application/x-7z-compressed"},
    {"avi", "video/x-msvideo"},
    {"bmp", "image/bmp"},
    {"csv", "text/csv"},
    {"doc", "application/msword"},
    {"docx", "application/vnd.openxmlformats-officedocument.wordprocessingml.document"},
    {"eml", "message/rfc822"},
    {"gif", "image/gif"},
    {"gz", "application/gzip"},
    {"heic", "image/heic"},
    {"htm", "text/html"},
    {"html", "text/html"},
    {"ics", "text/calendar"},
    {"jpeg", "image/jpeg"},
    {"jpg", "image/jpeg"},
    {"json", "application/json"},
    {"m4a", "audio/mp4"},
    {"md", "text/markdown"},
    {"mov", "video/quicktime"},
    {"mp3", "audio/mpeg"},
    {"mp4", "video/mp4"},
    {"odp", "application/vnd.oasis.opendocument.presentation"},
    {"ods", "application/vnd.oasis.opendocument.spreadsheet"},
    {"odt", "application/vnd.oasis.opendocument.text"},
    {"ogg", "audio/ogg"},
    {"pdf", "application/pdf"},
    {"png", "image/png"},
    {"ppt", "application/vnd.ms-powerpoint"},
    {"pptx", "application/vnd.openxmlformats-officedocument.presentationml.presentation"},
    {"rtf", "application/rtf"},
    {"svg", "image/svg+xml"},
    {"tar", "application/x-tar"},
    {"tif", "image/tiff"},
    {"tiff", "image/tiff"},
    {"txt", "text/plain"},
    {"vcf", "text/vcard"},
    {"wav", "audio/wav"},
    {"xls", "application/vnd.ms-excel"},
    {"xlsx", "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet"},
    {"zip", "application/zip"},
}};

std::string lowerCase(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), platform::lowerAscii);
    return out;
}

// A token as a MIME type or subtype may be: printable ASCII without blanks or the
// characters that separate parameters.
bool isToken(std::string_view text) {
    constexpr std::string_view kSpecials = "()<>@,;:\\\"/[]?=";
    return !text.empty() && std::all_of(text.begin(), text.end(), [&](unsigned char c) {
        return c > ' ' && c < 0x7F && kSpecials.find(static_cast<char>(c)) == std::string::npos;
    });
}

bool isPlainType(std::string_view type) {
    const std::size_t slash = type.find('/');
    return slash != std::string_view::npos && isToken(type.substr(0, slash)) &&
           isToken(type.substr(slash + 1));
}

std::string_view typeOfExtension(std::string_view fileName) {
    const std::size_t dot = fileName.rfind('.');
    if (dot == std::string_view::npos) return kUnknownType;
    const std::string extension = lowerCase(fileName.substr(dot + 1));
    for (const auto& [known, type] : kTypesByExtension)
        if (extension == known) return type;
    return kUnknownType;
}

}  // namespace

std::string attachmentType(std::string_view fileName, std::string_view mimeType) {
    const std::string_view given = platform::trimmed(mimeType);
    if (isPlainType(given)) return lowerCase(given);
    return std::string(typeOfExtension(fileName));
}

}  // namespace outlook::local::transport
