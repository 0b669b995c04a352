#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QWidget>
#include <chrono>
#include <filesystem>
#include <iostream>
#include <stdexcept>
#include <string>

#include "outlook/local/ui/store_windows.h"
#include "outlook/ole_date.h"
#include "tests/support/local_store_fixture.h"
#include "tests/support/null_message_boxes.h"
#include "tests/support/pictures.h"

namespace outlook::local::testing {

template <class T>
T& child(QWidget& parent, const char* name) {
    T* widget = parent.findChild<T*>(name);
    if (!widget) throw std::runtime_error(std::string("no widget ") + name);
    return *widget;
}

inline OleDate oleAt(std::chrono::local_seconds time) {
    return OleDateFromLocal(std::chrono::time_point_cast<std::chrono::milliseconds>(time));
}

inline std::chrono::local_seconds localAt(int y, unsigned m, unsigned d, int h = 0, int min = 0) {
    using namespace std::chrono;
    return local_days(year{y} / month{m} / day{d}) + hours(h) + minutes(min);
}

// A store with the store's own windows installed, sizes kept in memory, questions answered
// by `boxes` (No, unless a test says otherwise).
class StoreWindowTest : public LocalStoreFixture {
protected:
    void SetUp() override { windows = installStoreWindows(outlook(), nullptr, &sizes, &boxes); }
    void TearDown() override {
        windows.reset();
        QCoreApplication::processEvents();
    }

    DispatchPtr saveAppointment(const char* subject, std::chrono::local_seconds start, int minutes,
                                const char* categories = "") {
        auto item = createItem(olAppointmentItem);
        item->put("Subject", subject);
        item->put("Start", oleAt(start));
        item->put("Duration", minutes);
        if (*categories) item->put("Categories", categories);
        item->call("Save");
        return item;
    }
    DispatchPtr stored(const DispatchPtr& item) {
        return mapiNamespace()->call("GetItemFromID", {item->get("EntryID").asString()}).asObject();
    }

    // Saves a picture of `window` for a person to look at.
    static void keep(QWidget& window, const char* file) {
        QCoreApplication::processEvents();
        jotwise::testing::keepPicture(window, file);
    }

    MemoryWindowSizes sizes;
    jotwise::testing::NullMessageBoxes boxes;
    std::unique_ptr<StoreWindows> windows;
};

}  // namespace outlook::local::testing
