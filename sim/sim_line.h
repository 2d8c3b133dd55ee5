// The in-process line to the simulated transmitter itself, for tests and benchmarks; zanu-config
// reaches the same transmitter through the plug-in instead (sim/simulated_transmitter.h).
#pragma once

#include "sim/timed_line.h"

#include <QPointer>

class SimDevice;

class SimLine : public TimedLine {
    Q_OBJECT
public:
    SimLine(SimDevice *device, Timing timing, QObject *parent = nullptr);

protected:
    QByteArray answer(const QByteArray &request) override;
    bool reachable() const override;

private:
    QPointer<SimDevice> device_;
};
