// Ending the program from outside (kill, Ctrl+C, a closed terminal) the way the menu's Exit ends
// it, without ever leaving a transmitter's loop at a fixed current. A loop check that holds the
// loop refuses the main window's close and lets the loop go first; the program must then live on
// until the transmitter confirmed that and the main window closed itself, or until the engineer
// chose in the loop check's box to leave the loop as it is.
#pragma once

#include <functional>

class Form1;

// Closes `form` as Exit does. Calls `quit` at once when nothing held the program back (also
// without a window yet), and returns true; otherwise calls it once the main window has closed,
// and returns false. A signal that comes while the program already waits changes nothing: the
// release is under way, and its box, if it fails, is the engineer's to answer.
bool CloseOnExitSignal(Form1 *form, std::function<void()> quit);
