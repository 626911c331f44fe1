#include "appsettings.h"

#include "regularfile.h"
#include "textfile.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <cerrno>

namespace appsettings {

namespace {

// The file's bytes; empty when it is not there. False when it is there but
// may not be used.
bool readBytes(const QString &path, QByteArray &bytes)
{
    regularfile::ReadError error;
    if (regularfile::read(path, maxFileSize, bytes, error))
        return true;
    bytes.clear();
    return error.kind == regularfile::ReadError::System && error.systemError == ENOENT;
}

// QSettings parses (and writes) a private copy of the bytes, so that it
// never opens the real file.
struct Copy
{
    QTemporaryFile file;
    bool ok = false;

    explicit Copy(const QByteArray &bytes)
    {
        ok = file.open() && file.write(bytes) == bytes.size() && file.flush();
    }
};

// The program writes plain numbers, words and page size names. QSettings
// would turn a value "@Variant(...)" into any type its data stream names
// (a picture, decoded at whatever size it claims), and escapes can spell
// the '@': a file with either is no settings file of ours.
bool plainValues(const QByteArray &bytes)
{
    return !bytes.contains('@') && !bytes.contains('\\');
}

} // namespace

QString filePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
            + QStringLiteral("/vemtal/vemtal.conf");
}

Settings parse(const QByteArray &bytes)
{
    Settings settings;
    if (bytes.isEmpty())
        return settings;
    if (!plainValues(bytes))
        return {false, {}};
    Copy copy(bytes);
    const QSettings parsed(copy.file.fileName(), QSettings::IniFormat);
    if (!copy.ok || parsed.status() != QSettings::NoError) {
        settings.usable = false;
        return settings;
    }
    // The program's keys are plain "group/key" names. Anything else in the
    // file (no key name, a leading '/', bytes that are not text) QSettings
    // does not read back under the same name once it has written the file;
    // it is no setting of ours and is left out.
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_.-]+(/[A-Za-z0-9_.-]+)*$"));
    for (const QString &key : parsed.allKeys())
        if (plain.match(key).hasMatch())
            settings.values.insert(key, parsed.value(key));
    return settings;
}

std::optional<QByteArray> merged(const QByteArray &bytes, const QVariantMap &changes)
{
    if (!plainValues(bytes))
        return std::nullopt;
    Copy copy(bytes);
    if (!copy.ok)
        return std::nullopt;
    const QString copyPath = copy.file.fileName();
    {
        QSettings settings(copyPath, QSettings::IniFormat);
        if (settings.status() != QSettings::NoError)
            return std::nullopt;
        for (auto it = changes.cbegin(); it != changes.cend(); ++it)
            settings.setValue(it.key(), it.value());
        settings.sync();
        if (settings.status() != QSettings::NoError)
            return std::nullopt;
    }
    QByteArray out;
    regularfile::ReadError error;
    // QSettings escapes what is not plain text; such a file would not be read back.
    if (!regularfile::read(copyPath, maxFileSize, out, error) || !plainValues(out))
        return std::nullopt;
    return out;
}

Settings read(const QString &path)
{
    QByteArray bytes;
    if (!readBytes(path, bytes))
        return {false, {}};
    return parse(bytes);
}

bool write(const QVariantMap &changes, const QString &path)
{
    QByteArray bytes;
    if (!readBytes(path, bytes))
        return false;
    const std::optional<QByteArray> out = merged(bytes, changes);
    QString reason;
    return out && QDir().mkpath(QFileInfo(path).absolutePath())
            && textfile::writeFile(path, *out, reason);
}

} // namespace appsettings
