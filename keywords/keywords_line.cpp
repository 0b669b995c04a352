#include "keywords/keywords_line.h"

#include <array>
#include <cstddef>

namespace keywords {
namespace {

constexpr char kQuote = '"';
constexpr char kComma = ',';

// Codes 1 to 32: blanks and control characters, which separate fields.
bool isBlank(char c) {
    const auto code = static_cast<unsigned char>(c);
    return code >= 1 && code <= 32;
}

bool needsQuotes(std::string_view field) {
    for (const char c : field)
        if (isBlank(c) || c == kQuote || c == kComma) return true;
    return false;
}

class FieldReader {
public:
    explicit FieldReader(std::string_view text) : text_(text) {}

    bool atEnd() const { return pos_ >= text_.size(); }

    void skipBlanks() {
        while (!atEnd() && isBlank(text_[pos_]))
            ++pos_;
    }

    // Skips a comma with the blanks after it; true when there was one.
    bool skipComma() {
        if (atEnd() || text_[pos_] != kComma) return false;
        ++pos_;
        skipBlanks();
        return true;
    }

    std::string field() {
        if (text_[pos_] == kQuote) return quoted();
        const std::size_t start = pos_;
        while (!atEnd() && !isBlank(text_[pos_]) && text_[pos_] != kComma)
            ++pos_;
        return std::string(text_.substr(start, pos_ - start));
    }

private:
    // From an opening quote to the next quote that is not doubled, or to the end.
    std::string quoted() {
        std::string result;
        ++pos_;
        while (!atEnd()) {
            const std::size_t quote = text_.find(kQuote, pos_);
            if (quote == std::string_view::npos) break;
            result.append(text_.substr(pos_, quote - pos_));
            pos_ = quote + 1;
            if (atEnd() || text_[pos_] != kQuote) return result;
            result += kQuote;
            ++pos_;
        }
        result.append(text_.substr(pos_));
        pos_ = text_.size();
        return result;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

}  // namespace

std::string quoteField(std::string_view field) {
    if (!needsQuotes(field)) return std::string(field);
    std::string quoted;
    quoted.reserve(field.size() + 2);
    quoted += kQuote;
    for (const char c : field) {
        if (c == kQuote) quoted += kQuote;
        quoted += c;
    }
    quoted += kQuote;
    return quoted;
}

std::string writeLine(const KeywordsLine& line) {
    std::string text = quoteField(line.keyword);
    for (const std::string* field : {&line.project, &line.list, &line.contact}) {
        text += kComma;
        text += quoteField(*field);
    }
    text += '\n';
    return text;
}

bool isWritable(const KeywordsLine& line) {
    for (const std::string* field : {&line.keyword, &line.project, &line.list, &line.contact})
        if (field->find_first_of(std::string_view("\n\0", 2)) != std::string::npos) return false;
    return true;
}

KeywordsLine splitLine(std::string_view line) {
    if (line.ends_with('\n')) {
        line.remove_suffix(1);
        if (line.ends_with('\r')) line.remove_suffix(1);
    }
    line = line.substr(0, line.find('\0'));

    std::array<std::string, 4> fields;
    std::size_t count = 0;
    const auto add = [&](std::string field) {
        if (count < fields.size()) fields[count++] = std::move(field);
    };
    FieldReader reader(line);
    reader.skipBlanks();
    while (!reader.atEnd() && count < fields.size()) {
        // At a comma the field read is empty: ",task" starts with an empty keyword.
        add(reader.field());
        reader.skipBlanks();
        if (reader.skipComma() && reader.atEnd()) add({});
    }
    return {std::move(fields[0]), std::move(fields[1]), std::move(fields[2]), std::move(fields[3])};
}

}  // namespace keywords
