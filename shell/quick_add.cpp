#include "shell/quick_add.h"

#include <chrono>
#include <cstdio>
#include <deque>
#include <map>
#include <memory>

#include "messages/error_box.h"
#include "notes/attachable_file.h"
#include "notes/headless_views.h"
#include "notes/jotpad.h"
#include "notes/note_host.h"
#include "notes/note_settings.h"
#include "outlook/items/contact.h"
#include "outlook/items/data_item.h"
#include "outlook/recipients/mailing_info.h"
#include "outlook/recurrence/pattern_dates.h"
#include "outlook/recurrence/recurrence_words.h"
#include "outlook/session/progress_box.h"
#include "platform/clock.h"
#include "platform/json_text.h"
#include "platform/text.h"
#include "platform/utf8_text.h"
#include "shell/settings.h"

namespace shell {
namespace {

using notes::ItemType;

const std::map<std::string, ItemType> kTypes = {
    {"appointment", ItemType::Appointment},
    {"note", ItemType::Note},
    {"task", ItemType::Task},
    {"mail", ItemType::MailMessage},
    {"task-request", ItemType::TaskRequest},
    {"meeting-request", ItemType::MeetingRequest},
};

// The options as given, or the reason they cannot be used.
std::optional<QuickAddOptions> parseOptions(const std::vector<std::string>& args,
                                            std::string& reason) {
    QuickAddOptions options;
    std::vector<std::string> words;
    bool optionsEnded = false;
    const auto refuse = [&reason](std::string why) {
        reason = std::move(why);
        return std::nullopt;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string arg = platform::validUtf8(args[i]);
        if (optionsEnded || arg.empty() || arg[0] != '-') {
            words.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--dry-run") {
            options.dryRun = true;
        } else if (arg == "--json") {
            options.json = true;
        } else if (arg == "--once") {
            options.once = true;
        } else if (arg != "--type" && arg != "--to" && arg != "--cc" && arg != "--attach") {
            return refuse("unknown option " + arg);
        } else if (i + 1 == args.size()) {
            return refuse(arg + " needs a value");
        } else {
            const std::string value = platform::validUtf8(args[++i]);
            if (arg == "--type") {
                const auto type = kTypes.find(value);
                if (type == kTypes.end()) return refuse("unknown type '" + value + "'");
                options.type = type->second;
            } else if (arg == "--to") {
                options.to.push_back(value);
            } else if (arg == "--cc") {
                options.cc.push_back(value);
            } else {
                options.attachments.push_back(value);
            }
        }
    }
    for (const std::string& word : words)
        options.text += (options.text.empty() ? "" : " ") + word;
    return options;
}

// Recipients make a base type its request; a note cannot be sent at all.
std::optional<std::string> checkRecipients(QuickAddOptions& options) {
    const bool addressed = !options.to.empty() || !options.cc.empty();
    if (!options.cc.empty() && options.to.empty()) return "--cc needs at least one --to recipient";
    if (!options.type) return std::nullopt;
    if (notes::IsMessageType(*options.type) && !addressed)
        return "a message needs at least one --to recipient";
    if (!addressed) return std::nullopt;
    switch (*options.type) {
        case ItemType::Note:
            return "a note cannot go to anybody: leave out --to and --cc, or use another type";
        case ItemType::Task:
            options.type = ItemType::TaskRequest;
            break;
        case ItemType::Appointment:
            options.type = ItemType::MeetingRequest;
            break;
        default:
            break;
    }
    return std::nullopt;
}

// Nobody answers: errors and questions are written out, and every question is answered
// No, so that nothing is filed without the links the user asked for.
class WrittenMessageBoxes : public platform::MessageBoxes {
public:
    explicit WrittenMessageBoxes(std::ostream& err) : err_(err) {}
    platform::MessageAnswer show(const std::string&, const std::string& text, platform::MessageIcon,
                                 platform::MessageButtons buttons) override {
        err_ << "jotwise: " << text << "\n";
        if (buttons == platform::MessageButtons::Ok) return platform::MessageAnswer::Ok;
        err_ << "jotwise: answered No: nothing was filed.\n";
        return platform::MessageAnswer::No;
    }

private:
    std::ostream& err_;
};

// A program with no windows: no other notes, no dialogs, nothing remembered.
class HeadlessHost : public notes::NoteHost {
public:
    void PostNewNote() override {}
    void RemoveNote(notes::TJotPad&) override {}
    void CategoriesChanged() override {}
    bool Exiting() const override { return false; }
    void NewContact(bool) override {}
    void OpenOutlook() override {}
    void ShowKeywords() override {}
    void ShowHelp() override {}
    void ShowAbout() override {}
    void Exit() override {}
};

// Nothing of a window is read or kept; only how large an attached file may be is read.
class UnstoredSettings : public notes::NoteSettings {
public:
    explicit UnstoredSettings(platform::Registry& registry) : registry_(registry) {}
    bool ReadPosition(int&, int&) override { return false; }
    bool ReadSize(int&, int&) override { return false; }
    void WritePosition(int, int) override {}
    void WriteSize(int, int) override {}
    bool ReadBeside() override { return true; }
    void WriteBeside(bool) override {}
    std::uint64_t AttachmentLimit() override { return registry_.AttachmentLimit(); }

private:
    TRegistry registry_;
};

// The files given on the command line, as if picked one by one in the dialog.
class GivenFiles : public platform::FileDialogs {
public:
    explicit GivenFiles(const std::vector<std::string>& paths)
        : paths_(paths.begin(), paths.end()) {}
    std::optional<std::string> openExistingFile(const std::string&) override {
        if (paths_.empty()) return std::nullopt;
        std::string path = paths_.front();
        paths_.pop_front();
        return path;
    }

private:
    std::deque<std::string> paths_;
};

// What the note holds, as `jotwise add` reports it.
struct Summary {
    std::string type, subject, date, start, end, contact, category, entryId;
    std::vector<std::string> to, cc;
    std::optional<outlook::RecurrenceFields> repeat;
};

std::vector<std::string> recipientNames(notes::TJotPad& note, mapi::ULONG type) {
    std::vector<std::unique_ptr<outlook::TContact>> contacts;
    note.Recipients().CollectRecipients(type, contacts);
    std::vector<std::string> names;
    for (const auto& contact : contacts)
        names.push_back(contact->FileAs());
    return names;
}

Summary summarise(notes::TJotPad& note, outlook::TDataStore& session) {
    notes::TShadow& shadow = note.Shadow();
    Summary summary;
    summary.type = std::string(notes::LookOf(note.itemType()).name);
    summary.subject = outlook::SubjectLine(note.MemoText());
    summary.date = shadow.DateText();
    summary.start = shadow.StartText();
    summary.end = shadow.EndText();
    if (const outlook::TContact* contact = session.FindContact(shadow.SelectedContact()))
        summary.contact = contact->FullName();
    summary.category = shadow.CategoryText();
    summary.to = recipientNames(note, mapi::MAPI_TO);
    summary.cc = recipientNames(note, mapi::MAPI_CC);
    if (note.LastFiling()) summary.entryId = note.LastFiling()->entryId;
    summary.repeat = shadow.Repeat();
    return summary;
}

std::string clockTime(std::chrono::minutes time) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d:%02d", int(time.count() / 60), int(time.count() % 60));
    return text;
}

// The pattern's properties under the object model's names, and the repeat in words.
std::string recurrenceJson(const std::optional<outlook::RecurrenceFields>& repeat) {
    if (!repeat) return "null";
    const outlook::RecurrenceFields& r = *repeat;
    std::string json =
        "{\"RecurrenceType\":" + std::to_string(r.recurrenceType) +
        ",\"Interval\":" + std::to_string(r.interval) +
        ",\"DayOfWeekMask\":" + std::to_string(r.dayOfWeekMask) +
        ",\"DayOfMonth\":" + std::to_string(r.dayOfMonth) +
        ",\"Instance\":" + std::to_string(r.instance) +
        ",\"MonthOfYear\":" + std::to_string(r.monthOfYear) +
        ",\"PatternStartDate\":" + platform::jsonString(outlook::IsoDate(r.patternStartDate)) +
        ",\"NoEndDate\":" + (r.noEndDate ? "true" : "false");
    if (!r.noEndDate) {
        json += r.occurrences > 0 ? ",\"Occurrences\":" + std::to_string(r.occurrences)
                                  : ",\"PatternEndDate\":" +
                                        platform::jsonString(outlook::IsoDate(r.patternEndDate));
    }
    json += ",\"StartTime\":" + platform::jsonString(clockTime(r.startTime)) +
            ",\"EndTime\":" + platform::jsonString(clockTime(r.endTime)) +
            ",\"Duration\":" + std::to_string(r.duration) +
            ",\"words\":" + platform::jsonString(outlook::DescribeRecurrence(r)) + "}";
    return json;
}

std::string deliveryJson(const std::optional<QuickAddDelivery>& delivery) {
    if (!delivery) return "null";
    return std::string("{\"sent\":") + (delivery->sent ? "true" : "false") +
           (delivery->sent ? ",\"to\":" : ",\"reason\":") + platform::jsonString(delivery->text) +
           "}";
}

void writeSummary(std::ostream& out, const Summary& s, bool filed, bool json,
                  const std::optional<QuickAddDelivery>& delivery = std::nullopt) {
    const auto list = [](const std::vector<std::string>& names, const char* separator, bool quote) {
        std::string text;
        for (const std::string& name : names)
            text += (text.empty() ? "" : separator) + (quote ? platform::jsonString(name) : name);
        return text;
    };
    if (json) {
        out << "{\"filed\":" << (filed ? "true" : "false")
            << ",\"type\":" << platform::jsonString(s.type)
            << ",\"subject\":" << platform::jsonString(s.subject)
            << ",\"date\":" << platform::jsonString(s.date)
            << ",\"start\":" << platform::jsonString(s.start)
            << ",\"end\":" << platform::jsonString(s.end)
            << ",\"contact\":" << platform::jsonString(s.contact)
            << ",\"category\":" << platform::jsonString(s.category) << ",\"to\":["
            << list(s.to, ",", true) << "],\"cc\":[" << list(s.cc, ",", true)
            << "],\"recurrence\":" << recurrenceJson(s.repeat)
            << ",\"entryId\":" << platform::jsonString(s.entryId)
            << ",\"delivery\":" << deliveryJson(delivery) << "}\n";
        return;
    }
    out << (filed ? "filed: " : "would file: ") << s.type << "\n"
        << "subject: " << s.subject << "\n";
    const auto line = [&out](const char* name, const std::string& value) {
        if (!value.empty()) out << name << ": " << value << "\n";
    };
    line("date", s.date);
    line("recurs", s.repeat ? outlook::DescribeRecurrence(*s.repeat) : std::string());
    line("start", s.start);
    line("end", s.end);
    line("contact", s.contact);
    line("category", s.category);
    line("to", list(s.to, "; ", false));
    line("cc", list(s.cc, "; ", false));
    line("entry id", s.entryId);
    if (delivery) line(delivery->sent ? "sent" : "queued", delivery->text);
}

// The session, the error box and the installed globals, for the length of one command.
class QuickAdd {
public:
    QuickAdd(const QuickAddPlatform& platform, std::ostream& out, std::ostream& err)
        : out_(out),
          err_(err),
          registry_(platform.outlook.registry),
          deliver_(platform.deliver),
          boxes_(err),
          errorBox_(boxes_),
          session_(platform.outlook) {
        if (platform.keywordsFile) session_.SetKeywordsFile(*platform.keywordsFile);
        if (platform.contactCacheFile) session_.SetContactCacheFile(*platform.contactCacheFile);
        outlook::InstallDataStore(&session_);
        errorBox_.setSession(&session_);
        messages::InstallErrorBox(&errorBox_);
    }
    ~QuickAdd() {
        messages::InstallErrorBox(nullptr);
        outlook::InstallDataStore(nullptr);
    }
    QuickAdd(const QuickAdd&) = delete;
    QuickAdd& operator=(const QuickAdd&) = delete;

    int Run(const QuickAddOptions& options);

private:
    int Refuse(const std::string& reason) {
        err_ << "jotwise add: " << reason << "\n";
        return kQuickAddRefused;
    }
    bool Resolves(const std::string& name);

    std::ostream& out_;
    std::ostream& err_;
    platform::Registry& registry_;
    std::function<std::optional<QuickAddDelivery>()> deliver_;
    WrittenMessageBoxes boxes_;
    messages::ErrorBox errorBox_;
    outlook::TDataStore session_;
};

bool QuickAdd::Resolves(const std::string& name) {
    try {
        return outlook::ResolvedRecipient(name)->get("Resolved").asBool();
    } catch (const outlook::AutomationError&) {
        return false;
    }
}

int QuickAdd::Run(const QuickAddOptions& options) {
    outlook::TNoProgress progress;
    if (const messages::MessageId id = session_.Connect(0, progress)) {
        messages::ShowError(id);
        return kQuickAddFailed;
    }
    mapi::ADRLIST recipients;
    for (const auto& [names, type] :
         {std::pair{&options.to, mapi::MAPI_TO}, std::pair{&options.cc, mapi::MAPI_CC}}) {
        for (const std::string& name : *names) {
            if (!Resolves(name)) return Refuse("no contact or address book entry '" + name + "'");
            recipients.push_back({{mapi::SPropValue::string(mapi::PR_DISPLAY_NAME, name),
                                   mapi::SPropValue::integer(mapi::PR_RECIPIENT_TYPE,
                                                             static_cast<std::int32_t>(type))}});
        }
    }

    notes::HeadlessJotPadView view;
    notes::HeadlessShadowView shadowView;
    HeadlessHost host;
    UnstoredSettings settings(registry_);
    GivenFiles files(options.attachments);
    platform::SystemClock clock;
    notes::NoteContext context{
        session_, host, settings, boxes_, files, clock, platform::systemShortDateFormat()};
    const std::unique_ptr<notes::TJotPad> note = notes::TJotPad::Create(context, view, shadowView);
    if (!note) return kQuickAddFailed;

    note->memoBodyChange(options.text);
    for (std::size_t i = 0; i < options.attachments.size(); ++i)
        note->imgAttachClick();
    if (!recipients.empty()) note->SetPickedRecipients(std::move(recipients));
    if (options.type) note->miTypeClick(static_cast<int>(*options.type));
    if (options.once) note->Shadow().btnDropRepeatClick();

    // Files sent along are copied whole, so each must fit the limit; nothing is filed
    // otherwise, as for a file that is not there.
    if (notes::IsMessageType(note->itemType()))
        for (const std::string& file : options.attachments)
            if (const auto why = notes::WhyNotAttachable(file, settings.AttachmentLimit()))
                return Refuse("cannot attach: " + *why);

    if (options.dryRun) {
        writeSummary(out_, summarise(*note, session_), false, options.json);
        return kQuickAddFiled;
    }
    note->btnSaveClick();
    const std::optional<notes::FilingResult>& result = note->LastFiling();
    if (!result) return kQuickAddFailed;
    if (result->committed) {
        const std::optional<QuickAddDelivery> delivery =
            deliver_ ? deliver_() : std::optional<QuickAddDelivery>();
        writeSummary(out_, summarise(*note, session_), true, options.json, delivery);
        if (result->id) return kQuickAddFailed;
        if (delivery && !delivery->sent) {
            err_ << "jotwise add: " << delivery->advice << "\n";
            return kQuickAddQueued;
        }
        return kQuickAddFiled;
    }
    return result->id == notes::kFilingDeclined ? kQuickAddDeclined : kQuickAddFailed;
}

}  // namespace

std::optional<QuickAddOptions> ParseQuickAdd(const std::vector<std::string>& args,
                                             std::ostream& err) {
    const auto refuse = [&err](const std::string& why) {
        err << "jotwise add: " << why << "\n" << kQuickAddUsage;
        return std::nullopt;
    };
    std::string reason;
    std::optional<QuickAddOptions> options = parseOptions(args, reason);
    if (!options) return refuse(reason);
    if (platform::trimmed(options->text).empty()) return refuse("the note has no text");
    if (const auto why = checkRecipients(*options)) return refuse(*why);
    for (std::string& file : options->attachments) {
        if (const auto why = notes::WhyNotAttachable(file, std::nullopt))
            return refuse("cannot attach: " + *why);
        // The item keeps the path: it must lead to the file from wherever it is opened.
        std::error_code error;
        file = std::filesystem::absolute(file, error).lexically_normal().string();
    }
    return options;
}

int RunQuickAdd(const QuickAddOptions& options, const QuickAddPlatform& platform, std::ostream& out,
                std::ostream& err) {
    QuickAdd quickAdd(platform, out, err);
    return quickAdd.Run(options);
}

int RunQuickAdd(const std::vector<std::string>& args, const QuickAddPlatform& platform,
                std::ostream& out, std::ostream& err) {
    const std::optional<QuickAddOptions> options = ParseQuickAdd(args, err);
    if (!options) return kQuickAddRefused;
    return RunQuickAdd(*options, platform, out, err);
}

}  // namespace shell
