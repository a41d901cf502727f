#pragma once

#include <string_view>

// The one place that changes the terminal's settings. Key mode is how keys
// are read: non-canonical, no echo, no signal keys, no flow control, CR not
// turned into NL; output settings are never touched. Whatever happens (a
// normal exit, a fatal signal, a stop and continue) the terminal gets back
// the settings it had when the program started.

// Takes charge of the terminal open on fd: saves its settings and installs
// the signal handlers that restore them. False (and nothing changed) when fd
// is not a terminal.
bool terminal_attach(int fd);

// Switches to key mode / back to the terminal's own settings. Both are
// no-ops when no terminal is attached or the mode is already the one asked.
void terminal_enter_key_mode();
void terminal_leave_key_mode();

// While a key is awaited: the screen on show, which is written out again
// when the process is continued after a stop (the shell has written over it
// in between). The text must stay unchanged until terminal_done_waiting.
void terminal_waiting_with_screen(std::string_view screen);
void terminal_done_waiting();

// Restores the saved settings for good and puts the default signal
// handling back.
void terminal_detach();
