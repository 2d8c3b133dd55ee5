// What a feature beside the main window may ask of it. The features (health, finder, records,
// loop check, trend, trim) are handed this and the session, never the main window itself, so
// that none of them learns from a widget what runs or reaches into the window's controls.
#pragma once

#include "records/comparison.h"

#include <QList>

class QAction;
class QWidget;

class MainWindowPort {
public:
    virtual ~MainWindowPort() = default;

    // The main window, as the parent of the features' own windows and boxes.
    virtual QWidget *window() = 0;

    // The COM port this run uses (1..12), its link set-up, and a port found elsewhere taken for
    // this run and kept in zanu.ini (false, nothing changed, when it cannot be taken).
    virtual int comPort() const = 0;
    virtual void linkSetup() = 0;
    virtual bool storeComPort(int port) = 0;

    // Output monitoring is switched on: after a feature's requests the poll resumes.
    virtual bool monitoring() const = 0;

    // Entries of a feature in "&File", before "E&xit", between separators.
    virtual void addFileMenuEntries(const QList<QAction *> &actions) = 0;

    // While a loop check holds the loop, nothing in the main window that sends may be used;
    // unlocked, everything is as it was before.
    virtual void lockForLoopCheck() = 0;
    virtual void unlockAfterLoopCheck() = 0;
    // "Trim output…" of the loop check: the output trim's window.
    virtual void openOutputTrim() = 0;

    // A configuration file's group into the window's fields, as the user would type it; then
    // the group's "Send" pressed, or the transmitter read again ("Re&fresh").
    virtual void fillGroup(const records::Configuration &c, records::Group group) = 0;
    virtual void pressSend(records::Group group) = 0;
    virtual void refresh() = 0;
};
