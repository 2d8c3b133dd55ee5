// Where the operating system keeps its system-information viewer, for the About window.
#pragma once

#include <QString>

// The full path of the viewer, or empty when this system has none (always so outside Windows).
QString SystemInfoViewerPath();
