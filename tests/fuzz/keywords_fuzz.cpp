// Splits arbitrary bytes as a line of the keywords file, and writes arbitrary fields as a
// line: whatever a line holds, splitting must not fail, and a line the writer accepts must
// stay one line and split back into exactly the fields it was written from.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "keywords/keywords_line.h"

namespace {

using keywords::KeywordsLine;

void require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "keywords_fuzz: %s\n", what);
        std::abort();
    }
}

bool hasNul(const KeywordsLine& line) {
    for (const std::string* field : {&line.keyword, &line.project, &line.list, &line.contact})
        if (field->find('\0') != std::string::npos) return true;
    return false;
}

// A line the writer accepts is one line of the file and reads back as it was written.
void requireRoundTrip(const KeywordsLine& fields) {
    if (!keywords::isWritable(fields)) return;
    const std::string text = keywords::writeLine(fields);
    require(text.find('\n') == text.size() - 1, "a written line holds one line feed, at its end");
    require(keywords::splitLine(text) == fields, "round trip");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const KeywordsLine split = keywords::splitLine(bytes);
    require(!hasNul(split), "a field read holds a NUL");
    requireRoundTrip(split);

    FuzzedDataProvider provider(data, size);
    KeywordsLine written;
    for (std::string* field : {&written.keyword, &written.project, &written.list, &written.contact})
        *field = provider.ConsumeRandomLengthString(size);
    requireRoundTrip(written);
    return 0;
}
