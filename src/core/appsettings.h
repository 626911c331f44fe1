#pragma once

#include <QString>
#include <QVariant>
#include <QVariantMap>
#include <optional>

// The program's settings file, ~/.config/vemtal/vemtal.conf (QSettings'
// INI format, where QSettings("vemtal", "vemtal") keeps it). Every user of
// a setting goes through here: the file is read only when it is a regular
// file of at most maxFileSize, never by QSettings itself (it would wait on
// a named pipe and read a huge file whole). A file that is there but is
// not such a file is left alone: the defaults are used, nothing is written.
namespace appsettings {

constexpr qint64 maxFileSize = 64 * 1024;

QString filePath();

struct Settings
{
    bool usable = true;   // missing counts as usable: the first write makes it
    QVariantMap values;   // "group/key" -> value

    QVariant value(const QString &key, const QVariant &fallback = {}) const
    {
        return values.value(key, fallback);
    }
};

Settings read(const QString &path = filePath());

// What read() makes of the file's bytes (parsed by QSettings from a private
// copy); not usable when QSettings finds them malformed.
Settings parse(const QByteArray &bytes);
// The bytes with `changes` put over them, as QSettings writes them; nothing
// when they are malformed or the result would exceed maxFileSize.
std::optional<QByteArray> merged(const QByteArray &bytes, const QVariantMap &changes);

// Puts `changes` over what the file holds now and writes it whole through
// QSaveFile. False, with nothing written, when the file is not usable or
// cannot be written.
bool write(const QVariantMap &changes, const QString &path = filePath());

} // namespace appsettings
