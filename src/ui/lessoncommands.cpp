#include "lessoncommands.h"

#include "appcontext.h"
#include "cesta.h"
#include "dialogs.h"
#include "fileaccess.h"
#include "logging.h"
#include "nastaveni.h"
#include "tisky.h"
#include "vemtal.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QStandardPaths>

LessonCommands::LessonCommands(AppContext &context, TForm1 &main, TForm2 &quiz, TForm4 &trace,
                               TStranka &placement, QAction *after)
    : QObject(&main), m_context(context), m_main(main), m_quiz(quiz), m_trace(trace),
      m_placement(placement),
      SDlekce(QStringLiteral("SDlekce"), FileDialogRequest::Kind::Save, texts::builtin(Text::FilterLesson)),
      ODlekce(QStringLiteral("ODlekce"), FileDialogRequest::Kind::Open, texts::builtin(Text::FilterLesson))
{
    SDlekce.request.defaultSuffix = QStringLiteral("vemtal");
    SDlekce.request.confirmOverwrite = true;
    QAction *save = addItem(after, "UlozitLekci1", Text::MenuSaveLesson, "Ctrl+Shift+S",
                            &LessonCommands::saveClick);
    addItem(save, "OtevritLekci1", Text::MenuOpenLesson, "Ctrl+Shift+O", &LessonCommands::openClick);
}

QAction *LessonCommands::addItem(QAction *after, const char *name, Text caption,
                                 const char *shortcut, void (LessonCommands::*handler)())
{
    // The menu's items are its children (QMenu::addAction).
    auto *menu = qobject_cast<QMenu *>(after->parent());
    auto *item = new QAction(texts::builtin(caption), menu ? static_cast<QObject *>(menu) : this);
    item->setObjectName(QLatin1String(name));
    item->setShortcut(QKeySequence(QLatin1String(shortcut)));
    if (menu) {
        const QList<QAction *> items = menu->actions();
        menu->insertAction(items.value(items.indexOf(after) + 1), item);
    }
    connect(item, &QAction::triggered, this, handler);
    return item;
}

QString LessonCommands::text(Text line) const
{
    return m_context.language.text(line);
}

bool LessonCommands::gather(lesson::Lesson &out)
{
    const FaceSet &faces = m_main.faceSet();
    out.faces = faces;
    for (int slot = 0; slot < faceset::slotCount; ++slot) {
        const QString path = faces.picture(slot);
        lesson::Picture &picture = out.pictures[slot];
        picture = {};
        if (path.isEmpty())
            continue;
        picturefile::Problem problem;
        const picturefile::Checked checked = picturefile::read(path, problem);
        if (problem) {
            m_context.dialogs->failed(&m_main, Failure::file(fileaccess::named(
                    path, fileaccess::pictureProblemText(m_context.language, problem))));
            return false;
        }
        picture.data = checked.bytes;
        picture.suffix = picturefile::suffix(checked.format).toLatin1();
        // The companion bitmap, where there is one that decodes (a BMP picture is its own).
        const QString companion = faceset::companionBitmapName(path);
        picturefile::Problem companionProblem;
        if (companion != path && QFileInfo(companion).isFile()) {
            const picturefile::Checked bitmap = picturefile::read(companion, companionProblem);
            if (!companionProblem)
                picture.companion = bitmap.bytes;
        }
    }
    out.quiz = m_quiz.prepared() ? std::optional<QuizSheet>(m_quiz.sheet()) : std::nullopt;
    out.modelName = m_quiz.shownModelName();
    out.trace = m_trace.lessonTrace();
    out.placement = m_placement.choices();
    out.cutout = cutout::loadChoices();
    return true;
}

void LessonCommands::saveClick()
{
    if (!m_main.faceSet().complete()) {
        m_context.dialogs->message(&m_main, text(Text::ChoosePictures));
        return;
    }
    lesson::Lesson current;
    if (!gather(current))
        return;
    SDlekce.request.filter = text(Text::FilterLesson);
    const QStringList files = SDlekce.execute(*m_context.dialogs, &m_main);
    if (files.isEmpty())
        return;
    QString error;
    const QByteArray bytes = lesson::write(current, &error);
    if (bytes.isEmpty()) {
        m_context.dialogs->message(&m_main, text(Text::LessonTooLarge));
        return;
    }
    m_context.dialogs->failed(&m_main, fileaccess::write(m_context.language, files.first(), bytes));
}

void LessonCommands::openClick()
{
    ODlekce.request.filter = text(Text::FilterLesson);
    const QStringList files = ODlekce.execute(*m_context.dialogs, &m_main);
    if (!files.isEmpty())
        open(files.first());
}

QString LessonCommands::pictureFolder(const lesson::Lesson &lesson)
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
            + QLatin1String("/lessons/") + lesson::contentHash(lesson);
}

bool LessonCommands::open(const QString &path)
{
    QByteArray bytes;
    if (m_context.dialogs->failed(&m_main, fileaccess::read(m_context.language, path, bytes,
                                                              lesson::maxFileSize)))
        return false;
    const lesson::ReadResult read = lesson::read(bytes);
    switch (read.error) {
    case lesson::ReadError::None:
        break;
    case lesson::ReadError::NotALesson:
        m_context.dialogs->message(&m_main, fileaccess::named(path, text(Text::LessonNotALesson)));
        return false;
    case lesson::ReadError::NewerVersion:
        m_context.dialogs->message(&m_main, fileaccess::named(path, text(Text::LessonNewer)));
        return false;
    case lesson::ReadError::Damaged:
        m_context.dialogs->message(&m_main, fileaccess::named(path, text(Text::LessonDamaged).arg(read.detail)));
        return false;
    case lesson::ReadError::TooLarge:
        m_context.dialogs->message(&m_main, fileaccess::named(path, text(Text::LessonTooLarge)));
        return false;
    }
    FaceSet faces = read.lesson.faces;
    if (!unpack(read.lesson, pictureFolder(read.lesson), faces))
        return false;
    apply(read.lesson, faces);
    qCInfo(lcStart).noquote() << "lesson:" << path;
    return true;
}

bool LessonCommands::writeOnce(const QString &path, const QByteArray &bytes)
{
    // The folder is named by the content: a file of the lesson opened before is kept.
    QByteArray present;
    textfile::ReadError error;
    if (regularfile::read(path, bytes.size(), present, error) && present == bytes)
        return true;
    return !m_context.dialogs->failed(&m_main, fileaccess::write(m_context.language, path, bytes));
}

bool LessonCommands::unpack(const lesson::Lesson &lesson, const QString &folder, FaceSet &faces)
{
    if (!QDir().mkpath(folder)) {
        m_context.dialogs->failed(&m_main, Failure::file(fileaccess::named(
                folder, fileaccess::systemReason(m_context.language, errno))));
        return false;
    }
    for (int slot = 0; slot < faceset::slotCount; ++slot) {
        const lesson::Picture &picture = lesson.pictures[slot];
        faces.setPicture(slot, QString());
        if (picture.data.isEmpty())
            continue;
        const QString base = folder + QStringLiteral("/stena%1.").arg(slot + 1);
        const QString file = base + QLatin1String(picture.suffix);
        if (!writeOnce(file, picture.data))
            return false;
        const QString companion = base + QLatin1String("bmp");
        if (companion != file && !picture.companion.isEmpty() && !writeOnce(companion, picture.companion))
            return false;
        if (companion != file && picture.companion.isEmpty())
            QFile::remove(companion);   // a file of another lesson's name would stand in
        faces.setPicture(slot, file);
    }
    return true;
}

void LessonCommands::apply(const lesson::Lesson &lesson, const FaceSet &faces)
{
    m_main.setFaceSet(faces);
    m_context.snapshot = faces.snapshot();
    m_placement.setChoices(lesson.placement);
    cutout::saveChoices(lesson.cutout);
    if (lesson.quiz)
        m_quiz.applyLesson(*lesson.quiz, lesson.modelName);
    if (lesson.trace)
        m_trace.applyLesson(*lesson.trace);
}
