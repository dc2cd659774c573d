#pragma once

#include <windows.h>

// The system's own error boxes ("There is no disk in the drive", a file OpenFile cannot find)
// are never shown: a probe, a dialog or a save that fails is told in the program's own words.
// The programs it starts get the error mode it was started with, not its own.
namespace platform {

// For the whole process (threads of the shell and of COM included) and the calling thread;
// called once, at start.
void SilenceSystemErrorBoxes();

// While it lives, the calling thread shows no such box, whatever the process's mode is then:
// a worker's lookups stay silent while a start lends the process the mode it was started with.
class ThreadErrorBoxesSilenced {
public:
    ThreadErrorBoxesSilenced();
    ~ThreadErrorBoxesSilenced();
    ThreadErrorBoxesSilenced(const ThreadErrorBoxesSilenced&) = delete;
    ThreadErrorBoxesSilenced& operator=(const ThreadErrorBoxesSilenced&) = delete;

private:
    DWORD previous_ = 0;
};

// While it lives, the process has the error mode it was started with, which a process created
// meanwhile inherits (the shell offers no way to start one with another mode); the calling
// thread stays silent.
class StartedProgramsErrorMode {
public:
    StartedProgramsErrorMode();
    ~StartedProgramsErrorMode();
    StartedProgramsErrorMode(const StartedProgramsErrorMode&) = delete;
    StartedProgramsErrorMode& operator=(const StartedProgramsErrorMode&) = delete;

private:
    ThreadErrorBoxesSilenced thread_;
    UINT previous_ = 0;
};

}  // namespace platform
