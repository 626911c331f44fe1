#pragma once

#include "trace.h"

#include <QByteArray>
#include <QString>
#include <optional>

// The trace file (".tpt"): 31 lines ended by CR LF: "KP", fourteen grid
// columns "Z " + seven (face, rotation, blank), the move count, fifteen
// lines "K " + ten direction digits.
namespace tracefile {

// What a trace file holds of one net.
struct NetData
{
    trace::Grid picture;
    trace::History history;
};

QByteArray write(const trace::Grid &picture, const trace::History &history);

// Checks the whole file before returning anything: the mark, the line count
// (empty lines after line 31 are ignored) and lengths, every digit and its
// range, and that the counted moves keep the die on the drawn grid. On
// failure returns nothing and sets `error` to a short English reason (for
// tests; the windows show their own message).
std::optional<NetData> read(const QByteArray &bytes, QString *error = nullptr);

} // namespace tracefile
