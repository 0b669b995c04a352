#include "short_note_corpus.h"

#include <cstddef>
#include <iterator>

#include "sentex.h"

const ShortNoteKeyword kShortNoteKeywords[18] = {
    {"ann", "", "", "CONTACT-ANN"},
    {"bob", "", "", "CONTACT-BOB"},
    {"carla", "", "", "CONTACT-CARLA"},
    {"dieter meyer", "", "", "CONTACT-DIETER"},
    {"eva", "Family", "", "CONTACT-EVA"},
    {"budget", "Finance", "", ""},
    {"bank", "Finance", "task", ""},
    {"dentist", "Health", "appointment", ""},
    {"gym", "Health", "", ""},
    {"call", "", "task", ""},
    {"meeting", "", "appointment", ""},
    {"team meeting", "Work", "appointment", ""},
    {"acme", "Clients", "", "CONTACT-ACME"},
    {"acme corp", "Key Accounts", "task", "CONTACT-ACME"},
    {"groceries", "Home", "task", ""},
    {"garden", "Home", "", ""},
    {"invoice", "Finance", "task", ""},
    {"release", "Work", "note", ""},
};

void registerShortNoteKeywords() {
    for (const char* list :
         {"Family", "Finance", "Health", "Work", "Clients", "Key Accounts", "Home"})
        Prs_AddList(list);
    for (const char* project : {"task", "appointment", "note"})
        Prs_AddProject(project);
    for (const char* contact : {"CONTACT-ANN", "CONTACT-BOB", "CONTACT-CARLA", "CONTACT-DIETER",
                                "CONTACT-EVA", "CONTACT-ACME"})
        Prs_AddContact(contact);
    for (const ShortNoteKeyword& k : kShortNoteKeywords)
        Prs_AddAlias(k.alias, k.list, k.project, k.contact);
}

std::vector<std::string> shortNoteCorpus() {
    // 60 subjects, 41 date and time phrases and 31 details: coprime counts, so that the
    // 300 combinations below are all different.
    static const char* const subjects[] = {
        "call the bank about the card",
        "dentist checkup and cleaning",
        "gym with eva",
        "team meeting",
        "send the invoice to acme corp",
        "buy groceries",
        "lunch with Carla",
        "review the budget",
        "water the garden",
        "call Dieter Meyer",
        "release notes for 2.4",
        "pick up the parcel",
        "Acme quarterly review",
        "book the car service",
        "Bob's birthday dinner",
        "meeting with the landlord",
        "pay the invoice",
        "Ann: finish the slides",
        "renew passport, photos at the post office",
        "school play, Eva plays the innkeeper",
        "call mum about the weekend",
        "fix the leaking tap",
        "draft the budget memo",
        "garden centre run",
        "coffee with a recruiter",
        "yoga class with Ann at the studio",
        "check the bank statement",
        "order new toner for the office printer",
        "flight to Lisbon",
        "vet appointment for Rex",
        "call acme about the contract",
        "team meeting prep",
        "return the library books",
        "plan the release party",
        "groceries and pharmacy",
        "Eva's parents' evening",
        "haircut at the place on the corner",
        "interview a candidate",
        "update the roadmap",
        "take out the recycling",
        "board meeting",
        "send bob the photos",
        "clean the gutters",
        "piano lesson for the little one",
        "submit timesheet for the acme project",
        "dentist for the kids",
        "weekly 1:1 with Ann",
        "tax return, gather the bank letters",
        "gym, leg day",
        "call the plumber",
        "sprint review and demo of the release",
        "buy a gift for Carla",
        "read the acme proposal",
        "invoice reminder",
        "car wash and vacuum the seats",
        "daily standup with the platform team",
        "garden waste collection",
        "renew the gym pass",
        "book a table for four",
        "budget sign-off",
    };
    static const char* const whens[] = {
        "tomorrow at 9",
        "on friday at 3pm",
        "next tuesday 10:30am",
        "4/20",
        "march 15th",
        "the 3rd of may",
        "in 2 weeks",
        "every other tuesday",
        "every weekday at 8am",
        "second monday in june",
        "last friday of every month",
        "between 1pm and 3pm",
        "2-4pm",
        "9am to 5",
        "tonight 7pm",
        "every 3 months",
        "mondays",
        "the 31st of every month",
        "within three days",
        "12/24 at noon",
        "sat",
        "first monday every month",
        "2 weeks from friday",
        "today 4:15pm",
        "20 april",
        "every day",
        "on the 14th",
        "this evening",
        "next week",
        "6/30/2027 at 11am",
        "thursday 2:30-3:30pm",
        "every year on 5 june",
        "wed at 10",
        "this friday",
        "noon",
        "in 3 days",
        "every 2 weeks on monday",
        "",
        "tomorrow morning",
        "jan 9 at 8:45",
        "from 10am to 11:30am",
    };
    static const char* const details[] = {
        "bring the signed forms and the old contract",
        "ask about parking at the back of the building",
        "remember the receipts from last month",
        "before the board sees the numbers",
        "and confirm by email to everyone",
        "room 4B on the second floor",
        "take the umbrella, rain is forecast",
        "needs the new figures from the sales team",
        "call ahead if running late",
        "print two copies of the agenda",
        "with the draft contract and the price list",
        "agenda is in the shared folder",
        "bring the laptop charger and the adapter",
        "check the opening hours first",
        "and book the next one while there",
        "don't forget the door code 4471",
        "ask for the loyalty discount",
        "update the spreadsheet afterwards",
        "pay by card, they take no cash",
        "meet at the main entrance near the lifts",
        "and send the minutes to the team",
        "keep it short, ten minutes at most",
        "if it doesn't rain, otherwise move it",
        "bring snacks for the kids",
        "about the Q3 numbers and the hiring plan",
        "use the side door on Elm Street",
        "and tidy up after the session",
        "costs about 40 euros, cash is fine",
        "ring the bell twice, the buzzer is broken",
        "with the whole team, lunch included",
        "we need a decision by the end of the day",
    };
    static const char* const people[] = {"ann", "bob", "carla", "eva", "dieter meyer"};

    std::vector<std::string> notes;
    for (std::size_t i = 0; i < 300; ++i) {
        const std::string subject = subjects[i % std::size(subjects)];
        const std::string when = whens[i * 7 % std::size(whens)];
        const std::string detail = i % 20 == 4 ? "" : details[i * 11 % std::size(details)];
        std::string note = i % 3 == 0 && !when.empty() ? when + " " + subject
                           : when.empty()              ? subject
                                                       : subject + " " + when;
        if (!detail.empty()) note += ", " + detail;
        const std::string person = people[i / 10 % std::size(people)];
        switch (i % 10) {
            case 0:
                note = "please " + person + " " + note;
                break;
            case 3:
                note += " fyi " + person;
                break;
            case 6:
                note = person + ", please " + note;
                break;
            case 8:
                note = "fyi " + person + ": " + note;
                break;
            default:
                break;
        }
        notes.push_back(note);
    }
    return notes;
}
