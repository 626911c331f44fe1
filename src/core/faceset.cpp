#include "faceset.h"

namespace faceset {

QString unquoted(const QString &stored)
{
    QString path = stored;
    if (path.startsWith(QLatin1Char('"')))
        path.remove(0, 1);
    if (path.endsWith(QLatin1Char('"')))
        path.chop(1);
    return path;
}

QString quoted(const QString &path)
{
    return QLatin1Char('"') + path + QLatin1Char('"');
}

QString companionBitmapName(const QString &stored)
{
    const QString path = unquoted(stored);
    if (path.isEmpty())
        return QString();
    const qsizetype nameStart = std::max(path.lastIndexOf(QLatin1Char('/')),
                                         path.lastIndexOf(QLatin1Char('\\'))) + 1;
    const qsizetype dot = path.indexOf(QLatin1Char('.'), nameStart);
    if (dot < 0)
        return path + QLatin1String(".bmp");
    return path.left(dot + 1) + QLatin1String("bmp");
}

QChar filterRotationKey(QChar key)
{
    static const QString czechSmall = QStringLiteral("šžáčéěířůúý");
    const char16_t c = key.unicode();
    if ((c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || czechSmall.contains(key))
        return QLatin1Char('0');
    if (c >= u'4' && c <= u'9')
        return QChar(u'0' + (c - u'0') % 4);
    return key;
}

bool isRotationText(const QString &text)
{
    return text.size() == 1 && text[0] >= QLatin1Char('0') && text[0] <= QLatin1Char('3');
}

QString rotationLine(const QStringList &edits)
{
    return QLatin1String("[ ") + edits.join(QLatin1Char(' ')) + QLatin1String(" ]");
}

quint8 snapshotRotation(const QString &edit)
{
    bool ok = false;
    const int value = edit.toInt(&ok, 10);
    return ok ? quint8(value & 0xFF) : 0;
}

Snapshot takeSnapshot(const QStringList &labels, const QStringList &edits)
{
    Snapshot s;
    for (int i = 0; i < slotCount; ++i) {
        s.names[i] = companionBitmapName(labels.value(i));
        s.pictures[i] = unquoted(labels.value(i));
        s.rotations[i] = snapshotRotation(edits.value(i));
    }
    return s;
}

bool changed(const Snapshot &applied, const Snapshot &current)
{
    return applied.pictures != current.pictures || applied.names != current.names
            || applied.rotations != current.rotations;
}

} // namespace faceset
