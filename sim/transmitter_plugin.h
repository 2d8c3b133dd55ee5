// The simulated transmitter as a plug-in that zanu-config loads only when started with
// --simulate, so that the program engineers run on site carries no transmitter model. Its
// interface is plain C: the program and the plug-in each link their own copy of the HART
// library, and no C++ object may cross between the two copies.
#pragma once

namespace transmitter_plugin {

// Raised whenever a function below changes; a plug-in of another version is refused.
constexpr int kInterfaceVersion = 1;
// The file's name without the platform's prefix and suffix, as QLibrary takes it.
constexpr const char *kFileName = "zanu-sim-transmitter";

using VersionFunction = int (*)();
using CreateFunction = void *(*)();
using DestroyFunction = void (*)(void *device);
// A HART frame is at most about 300 bytes on the line (preambles, a long address, 255 data bytes);
// a reply buffer of this size holds any.
constexpr int kReplyCapacity = 1024;
// The reply frame to one request frame written to `reply`: its length, 0 for silence, -1 when it
// would not fit into `capacity` bytes (the request is then answered with silence).
using RespondFunction = int (*)(void *device, const char *request, int length, char *reply,
                                int capacity);

} // namespace transmitter_plugin
