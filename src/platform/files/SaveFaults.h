#pragma once

// A seam for tests: make the next atomic save fail at a chosen step, as if the system had
// refused it there, so that the recovery after a failure can be checked on both builds.
namespace platform::files {

enum class SaveStep {
    CreateTemporary,  // creating the new file beside the old one
    Write,            // writing its bytes
    Flush,            // flushing them to the disk
    CopyAttributes,   // giving it the old file's attributes
    Replace,          // putting it in the old file's place
};

// The next SaveAtomically fails at `step` (once).
void FailNextSaveAt(SaveStep step);

// For the implementations: true, once, at the step a test asked to fail.
bool SaveStepFails(SaveStep step);

}  // namespace platform::files
