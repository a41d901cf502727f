#pragma once

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

// True once after the process was continued from a stop (the screen may
// have been written over in between).
bool terminal_take_resumed();

// Restores the saved settings for good and puts the default signal
// handling back.
void terminal_detach();
