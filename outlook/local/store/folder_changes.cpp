#include "outlook/local/store/folder_changes.h"

#include <string>
#include <string_view>

#include "outlook/local/sqlite/database.h"

namespace outlook::local {
namespace {

// Now as FILETIME ticks (100 ns since 1601-01-01 UTC; julianday 2305813.5 is that day).
constexpr const char* kNowTicks = "CAST((julianday('now') - 2305813.5) * 864000000000 AS INTEGER)";

// Moves the time of the folder that `folder` names on. Every folder has its row from the
// start (the default folders are fixed for the life of a store); one without a row has no
// time, and nothing is kept from it.
std::string touch(std::string_view folder) {
    std::string sql = "UPDATE folder_changes SET changed = max(changed + 1, ";
    sql.append(kNowTicks).append(") WHERE folder = ").append(folder).append(";");
    return sql;
}

// The folder of the item that a row of the properties names (`row` is NEW or OLD).
std::string itemFolder(std::string_view row) {
    std::string sql = "(SELECT folder FROM items WHERE id = ";
    sql.append(row).append(".item)");
    return sql;
}

std::string trigger(std::string_view name, std::string_view event, std::string_view body) {
    std::string sql = "CREATE TRIGGER IF NOT EXISTS folder_changed_";
    sql.append(name).append(" AFTER ").append(event).append(" BEGIN ").append(body);
    sql += " END;";
    return sql;
}

}  // namespace

bool folderChangesTracked(sqlite::Database& db) {
    return db.queryInt(
               "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = "
               "'folder_changes'") == 1;
}

void trackFolderChanges(sqlite::Database& db) {
    std::string sql =
        "CREATE TABLE IF NOT EXISTS folder_changes(folder INTEGER PRIMARY KEY, changed INTEGER "
        "NOT NULL);";
    sql += trigger("item_added", "INSERT ON items", touch("NEW.folder"));
    sql += trigger("item_removed", "DELETE ON items", touch("OLD.folder"));
    sql += trigger("item_changed", "UPDATE ON items", touch("OLD.folder") + touch("NEW.folder"));
    sql += trigger("prop_added", "INSERT ON props", touch(itemFolder("NEW")));
    sql += trigger("prop_changed", "UPDATE ON props", touch(itemFolder("NEW")));
    // The properties of a deleted item go after it; its folder has been told already.
    sql += trigger("prop_removed", "DELETE ON props", touch(itemFolder("OLD")));
    sql.append("INSERT OR IGNORE INTO folder_changes(folder, changed) SELECT id, ")
        .append(kNowTicks)
        .append(" FROM folders;");
    db.exec(sql);
}

std::optional<std::int64_t> folderChangeTicks(sqlite::Database& db, std::int64_t folder) {
    if (!folderChangesTracked(db)) return std::nullopt;
    auto query = db.prepare("SELECT changed FROM folder_changes WHERE folder = ?");
    if (!query.bind(1, folder).step()) return std::nullopt;
    return query.columnInt(0);
}

}  // namespace outlook::local
