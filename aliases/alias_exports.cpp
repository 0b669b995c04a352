// The exported keyword-store functions.
#include "../include/sentex.h"
#include "../parser/export_guard.h"
#include "../parser/parse_state.h"

namespace {

using sentex::guardedExport;
using sentex::TargetKind;
using sentex::textArgument;
using sentex::writeOutput;

sentex::AliasStore& store() {
    return sentex::parseState().aliases;
}

int32_t result(bool done) {
    return done ? 1 : 0;
}

int32_t addName(TargetKind kind, const char* name) {
    return guardedExport([&] { return result(store().addName(kind, textArgument(name))); });
}
int32_t deleteName(TargetKind kind, const char* name) {
    return guardedExport([&] { return result(store().deleteName(kind, textArgument(name))); });
}
int32_t renameName(TargetKind kind, const char* oldName, const char* newName) {
    return guardedExport([&] {
        return result(store().renameName(kind, textArgument(oldName), textArgument(newName)));
    });
}
int32_t isName(TargetKind kind, const char* name) {
    return guardedExport([&] { return result(store().isName(kind, textArgument(name))); });
}
int32_t autoFill(TargetKind kind, const char* beginning, char* name) {
    writeOutput(name, "");
    return guardedExport([&] {
        const auto completion = store().autoFill(kind, textArgument(beginning));
        if (completion) writeOutput(name, *completion);
        return result(completion.has_value());
    });
}

void writeSuggestions(char* block, const sentex::Suggestions& suggestions) {
    if (!block) return;
    for (std::size_t i = 0; i < suggestions.size(); ++i)
        writeOutput(block + SENTEX_TEXT_SLOT * i, suggestions[i]);
}

// Empties the block, then fills it with what `propose` returns; the result carries no
// information.
template <class Propose>
int32_t suggest(char* block, Propose&& propose) {
    writeSuggestions(block, {});
    guardedExport([&] {
        writeSuggestions(block, propose());
        return 0;
    });
    return 0;
}

int32_t enumerated(const std::optional<sentex::AliasView>& entry, char* alias, char* list,
                   char* project, char* contact) {
    if (!entry) return 0;
    writeOutput(alias, entry->alias);
    writeOutput(list, entry->list);
    writeOutput(project, entry->project);
    writeOutput(contact, entry->contact);
    return 1;
}

}  // namespace

extern "C" {

SENTEX_API int32_t SENTEX_CALL Prs_AddAlias(const char* alias, const char* list,
                                            const char* project, const char* contact) {
    return guardedExport([&] {
        return result(store().addAlias(textArgument(alias), textArgument(list),
                                       textArgument(project), textArgument(contact)));
    });
}
SENTEX_API int32_t SENTEX_CALL Prs_DeleteAlias(const char* alias) {
    return guardedExport([&] { return result(store().deleteAlias(textArgument(alias))); });
}
SENTEX_API int32_t SENTEX_CALL Prs_RenameAlias(const char* oldAlias, const char* newAlias) {
    return guardedExport([&] {
        return result(store().renameAlias(textArgument(oldAlias), textArgument(newAlias)));
    });
}

SENTEX_API int32_t SENTEX_CALL Prs_AddList(const char* name) {
    return addName(TargetKind::List, name);
}
SENTEX_API int32_t SENTEX_CALL Prs_DeleteList(const char* name) {
    return deleteName(TargetKind::List, name);
}
SENTEX_API int32_t SENTEX_CALL Prs_RenameList(const char* oldName, const char* newName) {
    return renameName(TargetKind::List, oldName, newName);
}
SENTEX_API int32_t SENTEX_CALL Prs_AddProject(const char* name) {
    return addName(TargetKind::Project, name);
}
SENTEX_API int32_t SENTEX_CALL Prs_DeleteProject(const char* name) {
    return deleteName(TargetKind::Project, name);
}
SENTEX_API int32_t SENTEX_CALL Prs_RenameProject(const char* oldName, const char* newName) {
    return renameName(TargetKind::Project, oldName, newName);
}
SENTEX_API int32_t SENTEX_CALL Prs_AddContact(const char* name) {
    return addName(TargetKind::Contact, name);
}
SENTEX_API int32_t SENTEX_CALL Prs_DeleteContact(const char* name) {
    return deleteName(TargetKind::Contact, name);
}
SENTEX_API int32_t SENTEX_CALL Prs_RenameContact(const char* oldName, const char* newName) {
    return renameName(TargetKind::Contact, oldName, newName);
}

SENTEX_API int32_t SENTEX_CALL Prs_IsValidAlias(const char* text) {
    return guardedExport([&] { return result(store().isValidAlias(textArgument(text))); });
}
SENTEX_API int32_t SENTEX_CALL Prs_IsAlias(const char* text) {
    return guardedExport([&] { return result(store().isAlias(textArgument(text))); });
}
SENTEX_API int32_t SENTEX_CALL Prs_IsList(const char* name) {
    return isName(TargetKind::List, name);
}
SENTEX_API int32_t SENTEX_CALL Prs_IsProject(const char* name) {
    return isName(TargetKind::Project, name);
}
SENTEX_API int32_t SENTEX_CALL Prs_IsContact(const char* name) {
    return isName(TargetKind::Contact, name);
}
SENTEX_API int32_t SENTEX_CALL Prs_FilterAlias(const char* text, char* canonical) {
    writeOutput(canonical, "");
    return guardedExport([&] {
        const std::string c = store().canonical(textArgument(text));
        if (c.empty() || c.size() > sentex::kMaxStoredText) return 0;
        writeOutput(canonical, c);
        return 1;
    });
}

SENTEX_API int32_t SENTEX_CALL Prs_SuggestListAliases(const char* name, char* suggestions) {
    return suggest(suggestions, [&] { return store().suggestNameAliases(textArgument(name)); });
}
SENTEX_API int32_t SENTEX_CALL Prs_SuggestProjectAliases(const char* name, char* suggestions) {
    return Prs_SuggestListAliases(name, suggestions);
}
SENTEX_API int32_t SENTEX_CALL Prs_SuggestContactAliases(const char* firstName,
                                                         const char* lastName,
                                                         const char* otherName, char* suggestions) {
    return suggest(suggestions, [&] {
        return store().suggestContactAliases(textArgument(firstName), textArgument(lastName),
                                             textArgument(otherName));
    });
}

SENTEX_API int32_t SENTEX_CALL Prs_AutoFillList(const char* beginning, char* name) {
    return autoFill(TargetKind::List, beginning, name);
}
SENTEX_API int32_t SENTEX_CALL Prs_AutoFillProject(const char* beginning, char* name) {
    return autoFill(TargetKind::Project, beginning, name);
}
SENTEX_API int32_t SENTEX_CALL Prs_AutoFillContact(const char* beginning, char* name) {
    return autoFill(TargetKind::Contact, beginning, name);
}

SENTEX_API int32_t SENTEX_CALL Prs_GetFirstAlias(char* alias, char* list, char* project,
                                                 char* contact) {
    return guardedExport(
        [&] { return enumerated(store().firstAlias(), alias, list, project, contact); });
}
SENTEX_API int32_t SENTEX_CALL Prs_GetNextAlias(char* alias, char* list, char* project,
                                                char* contact) {
    return guardedExport(
        [&] { return enumerated(store().nextAlias(), alias, list, project, contact); });
}

}  // extern "C"
