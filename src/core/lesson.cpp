#include "lesson.h"

#include "netgeometry.h"
#include "textfile.h"
#include "ziparchive.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPageSize>

#include <cmath>

namespace lesson {

namespace {

const QString manifestName = QStringLiteral("lesson.json");
const QString formatName = QStringLiteral("vemtal-lesson");
constexpr qint64 maxManifestSize = 256 * 1024;
// The trace window's nets.
constexpr int netWidth = 430;
constexpr int netHeight = 232;

QString pictureEntry(int slot, const QByteArray &suffix)
{
    return QStringLiteral("pictures/%1.%2").arg(slot).arg(QLatin1String(suffix));
}

QString companionEntry(int slot)
{
    return QStringLiteral("pictures/companion-%1.bmp").arg(slot);
}

const char *const quizTextNames[QuizSheet::textImageCount] = {"popis", "dalsipopis",
                                                              "dalsipopis2", "nazev"};
const char *const traceTextNames[2] = {"popis", "nazev"};

QByteArray png(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// The picture in `bytes`, checked as a picture from outside is (a lesson
// may come from anyone); `image`, when given, receives it.
picturefile::Format decoded(const QByteArray &bytes, QImage *image = nullptr, QSize largest = QSize())
{
    picturefile::Problem problem;
    return picturefile::decode(bytes, problem, image, largest);
}

QJsonObject placedObject(const sheet::Placed &placed, const QString &image)
{
    return {{QStringLiteral("image"), image},
            {QStringLiteral("left"), placed.topLeft.x()},
            {QStringLiteral("top"), placed.topLeft.y()},
            {QStringLiteral("visible"), placed.visible}};
}

// Reading: every field is looked up, its type and range checked; the first
// failure is kept and later reads give defaults.
class Checker
{
public:
    explicit Checker(const QHash<QString, QByteArray> &entries) : m_entries(entries) { }

    bool failed() const { return !m_problem.isEmpty(); }
    const QString &problem() const { return m_problem; }
    void fail(const QString &what)
    {
        if (m_problem.isEmpty())
            m_problem = what;
    }

    QJsonObject object(const QJsonObject &in, const char *key)
    {
        const QJsonValue v = in.value(QLatin1String(key));
        if (!v.isObject())
            fail(QLatin1String(key));
        return v.toObject();
    }
    bool flag(const QJsonObject &in, const char *key)
    {
        const QJsonValue v = in.value(QLatin1String(key));
        if (!v.isBool())
            fail(QLatin1String(key));
        return v.toBool();
    }
    int integer(const QJsonObject &in, const char *key, int low, int high)
    {
        const QJsonValue v = in.value(QLatin1String(key));
        const double d = v.toDouble(std::nan(""));
        if (!v.isDouble() || d != std::floor(d) || d < low || d > high) {
            fail(QLatin1String(key));
            return low;
        }
        return int(d);
    }
    double number(const QJsonObject &in, const char *key, double low, double high)
    {
        const QJsonValue v = in.value(QLatin1String(key));
        const double d = v.toDouble(std::nan(""));
        if (!v.isDouble() || !(d >= low && d <= high)) {
            fail(QLatin1String(key));
            return low;
        }
        return d;
    }
    QString text(const QJsonObject &in, const char *key, int maxLength)
    {
        const QJsonValue v = in.value(QLatin1String(key));
        if (!v.isString() || v.toString().size() > maxLength || textfile::breaksLines(v.toString()))
            fail(QLatin1String(key));
        return v.toString();
    }
    QJsonArray array(const QJsonObject &in, const char *key, int size)
    {
        const QJsonValue v = in.value(QLatin1String(key));
        if (!v.isArray() || v.toArray().size() != size)
            fail(QLatin1String(key));
        return v.toArray();
    }
    // Memo lines: at most maxMemoLines texts without line breaks.
    QStringList lines(const QJsonObject &in, const char *key)
    {
        const QJsonValue v = in.value(QLatin1String(key));
        QStringList out;
        if (!v.isArray() || v.toArray().size() > maxMemoLines) {
            fail(QLatin1String(key));
            return out;
        }
        for (const QJsonValue &line : v.toArray()) {
            const QString text = line.toString();
            if (!line.isString() || text.size() > 4096 || textfile::breaksLines(text))
                fail(QLatin1String(key));
            out << text;
        }
        return out;
    }
    // The bytes of the entry a field names.
    QByteArray entry(const QJsonObject &in, const char *key)
    {
        const QString name = text(in, key, 200);
        if (!m_entries.contains(name)) {
            fail(QLatin1String(key));
            return {};
        }
        return m_entries.value(name);
    }
    // A text image: a PNG of at most the sheet's size, where a drag may leave it.
    sheet::Placed placed(const QJsonObject &in)
    {
        sheet::Placed p;
        const QByteArray bytes = entry(in, "image");
        QImage image;
        if (!failed() && decoded(bytes, &image, maxTextSize) != picturefile::Format::Png)
            fail(QStringLiteral("image"));
        p.image = image.convertToFormat(QImage::Format_RGB32);
        p.topLeft = QPoint(integer(in, "left", -119, 419), integer(in, "top", -89, 579));
        p.visible = flag(in, "visible");
        return p;
    }

private:
    // A caption is as wide as the model's name.
    static constexpr QSize maxTextSize{8192, 600};
    const QHash<QString, QByteArray> &m_entries;
    QString m_problem;
};

} // namespace

QString contentHash(const Lesson &lesson)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const Picture &picture : lesson.pictures) {
        hash.addData(QByteArray::number(picture.data.size()) + picture.suffix + '\n');
        hash.addData(picture.data);
        hash.addData(QByteArray::number(picture.companion.size()) + '\n');
        hash.addData(picture.companion);
    }
    return QString::fromLatin1(hash.result().toHex().left(32));
}

QByteArray write(const Lesson &lesson, QString *error)
{
    QList<ziparchive::Entry> entries;
    QJsonObject manifest{{QStringLiteral("format"), formatName},
                         {QStringLiteral("version"), formatVersion}};

    QJsonArray faces;
    for (int slot = 0; slot < faceset::slotCount; ++slot) {
        const Picture &picture = lesson.pictures[slot];
        QJsonObject face;
        const int rotation = lesson.faces.rotation(slot);
        face.insert(QStringLiteral("rotation"), rotation == FaceSet::noRotation ? QJsonValue()
                                                                                : QJsonValue(rotation));
        if (!picture.data.isEmpty()) {
            const QString name = pictureEntry(slot, picture.suffix);
            face.insert(QStringLiteral("picture"), name);
            entries.append({name, picture.data, false});
            if (!picture.companion.isEmpty()) {
                face.insert(QStringLiteral("companion"), companionEntry(slot));
                entries.append({companionEntry(slot), picture.companion, true});
            }
        }
        faces.append(face);
    }
    manifest.insert(QStringLiteral("faces"), faces);
    manifest.insert(QStringLiteral("turnable"), lesson.faces.turnable());

    if (lesson.quiz) {
        const QuizSheet &sheet = *lesson.quiz;
        entries.append({QStringLiteral("quiz.tkt"), sheet.fileBytes(), true});
        QJsonArray texts;
        for (int i = 0; i < QuizSheet::textImageCount; ++i) {
            const QString name = QStringLiteral("quiz/%1.png").arg(QLatin1String(quizTextNames[i]));
            entries.append({name, png(sheet.textImage(QuizSheet::TextImage(i)).image), false});
            texts.append(placedObject(sheet.textImage(QuizSheet::TextImage(i)), name));
        }
        manifest.insert(QStringLiteral("quiz"),
                        QJsonObject{{QStringLiteral("file"), QStringLiteral("quiz.tkt")},
                                    {QStringLiteral("confirmed"), sheet.confirmed()},
                                    {QStringLiteral("turnCounter"), sheet.nets().turnCounter()},
                                    {QStringLiteral("modelName"), lesson.modelName},
                                    {QStringLiteral("texts"), texts}});
    }

    if (lesson.trace) {
        const Trace &trace = *lesson.trace;
        QJsonArray nets;
        QJsonArray netImages;
        for (int n = 1; n <= 2; ++n) {
            const QString name = QStringLiteral("trace%1.tpt").arg(n);
            entries.append({name, trace.netFiles[n - 1], true});
            nets.append(name);
            const QString image = QStringLiteral("trace/net%1.png").arg(n);
            entries.append({image, png(trace.netImages[n - 1]), false});
            netImages.append(image);
        }
        QJsonArray texts;
        for (int i = 0; i < 2; ++i) {
            const QString name = QStringLiteral("trace/%1.png").arg(QLatin1String(traceTextNames[i]));
            entries.append({name, png(trace.texts[i].image), false});
            texts.append(placedObject(trace.texts[i], name));
        }
        manifest.insert(QStringLiteral("trace"),
                        QJsonObject{{QStringLiteral("files"), nets},
                                    {QStringLiteral("netImages"), netImages},
                                    {QStringLiteral("pictureMode"), trace.pictureMode},
                                    {QStringLiteral("activeNet"), trace.activeNet},
                                    {QStringLiteral("confirmed"), trace.confirmed},
                                    {QStringLiteral("texts"), texts},
                                    {QStringLiteral("memo"), QJsonArray::fromStringList(trace.memo)},
                                    {QStringLiteral("netShown"), QJsonArray{trace.view.netShown[0], trace.view.netShown[1]}},
                                    {QStringLiteral("thumbnail"),
                                     QJsonObject{{QStringLiteral("onSheet"), trace.view.thumbnailOnSheet},
                                                 {QStringLiteral("left"), trace.view.thumbnailTopLeft.x()},
                                                 {QStringLiteral("top"), trace.view.thumbnailTopLeft.y()}}},
                                    {QStringLiteral("arrows"), trace.view.arrows},
                                    {QStringLiteral("modelName"), trace.modelName}});
    }

    const Placement &p = lesson.placement;
    manifest.insert(QStringLiteral("placement"),
                    QJsonObject{{QStringLiteral("scale"), p.scale},
                                {QStringLiteral("left"), p.left},
                                {QStringLiteral("top"), p.top},
                                {QStringLiteral("portrait"), p.portrait},
                                {QStringLiteral("withTexts"), p.withTexts}});
    manifest.insert(QStringLiteral("cutout"),
                    QJsonObject{{QStringLiteral("net"), lesson.cutout.net},
                                {QStringLiteral("edge"), lesson.cutout.edge},
                                {QStringLiteral("paper"), lesson.cutout.paper}});

    entries.prepend({manifestName, QJsonDocument(manifest).toJson(QJsonDocument::Indented), true});
    qint64 total = 0;
    for (const ziparchive::Entry &entry : entries)
        total += entry.data.size();
    if (total > ziparchive::Limits().totalSize) {
        if (error)
            *error = QStringLiteral("size");
        return {};
    }
    const QByteArray bytes = ziparchive::write(entries, error);
    if (bytes.isEmpty())
        return {};
    // What is saved must open again: a lesson that the reader would refuse
    // (a picture over an entry's limit, a memo too long) is not written.
    const ReadResult again = read(bytes);
    if (!again.ok()) {
        if (error)
            *error = again.error == ReadError::TooLarge ? QStringLiteral("size") : again.detail;
        return {};
    }
    return bytes;
}

ReadResult read(const QByteArray &bytes)
{
    ReadResult result;
    const auto fail = [&result](ReadError error, const QString &detail = QString()) {
        result.error = error;
        result.detail = detail;
        result.lesson = Lesson();
        return result;
    };
    if (bytes.size() > maxFileSize)
        return fail(ReadError::TooLarge);
    const ziparchive::ReadResult archive = ziparchive::read(bytes);
    switch (archive.error) {
    case ziparchive::ReadError::None:
        break;
    case ziparchive::ReadError::NotAnArchive:
        return fail(ReadError::NotALesson);
    case ziparchive::ReadError::TooLarge:
        return fail(ReadError::TooLarge);
    case ziparchive::ReadError::BadName:
    case ziparchive::ReadError::NotAFile:
        return fail(ReadError::Damaged, QStringLiteral("zip"));
    }
    QHash<QString, QByteArray> entries;
    for (const ziparchive::Entry &entry : archive.entries)
        entries.insert(entry.name, entry.data);
    const QByteArray manifestBytes = entries.value(manifestName);
    if (manifestBytes.isEmpty() || manifestBytes.size() > maxManifestSize)
        return fail(ReadError::NotALesson);
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(manifestBytes, &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isObject())
        return fail(ReadError::NotALesson);
    const QJsonObject manifest = document.object();
    if (manifest.value(QStringLiteral("format")).toString() != formatName)
        return fail(ReadError::NotALesson);
    const QJsonValue version = manifest.value(QStringLiteral("version"));
    if (!version.isDouble() || version.toDouble() < 1)
        return fail(ReadError::Damaged, QStringLiteral("version"));
    if (version.toDouble() != formatVersion)
        return fail(ReadError::NewerVersion);

    Checker check(entries);
    Lesson &lesson = result.lesson;
    const QJsonValue facesValue = manifest.value(QStringLiteral("faces"));
    if (!facesValue.isArray() || facesValue.toArray().size() != faceset::slotCount)
        return fail(ReadError::Damaged, QStringLiteral("faces"));
    const QJsonArray faces = facesValue.toArray();
    for (int slot = 0; slot < faceset::slotCount && !check.failed(); ++slot) {
        if (!faces[slot].isObject()) {
            check.fail(QStringLiteral("faces"));
            break;
        }
        const QJsonObject face = faces[slot].toObject();
        if (face.value(QStringLiteral("rotation")).isNull())
            lesson.faces.setRotation(slot, FaceSet::noRotation);
        else
            lesson.faces.setRotation(slot, check.integer(face, "rotation", 0, 3));
        if (!face.contains(QStringLiteral("picture")))
            continue;
        Picture &picture = lesson.pictures[slot];
        picture.data = check.entry(face, "picture");
        const picturefile::Format format = decoded(picture.data);
        if (format == picturefile::Format::None)
            check.fail(QStringLiteral("picture %1").arg(slot + 1));
        picture.suffix = picturefile::suffix(format).toLatin1();
        if (face.contains(QStringLiteral("companion"))) {
            picture.companion = check.entry(face, "companion");
            if (!check.failed() && decoded(picture.companion) == picturefile::Format::None)
                check.fail(QStringLiteral("companion %1").arg(slot + 1));
        }
    }
    lesson.faces.setTurnable(check.flag(manifest, "turnable"));

    if (manifest.contains(QStringLiteral("quiz"))) {
        const QJsonObject quiz = check.object(manifest, "quiz");
        QuizSheet sheet;
        if (!check.failed() && sheet.load(check.entry(quiz, "file")) != quiz::ReadError::None)
            check.fail(QStringLiteral("quiz"));
        if (check.flag(quiz, "confirmed"))
            sheet.confirm();
        sheet.setTurnCounter(check.integer(quiz, "turnCounter", 0, 3));
        lesson.modelName = check.text(quiz, "modelName", 4096);
        const QJsonValue texts = quiz.value(QStringLiteral("texts"));
        if (!texts.isArray() || texts.toArray().size() != QuizSheet::textImageCount)
            check.fail(QStringLiteral("texts"));
        for (int i = 0; i < QuizSheet::textImageCount && !check.failed(); ++i)
            sheet.textImage(QuizSheet::TextImage(i)) = check.placed(texts.toArray()[i].toObject());
        lesson.quiz = sheet;
    }

    if (manifest.contains(QStringLiteral("trace"))) {
        const QJsonObject trace = check.object(manifest, "trace");
        const QJsonValue files = trace.value(QStringLiteral("files"));
        if (!files.isArray() || files.toArray().size() != 2)
            check.fail(QStringLiteral("trace"));
        Trace read;
        TraceSheet scratch;   // each net file must read as "Načíst zadání" reads it
        for (int n = 1; n <= 2 && !check.failed(); ++n) {
            const QString name = files.toArray()[n - 1].toString();
            read.netFiles[n - 1] = entries.value(name);
            if (!entries.contains(name) || !scratch.load(n, read.netFiles[n - 1]))
                check.fail(QStringLiteral("trace"));
        }
        const QJsonArray images = check.array(trace, "netImages", 2);
        for (int n = 1; n <= 2 && !check.failed(); ++n) {
            const QByteArray bytes = entries.value(images[n - 1].toString());
            if (decoded(bytes, &read.netImages[n - 1], QSize(netWidth, netHeight)) != picturefile::Format::Png
                || read.netImages[n - 1].size() != QSize(netWidth, netHeight))
                check.fail(QStringLiteral("netImages"));
            read.netImages[n - 1] = read.netImages[n - 1].convertToFormat(QImage::Format_RGB32);
        }
        read.pictureMode = check.flag(trace, "pictureMode");
        read.activeNet = check.integer(trace, "activeNet", 1, 2);
        read.confirmed = check.flag(trace, "confirmed");
        const QJsonArray texts = check.array(trace, "texts", 2);
        for (int i = 0; i < 2 && !check.failed(); ++i)
            read.texts[i] = check.placed(texts[i].toObject());
        read.memo = check.lines(trace, "memo");
        const QJsonArray shown = check.array(trace, "netShown", 2);
        for (int i = 0; i < 2 && !check.failed(); ++i) {
            if (!shown[i].isBool())
                check.fail(QStringLiteral("netShown"));
            read.view.netShown[i] = shown[i].toBool();
        }
        const QJsonObject thumbnail = check.object(trace, "thumbnail");
        read.view.thumbnailOnSheet = check.flag(thumbnail, "onSheet");
        // Where a drag may leave it: anywhere the window's area reaches.
        read.view.thumbnailTopLeft = QPoint(check.integer(thumbnail, "left", -137, 883),
                                            check.integer(thumbnail, "top", -103, 600));
        read.view.arrows = check.flag(trace, "arrows");
        read.modelName = check.text(trace, "modelName", 4096);
        lesson.trace = read;
    }

    const QJsonObject placement = check.object(manifest, "placement");
    lesson.placement.scale = check.number(placement, "scale", 0.1, 1e6);
    lesson.placement.left = check.integer(placement, "left", -100000, 100000);
    lesson.placement.top = check.integer(placement, "top", -100000, 100000);
    lesson.placement.portrait = check.flag(placement, "portrait");
    lesson.placement.withTexts = check.flag(placement, "withTexts");

    const QJsonObject cutoutChoices = check.object(manifest, "cutout");
    lesson.cutout.net = check.integer(cutoutChoices, "net", 1, cutout::netCount);
    lesson.cutout.edge = check.text(cutoutChoices, "edge", 16);
    lesson.cutout.paper = check.text(cutoutChoices, "paper", 64);

    if (check.failed())
        return fail(ReadError::Damaged, check.problem());
    return result;
}

QString problemText(const LanguageTexts &language, const ReadResult &read, const QString &path)
{
    QString text;
    switch (read.error) {
    case ReadError::None:
        return QString();
    case ReadError::NotALesson:
        text = language.text(Text::LessonNotALesson);
        break;
    case ReadError::NewerVersion:
        text = language.text(Text::LessonNewer);
        break;
    case ReadError::Damaged:
        text = language.text(Text::LessonDamaged).arg(read.detail);
        break;
    case ReadError::TooLarge:
        text = language.text(Text::LessonTooLarge);
        break;
    }
    return fileaccess::named(path, text);
}

std::optional<Trace> traceOf(const TraceSheet &sheet)
{
    if (sheet.applied() == faceset::Snapshot() && !sheet.loadPending())
        return std::nullopt;
    Trace t;
    for (int n = 1; n <= 2; ++n)
        t.netFiles[n - 1] = sheet.fileBytes(n);
    t.pictureMode = sheet.mode() == TraceSheet::Mode::Picture;
    t.activeNet = sheet.activeNet();
    t.confirmed = !sheet.needsRefresh();
    t.texts = {sheet.textImage(TraceSheet::TextImage::Popis), sheet.textImage(TraceSheet::TextImage::Nazev)};
    t.memo = sheet.memo();
    t.view = sheet.view();
    return t;
}

void restoreTrace(const Trace &trace, TraceSheet &sheet)
{
    for (int n = 1; n <= 2; ++n)
        sheet.load(n, trace.netFiles[n - 1]);   // checked when the lesson was read
    sheet.textImage(TraceSheet::TextImage::Popis) = trace.texts[0];
    sheet.textImage(TraceSheet::TextImage::Nazev) = trace.texts[1];
    sheet.setMemo(trace.memo);
    sheet.view() = trace.view;
    sheet.finishLoad();
}

Failure readPictures(const LanguageTexts &language, const FaceSet &faces,
                     std::array<Picture, faceset::slotCount> &pictures)
{
    for (int slot = 0; slot < faceset::slotCount; ++slot) {
        const QString path = faces.picture(slot);
        Picture &picture = pictures[slot];
        picture = {};
        if (path.isEmpty())
            continue;
        picturefile::Problem problem;
        const picturefile::Checked checked = picturefile::read(path, problem);
        if (problem)
            return Failure::file(fileaccess::named(path, fileaccess::pictureProblemText(language, problem)));
        // A lesson's entry holds at most this much; a larger picture would
        // make a lesson that does not open.
        if (checked.bytes.size() > ziparchive::Limits().entrySize)
            return Failure::message(fileaccess::named(path, language.text(Text::LessonPictureTooLarge)));
        picture.data = checked.bytes;
        picture.suffix = picturefile::suffix(checked.format).toLatin1();
        const QString companion = faceset::companionBitmapName(path);
        picturefile::Problem companionProblem;
        if (companion != path && QFileInfo(companion).isFile()) {
            const picturefile::Checked bitmap = picturefile::read(companion, companionProblem);
            if (!companionProblem)
                picture.companion = bitmap.bytes;
        }
    }
    return {};
}

namespace {

// The folder is named by the content: a file of a lesson opened before is kept.
Failure writeOnce(const LanguageTexts &language, const QString &path, const QByteArray &bytes)
{
    QByteArray present;
    regularfile::ReadError error;
    if (regularfile::read(path, bytes.size(), present, error) && present == bytes)
        return {};
    return fileaccess::write(language, path, bytes);
}

} // namespace

Failure unpackPictures(const LanguageTexts &language, const Lesson &lesson, const QString &folder,
                       FaceSet &faces)
{
    if (!QDir().mkpath(folder))
        return Failure::file(fileaccess::named(folder, fileaccess::systemReason(language, errno)));
    for (int slot = 0; slot < faceset::slotCount; ++slot) {
        const Picture &picture = lesson.pictures[slot];
        faces.setPicture(slot, QString());
        if (picture.data.isEmpty())
            continue;
        const QString base = folder + QStringLiteral("/stena%1.").arg(slot + 1);
        const QString file = base + QLatin1String(picture.suffix);
        const QString companion = base + QLatin1String("bmp");
        if (Failure failure = writeOnce(language, file, picture.data))
            return failure;
        if (companion != file && !picture.companion.isEmpty()) {
            if (Failure failure = writeOnce(language, companion, picture.companion))
                return failure;
        } else if (companion != file) {
            QFile::remove(companion);   // another lesson's bitmap would stand in
        }
        faces.setPicture(slot, file);
    }
    return {};
}

} // namespace lesson
