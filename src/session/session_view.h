// What the main window's chains read from the window and show on it. The session runs the
// chains; the window only answers these calls, so that a chain's steps, bytes and messages can
// be driven and checked without a widget.
#pragma once

#include <QString>

class SessionView {
public:
    // The mouse pointer while a chain runs.
    enum class Pointer { Default, Hourglass, ArrowHourglass };
    // The entry fields a write takes its values from.
    enum class Field { Zero, Span, Damping, Tag, FixedCurrent };

    virtual ~SessionView() = default;

    virtual QString text(Field field) const = 0;
    // The field's name as the user knows it, for a message about its content.
    virtual QString fieldName(Field field) const = 0;
    // 0 for "4-20 mA", 1 for "20-4 mA", -1 when neither is selected.
    virtual int outputDirection() const = 0;
    // The mounting-effect list's position; -1 when the user typed over the chosen entry.
    virtual int mountingAction() const = 0;
    // Output monitoring is switched on.
    virtual bool monitoring() const = 0;

    virtual void setPointer(Pointer pointer) = 0;
    // A chain starts: its progress bar runs to 100 and stands at 0.
    virtual void startProgress() = 0;
    virtual void setProgress(int value) = 0;
    // The panels below the identification, hidden while the transmitter is read.
    virtual void setPanelsShown(bool shown) = 0;
    // The range as read becomes what the range fields are compared with.
    virtual void rangeRead() = 0;
    // Puts the session's device record on screen; the read is over.
    virtual void showDeviceData() = 0;
    // The tag as the transmitter will hold it.
    virtual void showTag(const QString &tag) = 0;
    virtual void showOutput(float mA, float percent) = 0;
    virtual void clearOutput() = 0;
    // The output bar back to its full scale and empty.
    virtual void resetOutputBar() = 0;
    // The simulation's button says "Abort" while a current was asked for, else "Send".
    virtual void setSimulationCaption(bool running) = 0;
    // The read button offers "Co&nnect" again (no transmitter answered).
    virtual void offerConnect() = 0;
    // Another maker's transmitter: the program ends.
    virtual void endProgram() = 0;
};
