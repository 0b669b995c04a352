#pragma once

#include <cstdint>

#include "notes/attachable_file.h"

namespace notes {

// Where and how large the last note was, whether shadows sit beside their notes, and how
// large an attached file may be. The program keeps them in the registry; every failure is
// silent (reads report nothing).
class NoteSettings {
public:
    virtual ~NoteSettings() = default;
    virtual bool ReadPosition(int& left, int& top) = 0;
    virtual bool ReadSize(int& width, int& height) = 0;
    virtual void WritePosition(int left, int top) = 0;
    virtual void WriteSize(int width, int height) = 0;
    virtual bool ReadBeside() = 0;
    virtual void WriteBeside(bool beside) = 0;
    // The largest file, in bytes, that a note copies into an item.
    virtual std::uint64_t AttachmentLimit() { return kDefaultAttachmentLimit; }
};

}  // namespace notes
