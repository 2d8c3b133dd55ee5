// The one place where a HART reply's response code becomes something the engineer must see.
#pragma once

// Returns 0 for code 0 without showing anything. For any other code, shows the code's message
// for the reply to `command` in a modal "Error" box with an OK button and returns the box's
// answer, which is never 0: callers only test the result for non-zero.
int CheckResponseCode(int code, int command);
