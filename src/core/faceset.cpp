#include "faceset.h"

#include <algorithm>

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

void FaceSet::setPictures(const QStringList &paths)
{
    for (int slot = 0; slot < faceset::slotCount && slot < paths.size(); ++slot)
        m_pictures[slot] = paths[slot];
}

bool FaceSet::complete() const
{
    return std::none_of(m_pictures.begin(), m_pictures.end(),
                        [](const QString &path) { return path.isEmpty(); });
}

void FaceSet::setRotation(int slot, int rotation)
{
    m_rotations[slot] = rotation >= 0 && rotation <= 3 ? rotation : noRotation;
}

QString FaceSet::rotationText(int slot) const
{
    return m_rotations[slot] == noRotation ? QString() : QString::number(m_rotations[slot]);
}

QStringList FaceSet::rotationTexts() const
{
    QStringList texts;
    for (int slot = 0; slot < faceset::slotCount; ++slot)
        texts << rotationText(slot);
    return texts;
}

void FaceSet::setRotationText(int slot, const QString &text)
{
    setRotation(slot, faceset::isRotationText(text) ? text[0].unicode() - u'0' : noRotation);
}

QStringList FaceSet::labels() const
{
    QStringList labels;
    for (const QString &path : m_pictures)
        labels << (path.isEmpty() ? QString() : faceset::quoted(path));
    return labels;
}

QString FaceSet::rotationLine() const
{
    return faceset::rotationLine(rotationTexts());
}

QString FaceSet::closingLine() const
{
    return m_turnable ? QStringLiteral("] otocna TRUE}") : QStringLiteral("] otocna FALSE}");
}

faceset::Snapshot FaceSet::snapshot() const
{
    return faceset::takeSnapshot(labels(), rotationTexts());
}
