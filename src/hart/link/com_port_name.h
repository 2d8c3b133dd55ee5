// The system device behind "COM n", shared by the control and the console tool.
#pragma once

#include <QString>

// COMn on Windows; elsewhere $ZANU_COMn if set, else COM 1-4 = /dev/ttyS0-3,
// COM 5-8 = /dev/ttyUSB0-3, COM 9-12 = /dev/ttyACM0-3. Empty outside 1..12.
QString comPortDeviceName(int comPort);
