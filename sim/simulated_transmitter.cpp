#include "sim/simulated_transmitter.h"

#include <QCoreApplication>
#include <QDir>
#include <QPointer>

namespace {

class PluginLine : public TimedLine {
public:
    PluginLine(SimulatedTransmitter *transmitter, Timing timing)
        : TimedLine(timing), transmitter_(transmitter) {}

protected:
    QByteArray answer(const QByteArray &request) override {
        return transmitter_ ? transmitter_->respond(request) : QByteArray();
    }
    bool reachable() const override { return !transmitter_.isNull(); }

private:
    QPointer<SimulatedTransmitter> transmitter_;
};

template <typename Function>
Function resolve(QLibrary &library, const char *name, QString *missing) {
    auto f = reinterpret_cast<Function>(library.resolve(name));
    if (!f && missing->isEmpty()) *missing = QString::fromLatin1(name);
    return f;
}

} // namespace

SimulatedTransmitter::~SimulatedTransmitter() {
    if (destroy_ && device_) destroy_(device_);
    // The library stays loaded: objects the transmitter left to the event loop may still run its
    // code, and the program ends soon after anyway.
}

QStringList SimulatedTransmitter::defaultFolders() {
    const QDir programDir(QCoreApplication::applicationDirPath());
    return {programDir.path(),
            QDir::cleanPath(programDir.filePath(QStringLiteral(ZANU_SIM_PLUGIN_DIR)))};
}

std::unique_ptr<SimulatedTransmitter> SimulatedTransmitter::load(const QStringList &folders,
                                                                 QString *error) {
    using namespace transmitter_plugin;
    QStringList tried;
    for (const QString &folder : folders) {
        auto library =
            std::make_unique<QLibrary>(QDir(folder).filePath(QString::fromLatin1(kFileName)));
        if (!library->load()) {
            tried << library->errorString();
            continue;
        }
        QString missing;
        const auto version =
            resolve<VersionFunction>(*library, "zanu_sim_interface_version", &missing);
        const auto create = resolve<CreateFunction>(*library, "zanu_sim_create", &missing);
        std::unique_ptr<SimulatedTransmitter> t(new SimulatedTransmitter);
        t->destroy_ = resolve<DestroyFunction>(*library, "zanu_sim_destroy", &missing);
        t->respond_ = resolve<RespondFunction>(*library, "zanu_sim_respond", &missing);
        if (!missing.isEmpty()) {
            tried << QStringLiteral("%1 is not the simulated transmitter (it has no %2)")
                         .arg(library->fileName(), missing);
            continue;
        }
        if (version() != kInterfaceVersion) {
            tried << QStringLiteral("%1 is of another version (%2, this program needs %3)")
                         .arg(library->fileName())
                         .arg(version())
                         .arg(kInterfaceVersion);
            continue;
        }
        t->device_ = create();
        t->library_ = std::move(library);
        return t;
    }
    if (error)
        *error = QStringLiteral("the simulated transmitter could not be loaded: %1. Install the "
                                "zanu-config package again, or run zanu-sim on a pseudo-terminal "
                                "instead (see zanu-sim(1)).")
                     .arg(tried.isEmpty() ? QStringLiteral("no folder to look in")
                                          : tried.join(QStringLiteral("; ")));
    return nullptr;
}

std::unique_ptr<HartLine> SimulatedTransmitter::line(TimedLine::Timing timing) {
    return std::make_unique<PluginLine>(this, timing);
}

QByteArray SimulatedTransmitter::respond(const QByteArray &request) {
    QByteArray reply(transmitter_plugin::kReplyCapacity, Qt::Uninitialized);
    const int n = respond_(device_, request.constData(), int(request.size()), reply.data(),
                           int(reply.size()));
    return n > 0 ? reply.left(n) : QByteArray();
}
