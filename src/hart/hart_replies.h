// The replies this program reads, each as a typed value decoded in one place from the
// catalogue's layout. The window, zanu-hart and the records read a reply through these and never
// by offsets of their own, so that a layout mistake cannot be made twice in different ways.
//
// A decoder reads only the bytes it is given: a reply shorter than its layout is no value but a
// reason; bytes beyond the layout (a newer revision's additions) are ignored.
#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QtGlobal>

#include <optional>
#include <utility>

namespace hart {

// A decoded reply, or why there is none.
template <typename T> class Decoded {
public:
    Decoded(T value) : value_(std::move(value)) {} // NOLINT(google-explicit-constructor)
    static Decoded failure(const QString &why) {
        Decoded d;
        d.why_ = why;
        return d;
    }
    explicit operator bool() const { return value_.has_value(); }
    const T &operator*() const { return *value_; }
    const T *operator->() const { return &*value_; }
    const QString &why() const { return why_; }

private:
    Decoded() = default;
    std::optional<T> value_;
    QString why_;
};

// Command 0 and 11.
struct Identity {
    quint8 marker = 0;
    quint8 manufacturerId = 0;
    quint8 deviceType = 0;
    quint8 preamblesRequired = 0;
    quint8 universalRevision = 0;
    quint8 deviceRevision = 0;
    quint8 softwareRevision = 0;
    quint8 hardwareRevision = 0; // the byte's top five bits
    quint8 signallingCode = 0;   // its low three bits
    quint8 flags = 0;
    quint32 deviceId = 0; // 24 bits
};

// Command 13, and the echo of 18.
struct TagDescriptorDate {
    QString tag;        // 8 characters as stored, padding included
    QString descriptor; // 16 characters as stored
    quint8 day = 0;
    quint8 month = 0;
    quint8 yearSince1900 = 0;
    // Invalid when the three bytes are no calendar date.
    QDate date() const { return QDate(1900 + yearSince1900, month, day); }
};

// Command 14.
struct SensorInfo {
    quint32 serialNumber = 0; // 24 bits
    quint8 limitsUnit = 0;
    float upperLimit = 0;
    float lowerLimit = 0;
    float minimumSpan = 0;
};

// Command 15.
struct OutputInfo {
    quint8 alarmSelection = 0;
    quint8 transferFunction = 0;
    quint8 rangeUnit = 0;
    float upperRange = 0;
    float lowerRange = 0;
    float damping = 0;
    quint8 writeProtect = 0;
    quint8 privateLabel = 0;
};

// Command 2.
struct LoopCurrent {
    float current = 0; // mA
    float percent = 0; // of range
};

// Command 1.
struct PrimaryVariable {
    quint8 unit = 0;
    float value = 0;
};

// Command 3: this transmitter has a primary variable only.
struct DynamicVariables {
    float current = 0; // mA
    quint8 pvUnit = 0;
    float pv = 0;
};

// Command 35's echo.
struct RangeValues {
    quint8 unit = 0;
    float upper = 0;
    float lower = 0;
};

// Command 48: the device-specific status bytes.
struct AdditionalStatus {
    QByteArray deviceSpecific;
};

// Command 129.
struct OutputDirection {
    quint8 reserved = 0;
    quint8 direction = 0; // 0 rising 4-20 mA, 1 falling 20-4 mA
};

Decoded<Identity> decodeIdentity(const QByteArray &data);
Decoded<TagDescriptorDate> decodeTagDescriptorDate(const QByteArray &data);
Decoded<SensorInfo> decodeSensorInfo(const QByteArray &data);
Decoded<OutputInfo> decodeOutputInfo(const QByteArray &data);
Decoded<LoopCurrent> decodeLoopCurrent(const QByteArray &data);
Decoded<PrimaryVariable> decodePrimaryVariable(const QByteArray &data);
Decoded<DynamicVariables> decodeDynamicVariables(const QByteArray &data);
Decoded<RangeValues> decodeRangeValues(const QByteArray &data);
Decoded<AdditionalStatus> decodeAdditionalStatus(const QByteArray &data);
Decoded<OutputDirection> decodeOutputDirection(const QByteArray &data);
// Commands whose reply is one float (34 damping, 40 fixed current) or one byte (44 unit, 6
// polling address, 150 mounting effect, 152 direction), read from the first data byte.
Decoded<float> decodeSingle(const QByteArray &data);
Decoded<quint8> decodeByte(const QByteArray &data);

// The same layouts written, as a transmitter writes them: the simulator answers through these,
// and a decoded reply written again gives its bytes back.
QByteArray encode(const Identity &v);
QByteArray encode(const TagDescriptorDate &v);
QByteArray encode(const SensorInfo &v);
QByteArray encode(const OutputInfo &v);
QByteArray encode(const LoopCurrent &v);
QByteArray encode(const PrimaryVariable &v);
QByteArray encode(const DynamicVariables &v);
QByteArray encode(const RangeValues &v);
QByteArray encode(const AdditionalStatus &v);
QByteArray encode(const OutputDirection &v);
// The one float or one byte of the commands above that carry nothing else, request or reply.
QByteArray encodeSingle(float v);
QByteArray encodeByte(quint8 v);

} // namespace hart
