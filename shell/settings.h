#pragma once

#include <memory>
#include <string_view>

#include "notes/note_settings.h"
#include "platform/registry.h"

namespace shell {

// The program's own settings under the current user: where and how large the last note
// was, whether shadows sit beside or behind their notes, and how large an attached file may
// be. Every failure is silent:
// reads report the setting as absent and writes do not happen.
class TRegistry : public notes::NoteSettings {
public:
    explicit TRegistry(platform::Registry& registry) : registry_(registry) {}

    // True only when the key opened and both values were read as 32-bit integers.
    bool ReadPosition(int& left, int& top) override;
    bool ReadSize(int& width, int& height) override;
    // Creates the key if needed; the second value is written only if the first was.
    void WritePosition(int left, int top) override;
    void WriteSize(int width, int height) override;

    // Beside unless "Side" holds the integer 0.
    bool ReadBeside() override;
    void WriteBeside(bool beside) override;

    // "MaxSizeMB" under Software\Jotwise\Attachments, in megabytes; 25 when it is not a
    // positive integer.
    std::uint64_t AttachmentLimit() override;

    // Whether the program has kept any setting of its own for this user yet (the key
    // Software\Jotwise or any key below it); a new profile has none.
    bool HasProgramSettings();
    // Remembers that the user has been welcomed: "Shown" under Software\Jotwise\Welcome.
    void WriteWelcomeShown();
    // Whether the user has been told how to work without a tray icon: "Shown" under
    // Software\Jotwise\Trayless.
    bool TraylessNoticeShown();
    void WriteTraylessNoticeShown();
    // Whether a notification confirms what a note filed: yes unless "On" under
    // Software\Jotwise\Confirmation holds 0.
    bool FiledConfirmationOn();

private:
    // One handle per key, opened by the first call that needs it and kept; a failed open
    // is tried again by the next call.
    struct KeySlot {
        std::string_view path;
        std::unique_ptr<platform::RegistryKey> handle;
    };

    platform::RegistryKey* open(KeySlot& slot, bool create);
    bool readPair(KeySlot& slot, std::string_view first, std::string_view second, int& a, int& b);
    void writePair(KeySlot& slot, std::string_view first, std::string_view second, int a, int b);

    platform::Registry& registry_;
    KeySlot position_{"Software\\Jotwise\\Note\\Position", nullptr};
    KeySlot shadow_{"Software\\Jotwise\\Note\\Shadow", nullptr};
    KeySlot attachments_{"Software\\Jotwise\\Attachments", nullptr};
    KeySlot welcome_{"Software\\Jotwise\\Welcome", nullptr};
    KeySlot trayless_{"Software\\Jotwise\\Trayless", nullptr};
    KeySlot confirmation_{"Software\\Jotwise\\Confirmation", nullptr};
};

}  // namespace shell
