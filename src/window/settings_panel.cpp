// The "Send" buttons for damping and output direction, tag, and mounting effect. The fields
// they read are plain inputs; the request procedures take the values from them.
#include "window/form1.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTimer>

void Form1::Command4_Click() {
    if (!FieldsHoldNumbers({Text6})) return;
    Timer5->stop();
    session->SendWriteDamping();
}

void Form1::Command8_Click() {
    Timer5->stop();
    session->SendWriteTag();
}

void Form1::Command9_Click() {
    Timer5->stop();
    session->SendMountingEffect();
    // The action has to be chosen afresh for every use, so the list goes back to "Esc" whether or
    // not anything was sent, and so does the edit field of the editable list, which may hold text
    // the user typed over the entry.
    Combo2->setCurrentIndex(0);
    if (Combo2->isEditable() && Combo2->count() > 0) Combo2->setEditText(Combo2->itemText(0));
}
