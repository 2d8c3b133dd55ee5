#include "window/check_response_code.h"

#include "dialogs/msgbox.h"
#include "units/module1.h"

int CheckResponseCode(int code, int command) {
    if (code == 0) return 0;
    const int answer =
        MsgBox(Module1::ResponseCodeMessage(code, command), vbOKOnly, QStringLiteral("Error"));
    // A message was shown, so the caller must hear "failed" even from a box that answered 0
    // (closed by the window manager, or a scripted answer).
    return answer != 0 ? answer : vbOK;
}
