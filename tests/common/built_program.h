// The programs of this build (zanu-hart, zanu-sim, zanu-config) as the tests start them: where
// they are, and one run of a console tool to its end with its output.
#pragma once

#include "event_wait.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QtTest>

// ctest names the build folder; a test started by hand looks beside its own folder.
inline QString builtProgram(const QString &name) {
    const QString dir = qEnvironmentVariable("ZANU_BUILD_DIR");
    return QDir(dir.isEmpty() ? QCoreApplication::applicationDirPath() + QStringLiteral("/..")
                              : dir)
        .filePath(name);
}

// A program of this build that is missing fails the test rather than skipping it: a build that
// lost a target would otherwise pass with nothing checked.
#define VERIFY_BUILT(path)                                                                         \
    QVERIFY2(                                                                                      \
        QFileInfo(path).isExecutable(),                                                            \
        qPrintable(QStringLiteral("%1 is not built (build its target, or set ZANU_BUILD_DIR)")     \
                       .arg(path)))

struct ToolRun {
    int exitCode = -1; // -1: did not start, did not end in time, or crashed
    QString out, err;
};

// Runs `program` to its end. This process's event loop keeps running meanwhile, because a test's
// pseudo-terminal transmitters live in it.
inline ToolRun runTool(const QString &program, const QStringList &args,
                       const QProcessEnvironment &env = {}, int timeoutMs = 30000) {
    QProcess p;
    if (!env.isEmpty()) p.setProcessEnvironment(env);
    p.start(program, args);
    ToolRun r;
    if (!p.waitForStarted(3000) ||
        !waitInLoop([&] { return p.state() == QProcess::NotRunning; }, timeoutMs)) {
        p.kill();
        p.waitForFinished(1000);
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}
