#include "note_corpus.h"

#include <cstddef>

const char* const kLongNote =
    "Please Ann send the revised budget figures to the marketing team and book the large "
    "meeting room; every other tuesday from 2-4pm starting next week we review the Q3 plan, "
    "the hiring status and the open supplier contracts. Bring last month's report, the "
    "draft slides and coffee for twelve people. fyi Bob";

std::vector<std::string> noteCorpus() {
    static const char* const subjects[] = {
        "lunch with Ann",
        "call the bank about the mortgage",
        "dentist appointment",
        "send the budget to finance",
        "team meeting",
        "pick up the kids from school",
        "review the contract draft",
        "pay the electricity bill",
        "book flights to Berlin",
        "quarterly planning session",
        "renew the car insurance",
        "water the plants",
        "prepare slides for the board",
        "O'Brien's farewell party",
        "gym",
        "submit the expense report",
        "ask Bob about the 3pm review",
        "order printer toner",
        "follow up with the supplier",
        "write the release notes",
    };
    static const char* const whens[] = {
        "tomorrow at noon",
        "on friday at 3pm",
        "next tuesday 10:30am",
        "4/20",
        "march 15th 2027",
        "the 3rd of may",
        "in 2 weeks",
        "3 days after tomorrow",
        "every other tuesday",
        "every weekday at 9am",
        "second monday in june",
        "last friday of every month",
        "between 1pm and 3pm today",
        "2-4pm",
        "9am to 5",
        "this evening",
        "every 3 months",
        "mondays",
        "the 31st of every month",
        "within three days",
        "",
        "12/24 at midnight",
        "sat",
        "first monday every month",
        "2 weeks from friday",
        "tonight 8pm",
        "20 april 99",
    };
    std::vector<std::string> notes;
    const std::size_t subjectCount = std::size(subjects), whenCount = std::size(whens);
    for (std::size_t i = 0; i < 120; ++i) {
        std::string note = subjects[i % subjectCount];
        const char* when = whens[(i * 7) % whenCount];
        if (*when) note = i % 3 == 0 ? std::string(when) + " " + note : note + " " + when;
        notes.push_back(note);
    }
    return notes;
}
