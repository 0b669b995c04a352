#include "outlook/local/cli/store_tool.h"

#include <ctime>
#include <functional>
#include <sstream>

#include "outlook/local/cli/command_options.h"
#include "outlook/local/cli/contact_writer.h"
#include "outlook/local/cli/desktop_commands.h"
#include "outlook/local/cli/desktop_contacts_command.h"
#include "outlook/local/cli/item_commands.h"
#include "outlook/local/cli/mail_commands.h"
#include "outlook/local/cli/property_listing.h"
#include "outlook/local/cli/vcard_import.h"
#include "outlook/local/cli/vcard_reader.h"
#include "outlook/local/desktop/desktop_calendar_attach.h"
#include "outlook/local/mirror/calendar_writer.h"
#include "outlook/local/mirror/mirror_names.h"
#include "outlook/local/mirror/mirror_setting.h"
#include "outlook/local/mirror/vcard_writer.h"
#include "outlook/local/store/address_book_data.h"
#include "outlook/local/store/item_kind.h"
#include "outlook/local/store/recipient_resolver.h"
#include "outlook/local/store/store.h"
#include "outlook/local/store/store_file.h"
#include "outlook/local/transport/mail_setup.h"
#include "platform/text.h"
#include "platform/whole_file.h"

namespace outlook::local {

using namespace mapi;

namespace {

constexpr int kDone = 0, kFailed = 1, kBadUsage = 2;

// Far more than the vCard file of any address book; what is larger is no such file, and
// reading it whole would only use up the memory.
constexpr std::size_t kMaxVCardFileBytes = 64 * 1024 * 1024;

using Opener = std::function<std::shared_ptr<Store>()>;

struct Invocation {
    std::vector<std::string> words;  // the command and its arguments
    std::optional<std::filesystem::path> db;
    bool withMirror = false;  // the file of --db keeps the profile's mirror too
};

}  // namespace

const char* StoreTool::usage() {
    return "Usage: jotwise-store [--db PATH [--with-mirror]] COMMAND [ARGUMENTS]\n"
           "\n"
           "Lists and changes the local mail and calendar store of a profile. The store is\n"
           "$XDG_DATA_HOME/jotwise/outlook.db ($HOME/.local/share/... without XDG_DATA_HOME);\n"
           "--db names another file. A missing store is created. The profile's store keeps\n"
           "its mirror (see 'mirror') and the desktop calendar (see 'desktop-calendar') up\n"
           "to date; a file named by --db does so only with --with-mirror, for the\n"
           "profile's store reached under another name.\n"
           "\n"
           "Commands:\n"
           "  folders                    every folder with its entry id and item count\n"
           "  items FOLDER               one line per item of the folder (a name or an entry id)\n"
           "  show ENTRYID               every property of an item or address book entry\n"
           "  delete [--permanently] ENTRYID...\n"
           "                             move items to Deleted Items, each keeping the folder\n"
           "                             it came from; --permanently removes them for good\n"
           "  restore ENTRYID...         move items in Deleted Items back to where they came\n"
           "                             from (or to their kind's folder)\n"
           "  set ENTRYID PROPERTY=VALUE...\n"
           "                             change an item: subject, location, start, end, due,\n"
           "                             status, categories, body; times in local time as\n"
           "                             2026-12-09T16:00 (or a date); status is not-started,\n"
           "                             in-progress, completed, waiting or deferred\n"
           "  add-contact --first F --last L [--company C] [--email E] [--phone P]\n"
           "              [--full-name N] [--file-as A] [--street S] [--city C] [--state S]\n"
           "              [--postal-code P] [--country C] [--po-box B] [--note TEXT]\n"
           "  add-mailuser --name N --email E [--first F] [--last L] [--company C]\n"
           "              [--comment TEXT]\n"
           "  add-distlist --name N [--member ENTRYID_OR_EMAIL ...]\n"
           "  import-vcard FILE          the contacts of a vCard file (2.1, 3.0, 4.0), in one\n"
           "                             transaction; bad cards are reported and skipped; a\n"
           "                             regular file of at most 64 MB; a card already there\n"
           "                             (the same UID, else the same name and e-mail address)\n"
           "                             updates its contact instead of adding one\n"
           "  desktop-contacts --sync    bring the desktop's address book into Contacts now:\n"
           "                             its contacts added, changed and removed there follow\n"
           "                             (contacts made here are never touched)\n"
           "  export --ics FOLDER        the folder's calendar items as one iCalendar stream\n"
           "  export --vcf [FOLDER]      the contacts (of Contacts) as one vCard 4.0 stream\n"
           "  mirror --to DIR            keep a vdir copy of calendar, tasks, contacts and\n"
           "                             journal in DIR (a setting of the profile); writes it\n"
           "                             all now, and keeps the setting only when that works\n"
           "  mirror --off               stop keeping it (the files stay)\n"
           "  mirror                     where the copy is kept, if anywhere\n"
           "  desktop-calendar --on      write appointments, tasks and notes into the\n"
           "                             desktop's calendar, task list and memo list\n"
           "                             (Evolution Data Server) as well (a setting of the\n"
           "                             profile); writes them all now\n"
           "  desktop-calendar --off     stop it (what is there stays)\n"
           "  desktop-calendar --status  whether it is on, where items go, and whether the\n"
           "                             desktop's calendar answers\n"
           "  send-outbox [--resend ENTRYID]\n"
           "                             deliver what waits in the Outbox; --resend also sends\n"
           "                             an item whose earlier hand-over was interrupted\n"
           "  mail [--command CMD] [--from ADDRESS]\n"
           "                             how mail is sent: a sendmail-compatible command (by\n"
           "                             default msmtp when set up, else /usr/sbin/sendmail)\n"
           "                             and the sender, \"Name <address>\"; \"\" unsets one;\n"
           "                             without options, the present setup\n"
           "  --help                     this text\n"
           "\n"
           "Exit codes: 0 done, 1 the store or the operation failed, 2 wrong command line,\n"
           "4 (send-outbox) something still waits in the Outbox.\n";
}

int StoreTool::usageError(const std::string& message) {
    err_ << "jotwise-store: " << message << "\nTry 'jotwise-store --help'.\n";
    return kBadUsage;
}

int StoreTool::run(const std::vector<std::string>& args, std::shared_ptr<Store> given) {
    Invocation invocation;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        if (word == "--help" || word == "-h" || (word == "help" && invocation.words.empty())) {
            out_ << usage();
            return kDone;
        }
        if (word == "--db") {
            if (i + 1 >= args.size()) return usageError("option '--db' needs a path");
            if (invocation.db) return usageError("option '--db' is given twice");
            invocation.db = args[++i];
            continue;
        }
        if (word == "--with-mirror") {
            invocation.withMirror = true;
            continue;
        }
        invocation.words.push_back(word);
    }
    if (invocation.words.empty()) return usageError("no command given");

    const std::string command = invocation.words.front();
    const std::vector<std::string> rest(invocation.words.begin() + 1, invocation.words.end());
    const std::filesystem::path path = invocation.db ? *invocation.db : StoreFile::defaultPath();
    // Only the profile's own store keeps the profile's mirror: another file's items (a backup,
    // a copy) would be written into it, and the live items' files taken away. `mirror` sets
    // up the mirror itself.
    const bool ownStore = !invocation.db || invocation.withMirror;
    const bool followsMirror = registry_ && ownStore && command != "mirror";
    const bool followsDesktop = registry_ && ownStore && command != "desktop-calendar";
    std::shared_ptr<Store> store = std::move(given);
    std::string openError;
    const auto open = [&]() -> bool {
        if (store) return true;
        store = Store::open({path, registry_, nullptr}, openError);
        if (!store) err_ << "jotwise-store: " << openError << "\n";
        if (store && followsMirror) mirror::followMirrorSetting(*store, *registry_);
        if (store && followsDesktop) desktop::followDesktopCalendarSetting(*store, *registry_);
        return store != nullptr;
    };

    try {
        if (command == "folders") {
            if (!rest.empty()) return usageError("'folders' takes no arguments");
            return open() ? folders(*store) : kFailed;
        }
        if (command == "items") {
            if (rest.size() != 1) return usageError("'items' takes one folder");
            return open() ? items(*store, rest) : kFailed;
        }
        if (command == "show") {
            if (rest.size() != 1) return usageError("'show' takes one entry id");
            if (!FBinFromHex(rest[0]) || rest[0].empty())
                return usageError("'" + rest[0] + "' is not an entry id (hexadecimal)");
            return open() ? show(*store, rest) : kFailed;
        }
        if (command == "delete" || command == "restore") {
            std::vector<std::string> ids;
            bool permanently = false;
            for (const std::string& word : rest) {
                if (word == "--permanently" && command == "delete") {
                    permanently = true;
                    continue;
                }
                if (word.empty() || !FBinFromHex(word))
                    return usageError("'" + word + "' is not an entry id (hexadecimal)");
                ids.push_back(word);
            }
            if (ids.empty()) return usageError("'" + command + "' takes one or more entry ids");
            if (!open()) return kFailed;
            ItemCommands commands(store, out_, err_);
            return command == "delete" ? commands.remove(ids, permanently) : commands.restore(ids);
        }
        if (command == "set") {
            if (rest.size() < 2) return usageError("'set' takes an entry id and PROPERTY=VALUE...");
            if (!FBinFromHex(rest[0]) || rest[0].empty())
                return usageError("'" + rest[0] + "' is not an entry id (hexadecimal)");
            std::string error;
            const auto assignments = parseAssignments({rest.begin() + 1, rest.end()}, error);
            if (!assignments) return usageError("set: " + error);
            if (!open()) return kFailed;
            return ItemCommands(store, out_, err_).set(rest[0], *assignments);
        }
        if (command == "add-contact" || command == "add-mailuser" || command == "add-distlist") {
            static const std::map<std::string, std::set<std::string>> kOptions = {
                {"add-contact",
                 {"first", "last", "company", "email", "phone", "full-name", "file-as", "street",
                  "city", "state", "postal-code", "country", "po-box", "note"}},
                {"add-mailuser", {"name", "email", "first", "last", "company", "comment"}},
                {"add-distlist", {"name"}}};
            std::string error;
            const auto options =
                CommandOptions::parse(rest, kOptions.at(command),
                                      command == "add-distlist" ? std::set<std::string>{"member"}
                                                                : std::set<std::string>{},
                                      error);
            if (!options) return usageError(command + ": " + error);
            if (command == "add-contact" && !options->has("first") && !options->has("last") &&
                !options->has("company"))
                return usageError("add-contact needs --first, --last or --company");
            if (command == "add-mailuser" && (!options->has("name") || !options->has("email")))
                return usageError("add-mailuser needs --name and --email");
            if (command == "add-distlist" && !options->has("name"))
                return usageError("add-distlist needs --name");
            if (!open()) return kFailed;
            if (command == "add-contact") return addContact(store, rest);
            if (command == "add-mailuser") return addMailUser(*store, rest);
            return addDistList(*store, rest);
        }
        if (command == "import-vcard") {
            if (rest.size() != 1) return usageError("'import-vcard' takes one file");
            return open() ? importVCards(store, rest) : kFailed;
        }
        if (command == "desktop-contacts") {
            if (rest != std::vector<std::string>{"--sync"})
                return usageError("'desktop-contacts' takes --sync");
            return open() ? syncDesktopContactsOnce(store, registry_, out_, err_) : kFailed;
        }
        if (command == "export") {
            if (rest.size() == 2 && rest[0] == "--ics")
                return open() ? exportCalendar(*store, rest[1]) : kFailed;
            if ((rest.size() == 1 || rest.size() == 2) && rest[0] == "--vcf")
                return open() ? exportContacts(*store, rest.size() == 2 ? rest[1] : "Contacts")
                              : kFailed;
            return usageError("'export' takes --ics FOLDER or --vcf [FOLDER]");
        }
        if (command == "send-outbox") {
            std::optional<std::int64_t> resend;
            if (rest.size() == 2 && rest[0] == "--resend") {
                const auto id = FBinFromHex(rest[1]);
                if (!id || rest[1].empty())
                    return usageError("'" + rest[1] + "' is not an entry id (hexadecimal)");
                if (!open()) return kFailed;
                const auto ref = store->parse(*id);
                if (!ref || ref->kind != EntryKind::Message)
                    return usageError("'" + rest[1] + "' is not the entry id of an item");
                resend = ref->row;
            } else if (!rest.empty()) {
                return usageError("'send-outbox' takes --resend ENTRYID or nothing");
            }
            if (!registry_) {
                err_ << "jotwise-store: there are no settings that say how to send mail\n";
                return kFailed;
            }
            return open() ? sendOutbox(*store, *registry_, resend, out_) : kFailed;
        }
        if (command == "mail") return mail(rest);
        if (command == "mirror") {
            const bool to = rest.size() == 2 && rest[0] == "--to" && !rest[1].empty();
            const bool off = rest.size() == 1 && rest[0] == "--off";
            if (!to && !off && !rest.empty())
                return usageError("'mirror' takes --to DIR, --off or nothing");
            if (!registry_) {
                err_ << "jotwise-store: there are no settings to keep the mirror's folder in\n";
                return kFailed;
            }
            if (rest.empty()) {
                const auto folder = mirror::mirrorFolderSetting(*registry_);
                out_ << (folder ? "Mirror folder: " + folder->string() : "The mirror is off.")
                     << "\n";
                return kDone;
            }
            if (off) return mirrorOff(store.get());
            if (!ownStore)
                return usageError(
                    "'mirror --to' mirrors the profile's store, not the file of --db (add "
                    "--with-mirror if that file is the profile's store)");
            return open() ? mirrorTo(*store, rest[1]) : kFailed;
        }
        if (command == "desktop-calendar") {
            const std::string option = rest.size() == 1 ? rest[0] : "";
            if (option != "--on" && option != "--off" && option != "--status")
                return usageError("'desktop-calendar' takes --on, --off or --status");
            if (!registry_) {
                err_ << "jotwise-store: there are no settings to keep the switch in\n";
                return kFailed;
            }
            if (option == "--status") return printDesktopCalendarStatus(*registry_, out_);
            if (option == "--off") return desktopCalendarOff(store.get(), *registry_, out_, err_);
            if (!ownStore)
                return usageError(
                    "'desktop-calendar --on' writes the profile's store, not the file of --db "
                    "(add --with-mirror if that file is the profile's store)");
            return open() ? desktopCalendarOn(*store, *registry_, out_, err_) : kFailed;
        }
    } catch (const std::exception& e) {
        err_ << "jotwise-store: " << e.what() << "\n";
        return kFailed;
    }
    return usageError("unknown command '" + command + "'");
}

int StoreTool::mail(const std::vector<std::string>& args) {
    std::string error;
    const auto options = CommandOptions::parse(args, {"command", "from"}, {}, error);
    if (!options) return usageError("mail: " + error);
    if (!registry_) {
        err_ << "jotwise-store: there are no settings to keep the mail setup in\n";
        return kFailed;
    }
    const std::string from = options->get("from");
    if (!from.empty() && !transport::parseMailbox(from))
        return usageError("mail: '" + from +
                          "' is not an address (\"Ann Lee <ann@example.org>\" or "
                          "\"ann@example.org\")");
    for (const char* name : {"command", "from"}) {
        if (!options->has(name)) continue;
        const char* value =
            std::string(name) == "from" ? transport::kFromValue : transport::kSendCommandValue;
        if (!transport::writeMailSetting(*registry_, value, options->get(name))) {
            err_ << "jotwise-store: the mail setup cannot be written to the settings\n";
            return kFailed;
        }
    }
    printMailSetup(*registry_, out_);
    return kDone;
}

int StoreTool::folders(Store& store) {
    for (const auto& folder : store.folders())
        out_ << HexFromBin(store.folderEntryId(folder.id)) << '\t' << store.itemCount(folder.id)
             << '\t' << folder.name << '\n';
    return kDone;
}

const FolderRecord* StoreTool::findFolder(Store& store, const std::string& nameOrId) {
    const FolderRecord* folder = store.folderByName(nameOrId);
    if (!folder) {
        const auto id = FBinFromHex(nameOrId);
        const auto ref = id ? store.parse(*id) : std::nullopt;
        if (ref && ref->kind == EntryKind::Folder) folder = store.folderById(ref->row);
    }
    return folder;
}

int StoreTool::items(Store& store, const std::vector<std::string>& args) {
    const FolderRecord* folder = findFolder(store, args[0]);
    if (!folder) return usageError("no folder is named '" + args[0] + "'");
    std::int64_t after = 0;
    for (;;) {
        const auto ids = store.itemIdsAfter(folder->id, after, 256);
        if (ids.empty()) break;
        for (const auto& [id, props] : store.loadProps(ids))
            out_ << HexFromBin(store.itemEntryId(id)) << '\t' << itemSummary(store, props) << '\n';
        after = ids.back();
    }
    return kDone;
}

int StoreTool::show(Store& store, const std::vector<std::string>& args) {
    const EntryId id = *FBinFromHex(args[0]);
    const auto ref = store.parse(id);
    if (ref && ref->kind == EntryKind::Message) {
        if (auto record = store.loadItem(ref->row)) {
            listItem(store, *record, out_);
            return kDone;
        }
    } else if (ref) {
        if (auto entry = store.addressBook().load(id)) {
            listAddressEntry(store, *entry, out_);
            return kDone;
        }
    }
    err_ << "jotwise-store: nothing in the store has the entry id " << args[0] << "\n";
    return kFailed;
}

int StoreTool::addContact(const std::shared_ptr<Store>& store,
                          const std::vector<std::string>& args) {
    std::string error;
    const auto options = *CommandOptions::parse(
        args,
        {"first", "last", "company", "email", "phone", "full-name", "file-as", "street", "city",
         "state", "postal-code", "country", "po-box", "note"},
        {}, error);
    ContactFields fields;
    fields.firstName = options.get("first");
    fields.lastName = options.get("last");
    fields.fullName = options.get("full-name");
    fields.fileAs = options.get("file-as");
    fields.company = options.get("company");
    fields.email = options.get("email");
    fields.phone = options.get("phone");
    fields.street = options.get("street");
    fields.city = options.get("city");
    fields.state = options.get("state");
    fields.postalCode = options.get("postal-code");
    fields.country = options.get("country");
    fields.postOfficeBox = options.get("po-box");
    fields.note = options.get("note");
    out_ << HexFromBin(ContactWriter(store).add(fields)) << '\n';
    return kDone;
}

int StoreTool::addMailUser(Store& store, const std::vector<std::string>& args) {
    std::string error;
    const auto options = *CommandOptions::parse(
        args, {"name", "email", "first", "last", "company", "comment"}, {}, error);
    if (!looksLikeEmailAddress(options.get("email"))) {
        err_ << "jotwise-store: '" << options.get("email") << "' is not an e-mail address\n";
        return kFailed;
    }
    PropertyBag props;
    props.setString(PR_DISPLAY_NAME, options.get("name"));
    props.setString(PR_EMAIL_ADDRESS, options.get("email"));
    const std::pair<const char*, PropTag> optional[] = {{"first", PR_GIVEN_NAME},
                                                        {"last", PR_SURNAME},
                                                        {"company", PR_COMPANY_NAME},
                                                        {"comment", PR_COMMENT}};
    for (const auto& [name, tag] : optional)
        if (options.has(name)) props.setString(tag, options.get(name));
    const auto row = store.addressBook().addMailUser(props);
    out_ << HexFromBin(store.entryId(EntryKind::MailUser, row)) << '\n';
    return kDone;
}

int StoreTool::addDistList(Store& store, const std::vector<std::string>& args) {
    std::string error;
    const auto options = *CommandOptions::parse(args, {"name"}, {"member"}, error);
    std::vector<EntryId> members;
    for (const auto& member : options.all("member")) {
        const auto id = FBinFromHex(member);
        if (id && !member.empty() && store.addressBook().load(*id)) {
            members.push_back(*id);
            continue;
        }
        const auto match = store.addressBook().findByAddress(member);
        if (!match) {
            err_ << "jotwise-store: no address book entry or contact is '" << member << "'\n";
            return kFailed;
        }
        members.push_back(match->entry);
    }
    const auto row = store.addressBook().addDistList(options.get("name"), members);
    out_ << HexFromBin(store.entryId(EntryKind::DistList, row)) << '\n';
    return kDone;
}

int StoreTool::importVCards(const std::shared_ptr<Store>& store,
                            const std::vector<std::string>& args) {
    // A regular file only: a FIFO would keep the import waiting and a device such as
    // /dev/zero would never end.
    const platform::WholeFile read = platform::readWholeFile(args[0], kMaxVCardFileBytes);
    switch (read.status) {
        case platform::WholeFile::Status::Read:
            break;
        case platform::WholeFile::Status::Missing:
            err_ << "jotwise-store: cannot read '" << args[0] << "': there is no such file\n";
            return kFailed;
        case platform::WholeFile::Status::Unreadable:
            err_ << "jotwise-store: cannot read '" << args[0] << "': " << read.error << "\n";
            return kFailed;
        case platform::WholeFile::Status::TooLarge:
            err_ << "jotwise-store: '" << args[0] << "' is larger than "
                 << kMaxVCardFileBytes / (1024 * 1024) << " MB, more than a vCard file holds\n";
            return kFailed;
    }
    const VCardFile file = readVCards(read.content);
    for (const auto& problem : file.problems)
        err_ << args[0] << ":" << problem.line << ": card " << problem.card
             << " skipped: " << problem.reason << "\n";
    if (file.cards.empty()) {
        err_ << "jotwise-store: no usable vCard in '" << args[0] << "'\n";
        return kFailed;
    }
    // Skipped: the cards that could not be read and those that change nothing.
    std::size_t added = 0, updated = 0, skipped = file.problems.size();
    store->transact([&] {
        VCardImport import(store);
        for (const auto& card : file.cards) {
            switch (import.import(card)) {
                case VCardImport::Outcome::Added:
                    ++added;
                    break;
                case VCardImport::Outcome::Updated:
                    ++updated;
                    break;
                case VCardImport::Outcome::Unchanged:
                case VCardImport::Outcome::KeptByDesktop:
                    ++skipped;
                    break;
            }
        }
    });
    out_ << added << " added, " << updated << " updated, " << skipped << " skipped\n";
    return kDone;
}

namespace {

// Every item of a folder, in id order, read a page at a time.
void forEachItem(Store& store, const FolderRecord& folder,
                 const std::function<void(const ItemRecord&)>& visit) {
    std::int64_t after = 0;
    for (;;) {
        const auto ids = store.itemIdsAfter(folder.id, after, 256);
        if (ids.empty()) break;
        for (const auto id : ids)
            if (const auto record = store.loadItem(id)) visit(*record);
        after = ids.back();
    }
}

}  // namespace

int StoreTool::exportCalendar(Store& store, const std::string& folderName) {
    const FolderRecord* folder = findFolder(store, folderName);
    if (!folder) return usageError("no folder is named '" + folderName + "'");
    mirror::CalendarDocument document(store);
    forEachItem(store, *folder, [&](const ItemRecord& record) { document.add(record); });
    out_ << document.text();
    return kDone;
}

int StoreTool::exportContacts(Store& store, const std::string& folderName) {
    const FolderRecord* folder = findFolder(store, folderName);
    if (!folder) return usageError("no folder is named '" + folderName + "'");
    forEachItem(store, *folder, [&](const ItemRecord& record) {
        if (itemKindFromMessageClass(record.props.string(PR_MESSAGE_CLASS)) == ItemKind::Contact)
            out_ << mirror::vCardOf(record, store.known(),
                                    mirror::uidOf(store.itemEntryId(record.id)));
    });
    return kDone;
}

int StoreTool::mirrorTo(Store& store, const std::string& folder) {
    std::error_code error;
    const std::filesystem::path root = std::filesystem::absolute(folder, error).lexically_normal();
    if (error) {
        err_ << "jotwise-store: '" << folder << "' cannot be made an absolute path\n";
        return kFailed;
    }
    // The setting names only a folder the mirror could be written into: every program that
    // opens the store would fail on any other.
    std::string problem;
    if (!mirror::prepareMirrorFolders(root, problem)) {
        err_ << "jotwise-store: cannot write the mirror folder " << root.string() << ": " << problem
             << "\n";
        return kFailed;
    }
    auto active = mirror::attachedMirror(store);
    if (!active || active->root() != root) active = mirror::attachMirror(store, {root});
    // Failures are told below, once, instead of by the mirror's thread.
    active->setReporter(nullptr);
    const auto counts = active->rewriteAll();
    if (counts.failed > 0) {
        mirror::followMirrorSetting(store, *registry_);  // back to the mirror set before
        err_ << "jotwise-store: cannot write the mirror folder " << root.string() << ": "
             << counts.firstError << "\n";
        return kFailed;
    }
    if (!mirror::setMirrorFolderSetting(*registry_, root)) {
        mirror::followMirrorSetting(store, *registry_);
        err_ << "jotwise-store: the mirror's folder cannot be stored in the settings\n";
        return kFailed;
    }
    out_ << "Mirroring into " << root.string() << ": " << counts.written << " file"
         << (counts.written == 1 ? "" : "s") << " written";
    if (counts.removed > 0) out_ << ", " << counts.removed << " removed";
    out_ << "\n";
    return kDone;
}

int StoreTool::mirrorOff(Store* store) {
    const auto folder = mirror::mirrorFolderSetting(*registry_);
    if (!mirror::setMirrorFolderSetting(*registry_, std::nullopt)) {
        err_ << "jotwise-store: the setting cannot be changed\n";
        return kFailed;
    }
    if (store && mirror::attachedMirror(*store)) store->setChangeObserver(nullptr);
    if (folder)
        out_ << "The mirror is off; the files in " << folder->string()
             << " are left as they are.\n";
    else
        out_ << "The mirror is off.\n";
    return kDone;
}

}  // namespace outlook::local
