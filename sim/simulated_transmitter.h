// zanu-config's way to the simulated transmitter: the plug-in loaded at run time, only for
// --simulate, and lines to it with the timing of a real modem line.
#pragma once

#include "sim/timed_line.h"
#include "sim/transmitter_plugin.h"

#include <QLibrary>
#include <QObject>
#include <QStringList>

#include <memory>

class SimulatedTransmitter : public QObject {
    Q_OBJECT
public:
    ~SimulatedTransmitter() override;

    // The plug-in from the first of `folders` that has it; none, with the reason in `error`, when
    // no folder has it or it is not one of ours in this version.
    static std::unique_ptr<SimulatedTransmitter> load(const QStringList &folders, QString *error);
    // Where a build tree (beside the program) and an installed package keep the plug-in.
    static QStringList defaultFolders();

    // A line to this transmitter; it goes silent, and cannot be opened, once the transmitter is
    // gone.
    std::unique_ptr<HartLine> line(TimedLine::Timing timing);

    // The reply frame to a request frame, empty for silence.
    QByteArray respond(const QByteArray &request);

private:
    SimulatedTransmitter() = default;

    std::unique_ptr<QLibrary> library_;
    transmitter_plugin::DestroyFunction destroy_ = nullptr;
    transmitter_plugin::RespondFunction respond_ = nullptr;
    void *device_ = nullptr;
};
