// Helpers for the window tests that start from a read transmitter: a window whose read sequence
// has finished on a quiet simulated transmitter, and small readers of what went over the line.
#pragma once

#include "gui_test_helper.h"
#include "hart/link/hart_codec.h"
#include "local_number.h"

#include <QTimer>
#include <QtTest>

namespace chain {

// The read sequence has run, Timer1's tick has revealed the panels and made its one read of the
// output signal, and nothing is outstanding. Trace and message boxes start empty from here.
inline bool settle(GuiFixture &f) {
    f.device.setNoise(false);
    f.device.settle();
    if (!f.loadAndWaitForData()) return false;
    f.form->Timer1->stop();
    f.form->session->Timer1_Timer();
    if (!f.waitIdle()) return false;
    f.device.clearTrace();
    f.clearBoxes();
    return true;
}

// Every request of the given command the transmitter received, in order.
inline QList<QByteArray> requestsOf(const GuiFixture &f, int command) {
    QList<QByteArray> out;
    for (const auto &e : f.device.trace())
        if (e.command == command) out.append(e.requestData);
    return out;
}

} // namespace chain
