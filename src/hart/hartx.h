// HartX: the HART control the main window talks to. Property writes fill a request buffer,
// writing Command starts one transaction, and Result reports its end, always later from the
// event loop and exactly once per transaction.
#pragma once

#include "hart/link/hart_line.h"
#include "hart/link/link_timing.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class TransactionEngine;

class HartX : public QObject {
    Q_OBJECT
public:
    // The dispatch ids of the control's properties.
    enum DispId {
        DispCommPort = 1,
        DispLinkSetting3 = 3,
        DispLinkSetting6 = 6,
        DispCommand = 8,
        DispLinkSetting9 = 9,
        DispLinkSetting10 = 10,
        DispResponseCode = 12,
        DispByteCount = 61,
        DispDataIndex = 62,
        DispPackedLength = 64,
        DispFloatValue = 76,
        DispInt24Value = 78,
        DispByteValue = 79,
        DispPackedString = 81,
    };

    // Result's iResult for a transaction that ended without an answer.
    static constexpr qint16 kNoAnswer = 2;

    // Makes the line for a COM port number (1..12; 0 and others give a line that cannot open).
    // The default makes a SerialLine on the device comPortDeviceName() names.
    using LineFactory = std::function<std::unique_ptr<HartLine>(int comPort)>;

    explicit HartX(QObject *parent = nullptr);
    ~HartX() override;

    void setLineFactory(LineFactory factory);
    // The link's timing (time-outs, retries, the pause between transactions), handed to the
    // engine as it is; applies from the next transaction on.
    void setLinkTiming(const LinkTiming &timing);
    LinkTiming linkTiming() const;

    // --- Link settings (written by the link set-up) ---
    void setCommPort(quint8 port); // closes the open line; the next transaction opens the new one
    // How messages name the port; empty (the default) names it "COM n (device)".
    void setPortLabel(const QString &label);
    // LinkSetting3: polling address (0..63) used to reach the device with command 0.
    void setLinkSetting3(qint16 value);
    // LinkSetting6: master role; 1 = primary master, 0 = secondary master.
    void setLinkSetting6(qint16 value);
    // LinkSetting9: preambles sent before each request (at least 5, and at least what the device
    // asked for in its command-0 reply).
    void setLinkSetting9(qint16 value);
    // LinkSetting10: extra reply-time allowance in units of 10 ms, on top of the HART reply time
    // and the built-in allowance for USB-serial adapters.
    void setLinkSetting10(qint16 value);

    // --- Request ---
    void setDataIndex(qint16 index);
    void setByteCount(qint16 count);
    void setPackedLength(qint16 length);
    void setByteValue(quint8 value);
    void setFloatValue(double value); // sent as an IEEE single
    void setPackedString(const QString &text);
    // The whole request at once: `data` from DataIndex 0 on, ByteCount its size, DataIndex 0.
    void setRequestData(const QByteArray &data);
    // Starts a transaction (or queues it behind the outstanding one, with a snapshot of its
    // request). When ByteCount was not written since the previous Command write, the same command
    // goes out with its previous request again, another command with no request data.
    void setCommand(qint16 command);

    // --- Reply (of the last finished transaction) ---
    qint16 ResponseCode() const;
    quint8 DeviceStatus() const;
    quint8 ByteValue() const;
    float FloatValue() const;
    qint32 Int24Value() const;
    QString PackedString() const;
    // The last reply's data field, after the status bytes, as it came.
    QByteArray ReplyData() const;

    // Why the last transaction got no answer, in plain words for the user; empty after a reply.
    QString LastError() const;
    // The port as the control's own messages name it: the label given, else "COM n (device)"
    // with the device of the line in use (the simulated transmitter under --simulate).
    QString portDescription() const;
    // True while a transaction is on the line or queued.
    bool isBusy() const;
    // Settings as written (for tests and diagnostics).
    quint8 commPort() const;
    qint16 byteCount() const;
    QByteArray requestBuffer() const;
    // The data bytes of the request written last, as they go on the wire.
    QByteArray lastRequest() const;

signals:
    // iAction is always 0. iResult is 0 for a reply (whatever its response code) and kNoAnswer
    // for silence, garbled replies, a port that cannot be used, a command outside 0..255, and a
    // command other than 0 that was not sent: no device has answered the caller's command 0 yet,
    // or a different device answers now.
    void Result(qint16 iAction, qint16 iCommand, qint16 iResult);
    // Raised inside every Command write, once the transaction is queued: whoever dispatches the
    // Results learns here, in the same order, whose transaction each one will be.
    void commandQueued(qint16 command);

private:
    struct Private;
    std::unique_ptr<Private> d;
};

// The system device that "COM n" names: COMn on Windows; elsewhere $ZANU_COMn if set, else
// COM 1-4 = /dev/ttyS0-3, COM 5-8 = /dev/ttyUSB0-3, COM 9-12 = /dev/ttyACM0-3. Empty outside 1..12.
QString comPortDeviceName(int comPort);
