#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>
#include <time.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <mutex>
#include <sstream>
#include <string>
#include <vector>

#include "outlook/local/mirror/calendar_writer.h"
#include "outlook/local/mirror/mirror.h"
#include "outlook/local/mirror/mirror_names.h"
#include "outlook/local/mirror/mirror_setting.h"
#include "outlook/local/store/store.h"
#include "outlook/mapi.h"
#include "outlook/ole_date.h"
#include "tests/support/local_store_fixture.h"

namespace outlook::local::testing {

// Sets TZ for the life of the object, so that local times convert the same everywhere.
class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char* zone) {
        if (const char* old = ::getenv("TZ")) old_ = old;
        ::setenv("TZ", zone, 1);
        ::tzset();
    }
    ~ScopedTimeZone() {
        if (old_)
            ::setenv("TZ", old_->c_str(), 1);
        else
            ::unsetenv("TZ");
        ::tzset();
    }

private:
    std::optional<std::string> old_;
};

// A local wall-clock time as an automation date.
inline OleDate localDate(int year, unsigned month, unsigned day, int hour = 0, int minute = 0) {
    using namespace std::chrono;
    const local_days date{std::chrono::year(year) / std::chrono::month(month) /
                          std::chrono::day(day)};
    return OleDateFromLocal(local_time<milliseconds>(date + hours(hour) + minutes(minute)));
}

inline std::string readText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The content lines of an iCalendar or vCard text with the folding undone.
inline std::vector<std::string> unfoldedLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && line[0] == ' ' && !lines.empty())
            lines.back() += line.substr(1);
        else
            lines.push_back(line);
    }
    return lines;
}

// The lines of property `name` ("DTSTART" finds "DTSTART:..." and "DTSTART;...").
inline std::vector<std::string> linesOf(const std::string& text, const std::string& name) {
    std::vector<std::string> out;
    for (const auto& line : unfoldedLines(text))
        if (line.rfind(name + ":", 0) == 0 || line.rfind(name + ";", 0) == 0) out.push_back(line);
    return out;
}

// The one line of property `name`, or "(none)" / "(several)".
inline std::string lineOf(const std::string& text, const std::string& name) {
    const auto lines = linesOf(text, name);
    if (lines.empty()) return "(none)";
    if (lines.size() > 1) return "(several)";
    return lines[0];
}

// A store in a temporary folder with a mirror into `root()`, in New York time.
class MirrorFixture : public LocalStoreFixture {
protected:
    void TearDown() override {
        // The mirror's thread stops before the time zone goes back.
        if (mirror_) mirror_->detach();
        reopen();
    }

    fs::path root() const { return temp.path() / "mirror"; }

    // The setting names the folder too: the store's poll keeps only the mirror it names.
    mirror::Mirror& startMirror(mirror::Mirror::Options options = {}) {
        options.root = root();
        options.report = [this](const std::string& message) {
            std::lock_guard lock(reportsMutex);
            reports.push_back(message);
        };
        EXPECT_TRUE(mirror::setMirrorFolderSetting(registry, root()));
        mirror_ = mirror::attachMirror(store(), std::move(options));
        return *mirror_;
    }
    mirror::Mirror& activeMirror() { return *mirror_; }
    void flush() { mirror_->flush(); }

    ItemRecord recordOf(const DispatchPtr& item) {
        const auto ref = store().parse(*mapi::FBinFromHex(item->get("EntryID").asString()));
        return *store().loadItem(ref->row);
    }
    // The item's calendar, after checking that libical finds nothing wrong in it.
    std::string calendar(const DispatchPtr& item) {
        const std::string text = mirror::calendarOf(store(), recordOf(item));
        EXPECT_EQ(mirror::calendarProblems(text), std::vector<std::string>{}) << text;
        return text;
    }

    std::string uidOf(const DispatchPtr& item) {
        return item->get("EntryID").asString() + "-jotwise";
    }
    fs::path fileOf(mirror::MirrorFolder folder, const DispatchPtr& item) {
        return root() / mirror::folderName(folder) / mirror::fileNameOf(folder, uidOf(item));
    }
    std::string textOf(mirror::MirrorFolder folder, const DispatchPtr& item) {
        return readText(fileOf(folder, item));
    }
    // Every file under the root, by path relative to it.
    std::vector<std::string> files() {
        std::vector<std::string> out;
        std::error_code error;
        for (const auto& entry : fs::recursive_directory_iterator(root(), error))
            if (entry.is_regular_file()) out.push_back(fs::relative(entry.path(), root()).string());
        std::sort(out.begin(), out.end());
        return out;
    }
    std::vector<std::string> reportsSoFar() {
        std::lock_guard lock(reportsMutex);
        return reports;
    }

    DispatchPtr appointment(const char* subject, OleDate start, OleDate end) {
        auto item = createItem(olAppointmentItem);
        item->put("Subject", subject);
        item->put("Start", start);
        item->put("End", end);
        item->call("Save");
        return item;
    }

    ScopedTimeZone zone{"America/New_York"};
    std::mutex reportsMutex;
    std::vector<std::string> reports;

private:
    std::shared_ptr<mirror::Mirror> mirror_;
};

}  // namespace outlook::local::testing
