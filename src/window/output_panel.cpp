// Output monitoring and the loop-current simulation: the window's events, handed to the session,
// which runs the poll and the simulation.
#include "window/form1.h"

#include "dialogs/msgbox.h"

#include <QLineEdit>

namespace {

constexpr int kKeyEnter = 13;

} // namespace

bool Form1::FieldsHoldNumbers(std::initializer_list<const QLineEdit *> fields) {
    for (const QLineEdit *field : fields) {
        const QString problem = Session::NoNumberProblem(field->text(), field->accessibleName());
        if (!problem.isEmpty()) {
            MsgBox(problem, vbOKOnly);
            return false;
        }
    }
    return true;
}

void Form1::Option3_Click(int index) {
    if (index == 1)
        session->startMonitoring();
    else
        session->stopMonitoring();
}

void Form1::Command5_Click() {
    session->toggleSimulation();
}

void Form1::Text8_KeyPress(int keyAscii) {
    if (keyAscii != kKeyEnter) return;
    session->simulationEntered();
    Text8->setFocus();
}
