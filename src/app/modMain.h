#pragma once

// Start-up: the command line names one menu file.
namespace app {

// Prepares the process and shows the menu window, the usage text or the not-found message.
// Returns once the first window has been shown; the caller then runs the message loop.
void Main();
// Turns the command line into a menu file name and takes the way it calls for.
void ProcessCommandLine();
// Shows the usage text; true when the user chose to create a new menu.
bool AskCreateNewFile();

}  // namespace app
