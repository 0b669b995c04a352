// Drives random sequences of the library's exports over random texts and checks, after
// every parse and at the end, that what the store and the parser report agrees with
// itself. Buffers are heap blocks of their exact size, so AddressSanitizer catches any
// write past them.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <set>
#include <string>

#include "sentex.h"

namespace {

// Words that make registrations and keywords meet, and the parser find things.
const char* const kWords[] = {
    "bob",
    " Bob ",
    "work",
    "WORK",
    "acme",
    "acme corp",
    "acme, corp",
    "task",
    "note",
    "please",
    "pls",
    "fyi",
    ",",
    ".",
    ":",
    ";",
    "ann",
    "lee",
    "Ann Lee",
    "3pm",
    "every",
    "other",
    "friday",
    "tomorrow",
    "the",
    "31st",
    "of",
    "month",
    "2-4pm",
    "next",
    "in 2 weeks",
    "4/20/99",
    "",
    " ",
    "\xC3\x84rger",
    "\xff",
    "\xE2\x84\xAA",
    "last",
    "between 1 and 3pm",
};

void require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

std::unique_ptr<char[]> buffer(std::size_t size) {
    return std::make_unique<char[]>(size);
}

class Driver {
public:
    explicit Driver(FuzzedDataProvider& in) : in_(in) {}

    std::string text() {
        switch (in_.ConsumeIntegralInRange<int>(0, 3)) {
            case 0:
                return in_.ConsumeRandomLengthString(300);
            case 1:
                return word() + " " + word();
            default:
                return word();
        }
    }
    std::string word() {
        return kWords[in_.ConsumeIntegralInRange<std::size_t>(0, std::size(kWords) - 1)];
    }
    // Now and then a null pointer, which counts as an empty text.
    const char* arg(const std::string& s) {
        return in_.ConsumeIntegralInRange(0, 15) == 0 ? nullptr : s.c_str();
    }

    void step() {
        const std::string a = text(), b = text(), c = text(), d = text();
        auto out = buffer(SENTEX_TEXT_SLOT);
        switch (in_.ConsumeIntegralInRange(0, 22)) {
            case 0:
                Prs_AddList(arg(a));
                break;
            case 1:
                Prs_AddProject(arg(a));
                break;
            case 2:
                Prs_AddContact(arg(a));
                break;
            case 3:
                Prs_DeleteList(arg(a));
                break;
            case 4:
                Prs_DeleteProject(arg(a));
                break;
            case 5:
                Prs_DeleteContact(arg(a));
                break;
            case 6:
                Prs_RenameList(arg(a), arg(b));
                break;
            case 7:
                Prs_RenameProject(arg(a), arg(b));
                break;
            case 8:
                Prs_RenameContact(arg(a), arg(b));
                break;
            case 9:
            case 10:
                Prs_AddAlias(arg(a), arg(b), arg(c), arg(d));
                break;
            case 11:
                Prs_DeleteAlias(arg(a));
                break;
            case 12:
                Prs_RenameAlias(arg(a), arg(b));
                break;
            case 13:
                Prs_FilterAlias(arg(a), out.get());
                require(std::strlen(out.get()) < SENTEX_TEXT_SLOT, "filter");
                break;
            case 14:
                Prs_IsValidAlias(arg(a));
                Prs_IsAlias(arg(b));
                Prs_IsList(arg(c));
                Prs_IsContact(arg(d));
                break;
            case 15:
                Prs_AutoFillList(arg(a), out.get());
                Prs_AutoFillProject(arg(b), out.get());
                Prs_AutoFillContact(arg(c), out.get());
                break;
            case 16: {
                auto block = buffer(3 * SENTEX_TEXT_SLOT);
                Prs_SuggestListAliases(arg(a), block.get());
                Prs_SuggestProjectAliases(arg(b), block.get());
                Prs_SuggestContactAliases(arg(a), arg(b), arg(c), block.get());
                break;
            }
            case 17:
                Prs_GetNextAlias(out.get(), nullptr, out.get(), nullptr);
                break;
            case 18:
                Prs_ResetParseDll();
                break;
            default:
                parse(a + " " + b + " " + c);
                break;
        }
    }

    void parse(const std::string& note) {
        auto result = buffer(sizeof(TParseResults));
        if (in_.ConsumeBool())
            Prs_Parse(arg(note), result.get());
        else
            Prs_DateParse(arg(note), result.get());
        TParseResults r;
        std::memcpy(&r, result.get(), sizeof r);
        for (const char* slot :
             {r.list, r.project, r.contact, r.recipient, r.date, r.startTime, r.endTime, r.spare})
            require(std::memchr(slot, '\0', SENTEX_TEXT_SLOT) != nullptr, "unterminated slot");
        require(r.spare[0] == '\0' && r.reserved == 0, "spare and reserved stay empty");
        require(r.isRecurring == (r.recurUnit != 0), "recurrence unit");
        // A keyword found in the note names registered targets only.
        require(!*r.list || Prs_IsList(r.list), "list registered");
        require(!*r.project || Prs_IsProject(r.project), "project registered");
        require(!*r.contact || Prs_IsContact(r.contact), "contact registered");
        require(!*r.recipient || Prs_IsContact(r.recipient), "recipient registered");
    }

    // Every keyword is whole, canonical, unique and names at least one registered target.
    void checkStore() {
        auto alias = buffer(SENTEX_TEXT_SLOT), list = buffer(SENTEX_TEXT_SLOT),
             project = buffer(SENTEX_TEXT_SLOT), contact = buffer(SENTEX_TEXT_SLOT),
             canonical = buffer(SENTEX_TEXT_SLOT);
        std::set<std::string> seen;
        for (int32_t more =
                 Prs_GetFirstAlias(alias.get(), list.get(), project.get(), contact.get());
             more; more = Prs_GetNextAlias(alias.get(), list.get(), project.get(), contact.get())) {
            require(seen.insert(alias.get()).second, "alias enumerated once");
            require(Prs_IsAlias(alias.get()) == 1, "enumerated alias is an alias");
            require(Prs_FilterAlias(alias.get(), canonical.get()) == 1 &&
                        std::strcmp(canonical.get(), alias.get()) == 0,
                    "alias stored in canonical form");
            require(*list.get() || *project.get() || *contact.get(), "alias names a target");
            require(!*list.get() || Prs_IsList(list.get()), "alias list registered");
            require(!*project.get() || Prs_IsProject(project.get()), "alias project registered");
            require(!*contact.get() || Prs_IsContact(contact.get()), "alias contact registered");
        }
    }

private:
    FuzzedDataProvider& in_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    Driver driver(in);
    Prs_ResetParseDll();
    for (int steps = 0; steps < 64 && in.remaining_bytes() > 0; ++steps)
        driver.step();
    driver.checkStore();
    return 0;
}
