// The application-wide mouse pointer: 0 default, 11 hourglass, 13 arrow with hourglass.
// One setter, so the whole program agrees on it and tests can read it back.
#pragma once

enum MousePointerCode { vbDefault = 0, vbHourglass = 11, vbArrowHourglass = 13 };

void SetMousePointer(int code);
int MousePointer();
