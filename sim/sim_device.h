// The simulated Pelvanor I / Ostrimel transmitter: configuration, a slowly moving liquid
// column, the HART slave that answers requests, and switches for faults.
#pragma once

#include "hart/link/hart_codec.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

#include <memory>
#include <optional>

class SimDevice : public QObject {
    Q_OBJECT
public:
    struct Config {
        QString tag = QStringLiteral("LT-101");
        QString descriptor = QStringLiteral("WELL 3 LEVEL");
        quint8 day = 7, month = 12, year = 126; // year - 1900
        quint8 unitCode = 240;                  // mH2O
        float upperRange = 10.0f;               // in the PV unit
        float lowerRange = 0.0f;
        float damping = 0.4f; // seconds
        quint8 outputDirection = 0;
        std::optional<float> fixedCurrent; // mA while in fixed-current mode
        float mountingOffset = 0.0f;       // mH2O
        bool writeProtect = false;
        QString message;                 // 32 characters at most (command 17)
        quint32 finalAssemblyNumber = 0; // 24 bits (command 19)
        quint8 pollingAddress = 0;       // 0-15; non-zero: multidrop, loop current at 4 mA
        // The output stage's own correction, set by commands 45 and 46: what it drives for a
        // current it means is 4 mA + gain * (meant - 4 mA) + zero.
        float trimZeroMa = 0.0f;
        float trimGain = 1.0f;
    };

    struct TraceEntry {
        int command = 0;
        bool longAddress = false;
        QByteArray requestData;
        bool replied = false;
        int responseCode = 0;
        quint8 status = 0;
        QByteArray replyData; // after the status bytes
    };

    explicit SimDevice(QObject *parent = nullptr);
    ~SimDevice() override;

    // One whole request frame as it came off the line (preambles and noise before it allowed).
    // Returns the reply frame as it goes on the line, or empty when the device stays silent.
    // The device answers requests at its polling address (short) or at its own long address,
    // and command 11 also at the broadcast address, only when the tag matches. The reply carries
    // the requesting master's bit and the device's own burst state (off), whatever the request's
    // burst bit. Frames for other addresses, replies and fragments get silence. A request for us
    // whose check byte is wrong gets a communication-error reply (first status byte 0x88, no data)
    // and is not carried out, so the master learns at once that its frame was garbled and may
    // retry.
    QByteArray respond(const QByteArray &requestFrame);

    Config &config();
    const Config &config() const;
    quint8 manufacturerId() const;
    quint8 deviceType() const;
    QByteArray deviceId() const; // 3 bytes
    quint32 serialNumber() const;
    void setSerialNumber(quint32 serial);

    // The process: applied pressure in mH2O.
    void setAppliedPressure(double mH2O);
    double appliedPressure() const;

    // Left on, the liquid column wanders by a few centimetres a minute and every sample carries
    // a millimetre or two of noise. Off, the applied pressure is exactly what was set.
    void setNoise(bool on);
    bool noise() const;
    // Lets the damping catch up at once: PV := applied pressure - mounting offset.
    void settle();

    // What the transmitter measures and outputs right now (PV in the PV unit, loop current in mA,
    // percent of range), and the device status byte its next reply would carry.
    float primaryValue();
    float loopCurrent();
    // What a reference meter in series with the loop reads: the current meant, through the
    // trim and the output stage's error.
    double meterCurrent();
    // The output stage's error: the loop carries (driven * (1 + gainPercent / 100)) + offsetMa.
    void setDacError(double offsetMa, double gainPercent);
    // A trim is refused with response code 3 or 4 when the reading is further than this from
    // the fixed current: no meter that far off is a reading of this loop.
    static constexpr double kMaxTrimDeviationMa = 1.0;
    float percentOfRange();
    quint8 deviceStatus();
    // Clears the configuration-changed status bit (a master would use command 38 for this).
    void clearConfigChanged();
    // A device starts with cold start (0x20) pending; the first reply carries it and clears it.
    void setColdStart(bool pending);
    // Device malfunction (0x80), with its cause in the device-specific bytes of command 48.
    void setMalfunction(bool on);
    // The device-specific status bytes command 48 reports (kAdditionalStatusBytes of them):
    // byte 0 bit 0x01 sensor fault (malfunction).
    QByteArray additionalStatus() const;

    // The sensor, fixed by its build: limits and minimum span in mH2O...
    static constexpr double kUpperSensorLimitM = 20.0;
    static constexpr double kLowerSensorLimitM = 0.0;
    static constexpr double kMinimumSpanM = 0.5;
    // ...and as the device reports them, in the PV unit.
    float upperSensorLimit() const;
    float lowerSensorLimit() const;
    float minimumSpan() const;

    // Pascal per unit for the pressure unit codes this transmitter knows; nothing for others.
    static std::optional<double> pascalPerUnit(quint8 unitCode);
    // Changes the PV unit keeping the physical range (as command 44 does). A code the device
    // does not know is taken as is, with the values left as they are; returns false then.
    bool setUnit(quint8 unitCode);

    // Seeds the generator behind corruption, dropped bytes and process noise, for repeatable
    // runs.
    void setSeed(quint32 seed);

    // The same as respond(), for a caller whose own parser has already taken the item off the
    // line (zanu-sim).
    QByteArray respondTo(const hart::FrameParser::Item &item);

    // Faults. Silence is used up before busy; a request answered busy or with a forced code is
    // not carried out. The manufacturer id also changes the long address the device answers to.
    void setManufacturerId(quint8 id);
    void setDeviceId(const QByteArray &id); // 3 bytes; another transmitter of the same kind
    void setBusy(int nextRequests);         // answer busy (32) to the next n requests
    void setSilent(int nextRequests);       // no reply to the next n requests; -1: never reply
    void setForcedResponse(int command, int responseCode); // code 0 removes it
    void setCorruptProbability(double p);                  // per reply byte
    void setDropProbability(double p);                     // per reply byte
    void setWriteProtect(bool on);

    // Every request addressed to this device, answered or not (the oldest are dropped past
    // 10000, so that a simulator left polling for days does not grow without end).
    const QList<TraceEntry> &trace() const;
    void clearTrace();
    // The configuration as one JSON object (tag, descriptor, date, unit code, URV, LRV, damping,
    // output direction, fixed current or null, mounting-effect offset, write protection, message,
    // final assembly number, polling address, loop current trim).
    QByteArray stateJson() const;

signals:
    void configChanged();
    // "REQ cmd=13 addr=long data=" / "RSP cmd=13 rc=0 ...", and "LOOP ma=4.0380" after a request
    // that changed what a meter in the loop reads (fixing, trimming, releasing, multidrop).
    void traceLine(const QString &line);

private:
    struct Private;
    std::unique_ptr<Private> d;
};
