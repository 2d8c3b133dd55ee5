// A loop check on the simulated transmitter: the main window read and idle, the Loop check
// window open with no settling time, and readers of the fixed-current requests on the line.
#pragma once

#include "chain_helper.h"
#include "hart/link/hart_codec.h"
#include "keeper/records_keeper.h"
#include "loop_check_steps.h"

namespace loopcheck {

// The currents of every command-40 request the transmitter received, in order.
inline QList<float> fixedCurrents(const GuiFixture &f) {
    QList<float> out;
    for (const QByteArray &d : chain::requestsOf(f, 40))
        out.append(d.size() >= 4 ? hart::getFloat(d, 0) : -1.0f);
    return out;
}

// True when the last request of all was command 40 at 0 mA and the transmitter left
// fixed-current mode.
inline bool endedReleased(const GuiFixture &f) {
    const auto &t = f.device.trace();
    if (t.isEmpty() || t.last().command != 40 || t.last().requestData.size() < 4) return false;
    return hart::getFloat(t.last().requestData, 0) == 0.0f && !f.device.config().fixedCurrent;
}

inline LoopCheckWindow *open(GuiFixture &f, const QString &points = QStringLiteral("4; 20")) {
    return open(*f.form, points);
}

inline bool awaiting(LoopCheckWindow *w, int index) {
    return spinUntil(awaitingAt(w, index));
}

inline bool finished(LoopCheckWindow *w) {
    return spinUntil(letGo(w), 10000);
}

} // namespace loopcheck
