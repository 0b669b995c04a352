#include "outlook/local/store/schema.h"

#include "outlook/local/sqlite/database.h"
#include "outlook/local/sqlite/sqlite_error.h"
#include "outlook/local/store/folder_kind.h"

namespace outlook::local {
namespace {

// Row ids use AUTOINCREMENT so that a deleted item's entry id never names a later item.
constexpr const char* kTables = R"sql(
CREATE TABLE schema_version(version INTEGER NOT NULL);
CREATE TABLE meta(key TEXT PRIMARY KEY, value) WITHOUT ROWID;
CREATE TABLE folders(
    id INTEGER PRIMARY KEY,
    kind INTEGER NOT NULL UNIQUE,
    name TEXT NOT NULL,
    container_class TEXT NOT NULL);
CREATE TABLE items(
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    folder INTEGER NOT NULL REFERENCES folders(id),
    message_class TEXT NOT NULL);
CREATE INDEX items_by_folder ON items(folder, id);
CREATE TABLE props(
    item INTEGER NOT NULL REFERENCES items(id) ON DELETE CASCADE,
    id INTEGER NOT NULL,
    tag INTEGER NOT NULL,
    value,
    PRIMARY KEY(item, id)) WITHOUT ROWID;
CREATE TABLE recipients(
    item INTEGER NOT NULL REFERENCES items(id) ON DELETE CASCADE,
    position INTEGER NOT NULL,
    name TEXT NOT NULL,
    type INTEGER NOT NULL,
    address TEXT NOT NULL,
    display_name TEXT NOT NULL,
    resolved INTEGER NOT NULL,
    entry BLOB,
    PRIMARY KEY(item, position)) WITHOUT ROWID;
CREATE TABLE attachments(
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    item INTEGER NOT NULL REFERENCES items(id) ON DELETE CASCADE,
    position INTEGER NOT NULL,
    method INTEGER NOT NULL,
    display_name TEXT NOT NULL,
    file_name TEXT NOT NULL,
    path TEXT NOT NULL,
    size INTEGER NOT NULL,
    data BLOB);
CREATE INDEX attachments_by_item ON attachments(item, position);
CREATE TABLE named_props(
    id INTEGER PRIMARY KEY CHECK(id >= 32768 AND id <= 65534),
    guid BLOB NOT NULL,
    kind INTEGER NOT NULL,
    lid INTEGER NOT NULL,
    name TEXT NOT NULL,
    UNIQUE(guid, kind, lid, name));
CREATE TABLE ab_entries(
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    type INTEGER NOT NULL);
CREATE TABLE ab_props(
    entry INTEGER NOT NULL REFERENCES ab_entries(id) ON DELETE CASCADE,
    id INTEGER NOT NULL,
    tag INTEGER NOT NULL,
    value,
    PRIMARY KEY(entry, id)) WITHOUT ROWID;
CREATE TABLE ab_members(
    list INTEGER NOT NULL REFERENCES ab_entries(id) ON DELETE CASCADE,
    position INTEGER NOT NULL,
    member BLOB NOT NULL,
    PRIMARY KEY(list, position)) WITHOUT ROWID;
)sql";

}  // namespace

void Schema::create(sqlite::Database& db) {
    db.exec(kTables);
    db.prepare("INSERT INTO schema_version(version) VALUES(?)").bind(1, kVersion).run();
    auto insert = db.prepare("INSERT INTO folders(kind, name, container_class) VALUES(?, ?, ?)");
    for (const auto& folder : defaultFolders()) {
        insert.bind(1, static_cast<int>(folder.kind))
            .bind(2, folder.name)
            .bind(3, folder.containerClass)
            .run();
    }
}

int Schema::storedVersion(sqlite::Database& db, std::string& error) {
    try {
        const auto tables =
            db.queryInt("SELECT count(*) FROM sqlite_master WHERE name = 'schema_version'");
        if (tables == 0) {
            error = "it is an SQLite database but not a jotwise store (no schema version)";
            return 0;
        }
        const auto version = db.queryInt("SELECT max(version) FROM schema_version", 0);
        if (version <= 0) {
            error = "its schema version is missing";
            return 0;
        }
        if (version > kVersion) {
            error = "it was written by a newer program (schema version " + std::to_string(version) +
                    "; this one reads up to version " + std::to_string(kVersion) + ")";
            return 0;
        }
        return static_cast<int>(version);
    } catch (const sqlite::SqliteError& e) {
        error = std::string("it cannot be read (") + e.what() + ")";
        return 0;
    }
}

}  // namespace outlook::local
