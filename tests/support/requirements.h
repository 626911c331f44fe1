#pragma once

// What a test needs from the machine. Where it is missing the test skips
// with the reason, except in CI (VEMTAL_CI set, as .ci/run sets it), where
// everything must be there and a missing piece fails the test.
#include <QStandardPaths>
#include <QtTest>

inline bool runsInCi()
{
    return qEnvironmentVariableIsSet("VEMTAL_CI");
}

// Skips the test with `reason` (a C string), or fails it in CI.
#define VEMTAL_SKIP_OUTSIDE_CI(reason)                                                             \
    do {                                                                                           \
        if (runsInCi())                                                                            \
            QFAIL(QByteArray(QByteArray(reason) + " (required in CI)").constData());              \
        QSKIP(reason);                                                                             \
    } while (false)

// A program the test runs, found in PATH.
#define VEMTAL_REQUIRE_TOOL(program, package)                                                      \
    do {                                                                                           \
        if (QStandardPaths::findExecutable(QStringLiteral(program)).isEmpty())                     \
            VEMTAL_SKIP_OUTSIDE_CI(program " (" package ") is not installed");                     \
    } while (false)
