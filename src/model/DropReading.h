#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "model/CCommand.h"

namespace model {

// What the files of one drop (or paste) became.
struct DropReading {
    // The items, in the order the files were given.
    std::vector<std::shared_ptr<CCommand>> commands;
    // The files that could not be read, in the order given, each with why (a text id).
    std::vector<std::pair<std::wstring, unsigned>> refused;
    // The files not read at all: the items already filled the room there was.
    std::vector<std::wstring> notRead;
};

// Reads `files` in order until `room` items have been made; the files after them are not read.
// `goOn` is asked before each file is read, given how many have been; false stops the reading.
// Reads on the calling thread, as CommandFromFile does.
DropReading ReadDroppedFiles(const std::vector<std::wstring>& files, int room,
                             const std::function<bool(int read)>& goOn);

// The one message a drop ends with when files were left out, empty when none was: for each
// reason, the first few files and how many more, then the reason; the files the limit left
// out come last, followed by `limitMessage`. In the interface's language: on the
// user-interface thread.
std::wstring LeftOutMessage(const DropReading& reading, const std::wstring& limitMessage);

}  // namespace model
