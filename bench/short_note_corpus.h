#pragma once

#include <string>
#include <vector>

// A keyword of the short-note corpus and its targets ("" for none).
struct ShortNoteKeyword {
    const char* alias;
    const char* list;
    const char* project;
    const char* contact;
};
extern const ShortNoteKeyword kShortNoteKeywords[18];

// Registers the lists, projects and contacts the keywords name, then the 18 keywords.
void registerShortNoteKeywords();

// 300 short notes of about 75 characters, as typed into the tray window: dates, times,
// ranges, recurrences, keywords, and notes addressed with "please" or "fyi".
std::vector<std::string> shortNoteCorpus();
