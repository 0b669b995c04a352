#pragma once

#include "platform/clock.h"
#include "platform/file_dialogs.h"
#include "platform/locale.h"
#include "platform/message_boxes.h"

namespace outlook {
class TDataStore;
}

namespace notes {

class NoteHost;
class NoteSettings;

// What every note works with: the Outlook session, the running program, the stored
// settings, the dialogs, the clock, and how the user writes dates.
struct NoteContext {
    outlook::TDataStore& store;
    NoteHost& host;
    NoteSettings& settings;
    platform::MessageBoxes& boxes;
    platform::FileDialogs& files;
    const platform::Clock& clock;
    platform::ShortDateFormat dateFormat;
};

}  // namespace notes
