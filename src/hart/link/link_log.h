// What went over the wire, for a service engineer chasing a modem, an adapter or a transmitter:
// zanu.hart.wire has one line per frame sent or received, zanu.hart.link the retries, time-outs
// and port events. Both are off by default (QT_LOGGING_RULES="zanu.hart.wire.debug=true" turns
// one on); a disabled category costs one flag test per frame.
#pragma once

#include <QByteArray>
#include <QLoggingCategory>
#include <QString>

Q_DECLARE_LOGGING_CATEGORY(lcHartWire)
Q_DECLARE_LOGGING_CATEGORY(lcHartLink)

namespace hart {

struct Frame;

// Milliseconds since the first line of the log, so that the lines of one run line up.
double logClockMs();
// "TX    123.4 ms  FF FF 82 ... | STX cmd 13 to b5 0a 01 02 03 (primary)". `frame` is the decoded
// item or nullptr when the bytes did not make a well-formed frame (`problem` says why).
QString wireLine(const char *direction, const QByteArray &bytes, const Frame *frame,
                 const QString &problem = QString());

// Turns both categories on.
void enableLinkLog();
// Turns both categories on and writes their lines to `path` (appending), each prefixed with the
// category; other messages go where they went before. False with *error when the file cannot be
// opened.
bool startLinkLogFile(const QString &path, QString *error);

} // namespace hart
