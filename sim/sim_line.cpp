#include "sim/sim_line.h"

#include "sim/sim_device.h"

SimLine::SimLine(SimDevice *device, Timing timing, QObject *parent)
    : TimedLine(timing, parent), device_(device) {}

QByteArray SimLine::answer(const QByteArray &request) {
    return device_ ? device_->respond(request) : QByteArray();
}

bool SimLine::reachable() const {
    return !device_.isNull();
}
