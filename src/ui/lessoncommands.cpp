#include "lessoncommands.h"

#include "appcontext.h"
#include "cesta.h"
#include "dialogs.h"
#include "fileaccess.h"
#include "logging.h"
#include "nastaveni.h"
#include "tisky.h"
#include "vemtal.h"
#include "uifont.h"

#include <QAction>
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
    QAction *item = insertMenuItem(after, name, texts::builtin(caption), this);
    item->setShortcut(QKeySequence(QLatin1String(shortcut)));
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
    if (m_context.dialogs->failed(&m_main, lesson::readPictures(m_context.language, faces, out.pictures)))
        return false;
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
        m_context.dialogs->message(&m_main, error == QLatin1String("size")
                                                    ? text(Text::LessonTooLarge)
                                                    : text(Text::LessonNotSaved).arg(error));
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
    if (!read.ok()) {
        m_context.dialogs->message(&m_main, lesson::problemText(m_context.language, read, path));
        return false;
    }
    if ((m_quiz.prepared() || m_trace.lessonTrace())
        && !m_context.dialogs->question(&m_main, text(Text::LessonReplacesWork)))
        return false;
    FaceSet faces = read.lesson.faces;
    if (m_context.dialogs->failed(&m_main, lesson::unpackPictures(m_context.language, read.lesson,
                                                                  pictureFolder(read.lesson), faces)))
        return false;
    apply(read.lesson, faces);
    qCInfo(lcStart).noquote() << "lesson:" << path;
    return true;
}

void LessonCommands::apply(const lesson::Lesson &lesson, const FaceSet &faces)
{
    m_main.setFaceSet(faces);
    m_context.snapshot = faces.snapshot();
    m_placement.setChoices(lesson.placement);
    cutout::saveChoices(lesson.cutout);
    // A sheet the lesson has not is not left over from the work before.
    if (lesson.quiz)
        m_quiz.applyLesson(*lesson.quiz, lesson.modelName);
    else
        m_quiz.reset();
    if (lesson.trace)
        m_trace.applyLesson(*lesson.trace);
    else
        m_trace.reset();
}
