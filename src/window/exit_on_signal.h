// Ending the program from outside (kill, Ctrl+C, a closed terminal) the way the menu's Exit ends
// it, without ever leaving a transmitter's loop at a fixed current. A loop check that holds the
// loop refuses the main window's close and lets the loop go first; the program must then live on
// until the transmitter confirmed that and the main window closed itself, or until the engineer
// chose in the loop check's box to leave the loop as it is. A current simulation of the main
// window ("Abort" on its button) is ended the way "Abort" ends it before the window closes; no
// box is asked then, since nobody may be at the screen: what could not be confirmed is said to
// whoever sent the signal, and the program ends all the same.
#pragma once

#include <QString>

#include <functional>

class Form1;

// Where the lines for whoever sent the signal go; standard error when none is given.
using ExitReport = std::function<void(const QString &line)>;

// Closes `form` as Exit does. Calls `quit` at once when nothing held the program back (also
// without a window yet), and returns true; otherwise says through `report` what the program
// waits for, calls `quit` once the main window has closed, and returns false. A signal that comes
// while the program already waits changes nothing: the release is under way, and a loop check's
// box, if its release fails, is the engineer's to answer.
bool CloseOnExitSignal(Form1 *form, std::function<void()> quit, ExitReport report = {});
