#pragma once

#include <QChar>
#include <QString>
#include <QStringList>
#include <array>

// The face set: six slots (front, right, back, left, top, bottom), each a
// picture path stored with its surrounding double quotes and a rotation digit.
namespace faceset {

constexpr int slotCount = 6;

// "\"/obr/pes.jpg\"" -> "/obr/pes.jpg". A text without the quotes is returned
// as it stands.
QString unquoted(const QString &stored);
QString quoted(const QString &path);

// Name of the 32 x 32 bitmap beside a picture: the path up to and including
// the first full stop of the file name, then "bmp". The folders do not count
// (a folder "jan.novak" is common). A name without a full stop gets ".bmp".
// An empty label gives an empty name.
QString companionBitmapName(const QString &stored);

// The key filter of the rotation edits: letters (the Czech small accented
// ones included) become '0', digits 4..9 their remainder modulo 4; anything
// else passes unchanged.
QChar filterRotationKey(QChar key);

// True for "0", "1", "2" and "3".
bool isRotationText(const QString &text);

// "[ " + the six edits separated by one blank + " ]"; an empty edit leaves
// an empty text between its blanks.
QString rotationLine(const QStringList &edits);

// A rotation edit read as a decimal integer and kept as one unsigned byte;
// empty or not a number gives 0.
quint8 snapshotRotation(const QString &edit);

// What the quiz and trace windows take from the main window: the companion
// bitmap names, the rotations, and the pictures (a tile falls back to its
// picture when the companion bitmap is missing).
struct Snapshot
{
    std::array<QString, slotCount> names;
    std::array<QString, slotCount> pictures;
    std::array<quint8, slotCount> rotations{};

    bool operator==(const Snapshot &other) const = default;
};

Snapshot takeSnapshot(const QStringList &labels, const QStringList &edits);

// Whether a sheet window drawn with `applied` must offer to redraw for
// `current`: a picture path, a companion name or a rotation differs (exact,
// case-sensitive). Tiles taken from the pictures change with the path alone.
bool changed(const Snapshot &applied, const Snapshot &current);

} // namespace faceset

// The face set: six pictures (paths without quotes, empty until chosen), six
// rotations and the "Otočná" flag. A rotation is 0..3, or none after an
// invalid entry: the rotation line then leaves its number out.
class FaceSet
{
public:
    static constexpr int noRotation = -1;

    const QString &picture(int slot) const { return m_pictures[slot]; }
    void setPicture(int slot, const QString &path) { m_pictures[slot] = path; }
    // The first six paths fill slots 0..; the other slots keep their pictures.
    void setPictures(const QStringList &paths);
    bool complete() const;

    int rotation(int slot) const { return m_rotations[slot]; }
    void setRotation(int slot, int rotation);
    // "0".."3", or empty for none.
    QString rotationText(int slot) const;
    QStringList rotationTexts() const;
    // A rotation edit's text: "0".."3" is kept, anything else is none.
    void setRotationText(int slot, const QString &text);

    bool turnable() const { return m_turnable; }
    void setTurnable(bool turnable) { m_turnable = turnable; }

    // The path labels' captions: each picture in quotes, empty when none.
    QStringList labels() const;
    QString rotationLine() const;
    // "] otocna TRUE}" or "] otocna FALSE}".
    QString closingLine() const;
    faceset::Snapshot snapshot() const;

    bool operator==(const FaceSet &other) const = default;

private:
    std::array<QString, faceset::slotCount> m_pictures;
    std::array<int, faceset::slotCount> m_rotations{};
    bool m_turnable = true;
};
