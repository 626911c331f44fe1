#include "exercisecommands.h"

#include "appcontext.h"
#include "cesta.h"
#include "exerciseoptions.h"
#include "tisky.h"
#include "uifont.h"

#include <QAction>

namespace {

FileDialogState saveDialog(const char *name, const char *filter, const char *fileName)
{
    FileDialogState state(QLatin1String(name), FileDialogRequest::Kind::Save, QLatin1String(filter));
    state.request.fileName = QLatin1String(fileName);
    state.request.defaultSuffix = QString::fromLatin1(filter).section(QLatin1Char('.'), -1);
    state.request.confirmOverwrite = true;
    state.movesWorkingFolder = false;
    return state;
}

} // namespace

ExerciseCommands::ExerciseCommands(AppContext &context, QWidget *window, TForm2 &quiz,
                                   TForm4 &trace, const SheetCommands::Menu &menu)
    : QObject(window), m_context(context), m_window(window), m_quiz(quiz), m_trace(trace),
      SDcviceniKviz(saveDialog("SDcviceniKviz", "HTML|*.html", "kviz-cviceni.html")),
      SDcviceniStopa(saveDialog("SDcviceniStopa", "HTML|*.html", "stopa-cviceni.html")),
      SDscormKviz(saveDialog("SDscormKviz", "SCORM 1.2|*.zip", "kviz-scorm.zip")),
      SDscormStopa(saveDialog("SDscormStopa", "SCORM 1.2|*.zip", "stopa-scorm.zip"))
{
    QAction *quizHtml = addItem(menu.ulokviz, menu.tiskni, "Ulozitcviceni1", Text::MenuExercise,
                                &ExerciseCommands::saveQuiz);
    addItem(quizHtml, menu.tiskni, "Ulozitscorm1", Text::MenuScorm, &ExerciseCommands::saveQuizScorm);
    QAction *traceHtml = addItem(menu.uloitzadn, menu.tiskstopy, "Ulozitcvicenistopy",
                                 Text::MenuExercise, &ExerciseCommands::saveTrace);
    addItem(traceHtml, menu.tiskstopy, "Ulozitscormstopy", Text::MenuScorm,
            &ExerciseCommands::saveTraceScorm);
}

QAction *ExerciseCommands::addItem(QAction *after, QAction *gate, const char *name, Text caption,
                                   void (ExerciseCommands::*handler)())
{
    QAction *item = insertMenuItem(after, name, texts::builtin(caption), this, gate);
    connect(item, &QAction::triggered, this, handler);
    return item;
}

exercise::Exercise ExerciseCommands::quizExercise() const
{
    const QuizNets &nets = m_quiz.sheet().nets();
    return exercise::fromQuiz(m_quiz.sheet(), exercise::screenPictures(nets.applied(), nets.tiles()));
}

exercise::Exercise ExerciseCommands::traceExercise() const
{
    const TraceSheet &sheet = m_trace.sheet();
    // The task memo's lines while its text image lies on the sheet.
    const bool task = sheet.textImage(TraceSheet::TextImage::Popis).visible;
    return exercise::fromTrace(sheet, m_trace.sheetNetImages(), task ? sheet.memo() : QStringList(),
                               exercise::screenPictures(sheet.applied(), sheet.tiles()));
}

void ExerciseCommands::save(exercise::Kind kind, bool scorm)
{
    const bool quiz = kind == exercise::Kind::Quiz;
    const exercise::Exercise ex = quiz ? quizExercise() : traceExercise();
    if (ex.changedCount() == 0) {
        m_context.dialogs->message(m_window, m_context.language.text(
                quiz ? Text::ExerciseNothingQuiz : Text::ExerciseNothingTrace));
        return;
    }
    ExerciseOptions dialog(m_context, m_options, m_window);
    if (!m_context.dialogs->runModal(&dialog))
        return;
    m_options = dialog.options();

    FileDialogState &fileDialog = scorm ? (quiz ? SDscormKviz : SDscormStopa)
                                        : (quiz ? SDcviceniKviz : SDcviceniStopa);
    fileDialog.request.title = m_context.language.text(scorm ? Text::MenuScorm : Text::MenuExercise);
    const QStringList files = fileDialog.execute(*m_context.dialogs, m_window);
    if (files.isEmpty())
        return;
    QString error;
    const QByteArray bytes = exercise::fileBytes(ex, m_options, m_context.language, scorm, &error);
    if (bytes.isEmpty()) {
        m_context.dialogs->error(m_window, error);
        return;
    }
    m_context.dialogs->failed(m_window, fileaccess::write(m_context.language, files.first(), bytes));
}
