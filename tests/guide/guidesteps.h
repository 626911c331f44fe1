#pragma once

#include "appcontext.h"
#include "programwindows.h"
#include "scripteddialogs.h"

#include <QImage>
#include <QMap>
#include <QStringList>
#include <QTranslator>

#include <memory>

class QDialog;
class QWidget;

// A teacher's way through the program, on the real windows, driven only by
// object names, mouse and key events and scripted dialog answers.
namespace guide {

// Picture name ("main", "quiz", ...) to picture.
using Pictures = QMap<QString, QImage>;

// Says why on standard error and ends the tool with status 2.
[[noreturn]] void fail(const QString &why);

// "cs" (the built-in texts) and "en" (lang/en/lang.txt).
QStringList languages();

// The program started in the working folder with the texts of `language`,
// the demo face set of the working folder's "obrazkys" chosen and turned.
class Session
{
public:
    explicit Session(const QString &language);
    ~Session();

    // The main window after the face set was chosen.
    QImage mainWindow();
    // "Připravit zadání": nets onto the sheet, squares hidden and turned, the
    // task text placed; OK. Returns the window as it was before OK.
    QImage quizWindow();
    // "Tiskni" into a BMP; `placement` gets the page placement dialog.
    QImage printQuiz(QImage *placement);
    // "Připravit stopu": two rolled traces and the task text (`rolled`), then
    // picture mode with imprints hidden and turned (`edited`); OK.
    void traceWindow(QImage *rolled, QImage *edited);
    // "Tisk stopy" into a BMP.
    QImage printTrace();
    // "Zobrazit v prohlížeči": the page's address.
    QString showInBrowser();

private:
    QAction *item(const char *name) const;
    void trigger(const char *item);
    QImage grab(QWidget *window);
    QImage printToBitmap(const char *item, const QString &file);
    // Presses OK in the placement dialog and answers its question with Yes.
    bool confirmPlacement(QDialog *dialog);
    // Fails the run when a window said something no step expects.
    void expectSilence(const char *step);

    QString m_language;
    // Qt's own texts (standard buttons), as the program loads them.
    QTranslator m_qtTexts;
    ScriptedDialogs m_dialogs;
    AppContext m_context;
    std::unique_ptr<ProgramWindows> m_windows;
};

// Every picture of the guide in one language.
Pictures makePictures(const QString &language);

} // namespace guide
