// A configuration file set beside what a transmitter holds: every field, both sides, which
// differ, and which write groups it takes to make the transmitter match the file.
#pragma once

#include "records/configuration.h"

#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

namespace records {

// What can be written, in the groups the tool writes together and in the order it writes them:
// unit then range (HART 44, 35), damping then output direction (34, 152), tag with descriptor
// and date (18). Everything else is fixed by the transmitter's build.
enum class Group { None, UnitRange, DampingDirection, Tag };

struct FieldRow {
    QString key;   // the file's key, e.g. "lower_range_value"
    QString label; // for people, e.g. "Lower range value (4 mA)"
    bool pressure = false;
    QString file;   // the file's value, in the file's unit for a pressure
    QString device; // the transmitter's value, in its unit for a pressure
    // Pressures only: each side in the other side's unit.
    QString fileInDeviceUnit;
    QString deviceInFileUnit;
    bool differs = false;
    Group group = Group::None;
};

struct Comparison {
    QList<FieldRow> rows;
    QList<Group> groups; // to write, in writing order
    QStringList changes; // "name: old -> new", one per writable field that differs
    // The same for a person, each named by its row's caption in the language spoken:
    // "Upper range value (20 mA): 10 mH2O -> 12.5 mH2O"; `changes` keeps the file's keys for the
    // programs that read zanu-hart's output.
    QStringList changesShown;
    bool sameSerial = true;
    bool sameUnit = true;
};

Comparison compare(const Configuration &file, const Configuration &device,
                   const QLocale &locale = QLocale::c());

// Fields that still differ after a write: the writable ones only, by key.
QStringList writableDifferences(const Configuration &file, const Configuration &device);

QString groupText(Group g); // "unit and range", ...

// The field-device status byte in words, one phrase per bit set; "OK" when none is.
QString deviceStatusText(quint8 status);

// A number as a person reads it: the shortest text of its single-precision value.
QString numberText(double value, const QLocale &locale = QLocale::c());

} // namespace records
