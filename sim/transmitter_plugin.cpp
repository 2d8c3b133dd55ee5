#include "sim/transmitter_plugin.h"

#include "sim/sim_device.h"

#include <QByteArray>
#include <QtGlobal>

#include <cstring>

extern "C" {

Q_DECL_EXPORT int zanu_sim_interface_version() {
    return transmitter_plugin::kInterfaceVersion;
}

Q_DECL_EXPORT void *zanu_sim_create() {
    return new SimDevice;
}

Q_DECL_EXPORT void zanu_sim_destroy(void *device) {
    delete static_cast<SimDevice *>(device);
}

Q_DECL_EXPORT int zanu_sim_respond(void *device, const char *request, int length, char *reply,
                                   int capacity) {
    if (!device || !request || length < 0) return 0;
    const QByteArray answer =
        static_cast<SimDevice *>(device)->respond(QByteArray(request, length));
    if (answer.size() > capacity || (!reply && !answer.isEmpty())) return -1;
    if (!answer.isEmpty()) std::memcpy(reply, answer.constData(), size_t(answer.size()));
    return int(answer.size());
}

} // extern "C"
