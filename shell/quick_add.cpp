#include "shell/quick_add.h"

#include <deque>
#include <map>
#include <memory>

#include "messages/error_box.h"
#include "notes/headless_views.h"
#include "notes/jotpad.h"
#include "notes/note_host.h"
#include "notes/note_settings.h"
#include "outlook/items/contact.h"
#include "outlook/items/data_item.h"
#include "outlook/recipients/mailing_info.h"
#include "outlook/session/progress_box.h"
#include "platform/clock.h"
#include "platform/json_text.h"
#include "platform/text.h"

namespace shell {
namespace {

using notes::ItemType;

constexpr const char* kUsage =
    "usage: jotwise add [--type TYPE] [--to NAME]... [--cc NAME]... [--attach FILE]...\n"
    "                   [--dry-run] [--json] [--] TEXT...\n"
    "TYPE is appointment, note, task, mail, task-request or meeting-request.\n";

const std::map<std::string, ItemType> kTypes = {
    {"appointment", ItemType::Appointment},
    {"note", ItemType::Note},
    {"task", ItemType::Task},
    {"mail", ItemType::MailMessage},
    {"task-request", ItemType::TaskRequest},
    {"meeting-request", ItemType::MeetingRequest},
};

struct Options {
    std::optional<ItemType> type;
    std::vector<std::string> to, cc, attachments;
    bool dryRun = false;
    bool json = false;
    std::string text;
};

// The options, or the reason they cannot be used.
std::optional<Options> parseOptions(const std::vector<std::string>& args, std::string& reason) {
    Options options;
    std::vector<std::string> words;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.empty() || arg[0] != '-') {
            words.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg == "--dry-run") {
            options.dryRun = true;
            continue;
        }
        if (arg == "--json") {
            options.json = true;
            continue;
        }
        if (i + 1 == args.size()) {
            reason = arg + " needs a value";
            return std::nullopt;
        }
        const std::string& value = args[++i];
        if (arg == "--type") {
            const auto type = kTypes.find(value);
            if (type == kTypes.end()) {
                reason = "unknown type '" + value + "'";
                return std::nullopt;
            }
            options.type = type->second;
        } else if (arg == "--to") {
            options.to.push_back(value);
        } else if (arg == "--cc") {
            options.cc.push_back(value);
        } else if (arg == "--attach") {
            options.attachments.push_back(value);
        } else {
            reason = "unknown option " + arg;
            return std::nullopt;
        }
    }
    for (const std::string& word : words)
        options.text += (options.text.empty() ? "" : " ") + word;
    return options;
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
};

class UnstoredSettings : public notes::NoteSettings {
public:
    bool ReadPosition(int&, int&) override { return false; }
    bool ReadSize(int&, int&) override { return false; }
    void WritePosition(int, int) override {}
    void WriteSize(int, int) override {}
    bool ReadBeside() override { return true; }
    void WriteBeside(bool) override {}
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
    return summary;
}

void writeSummary(std::ostream& out, const Summary& s, bool filed, bool json) {
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
            << "],\"entryId\":" << platform::jsonString(s.entryId) << "}\n";
        return;
    }
    out << (filed ? "filed: " : "would file: ") << s.type << "\n"
        << "subject: " << s.subject << "\n";
    const auto line = [&out](const char* name, const std::string& value) {
        if (!value.empty()) out << name << ": " << value << "\n";
    };
    line("date", s.date);
    line("start", s.start);
    line("end", s.end);
    line("contact", s.contact);
    line("category", s.category);
    line("to", list(s.to, "; ", false));
    line("cc", list(s.cc, "; ", false));
    line("entry id", s.entryId);
}

// The session, the error box and the installed globals, for the length of one command.
class QuickAdd {
public:
    QuickAdd(const QuickAddPlatform& platform, std::ostream& out, std::ostream& err)
        : out_(out), err_(err), boxes_(err), errorBox_(boxes_), session_(platform.outlook) {
        if (platform.keywordsFile) session_.SetKeywordsFile(*platform.keywordsFile);
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

    int Run(const Options& options);

private:
    int Refuse(const std::string& reason) {
        err_ << "jotwise add: " << reason << "\n";
        return kQuickAddRefused;
    }
    bool Resolves(const std::string& name);

    std::ostream& out_;
    std::ostream& err_;
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

int QuickAdd::Run(const Options& options) {
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
    UnstoredSettings settings;
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

    if (options.dryRun) {
        writeSummary(out_, summarise(*note, session_), false, options.json);
        return kQuickAddFiled;
    }
    note->btnSaveClick();
    const std::optional<notes::FilingResult>& result = note->LastFiling();
    if (!result) return kQuickAddFailed;
    if (result->committed) {
        writeSummary(out_, summarise(*note, session_), true, options.json);
        return result->id ? kQuickAddFailed : kQuickAddFiled;
    }
    return result->id == notes::kFilingDeclined ? kQuickAddDeclined : kQuickAddFailed;
}

}  // namespace

int RunQuickAdd(const std::vector<std::string>& args, const QuickAddPlatform& platform,
                std::ostream& out, std::ostream& err) {
    std::string reason;
    const std::optional<Options> options = parseOptions(args, reason);
    const auto refuse = [&err](const std::string& why) {
        err << "jotwise add: " << why << "\n" << kUsage;
        return kQuickAddRefused;
    };
    if (!options) return refuse(reason);
    if (platform::trimmed(options->text).empty()) return refuse("the note has no text");
    if (options->type && notes::IsMessageType(*options->type) && options->to.empty())
        return refuse("a message needs at least one --to recipient");
    for (const std::string& file : options->attachments) {
        std::error_code error;
        if (!std::filesystem::is_regular_file(file, error))
            return refuse("no file '" + file + "' to attach");
    }
    QuickAdd quickAdd(platform, out, err);
    return quickAdd.Run(*options);
}

}  // namespace shell
