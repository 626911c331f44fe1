#pragma once

#include "filedialogstate.h"

#include <functional>

struct AppContext;
class TForm2;
class TForm4;
class QWidget;

// The main window's file commands for the sheets, with their dialogs:
// "Uložit kviz", "Načíst kviz", "Uložit zadání", "Načíst zadání". Loading
// needs the face set snapshot, which the main window takes first.
class SheetFiles
{
public:
    SheetFiles(AppContext &context, QWidget *window, TForm2 &quiz, TForm4 &trace);

    // Ulokviz1Click: the quiz window's arrangement to the chosen file.
    void saveQuiz();
    // Nastkviz1Click: asks for a quiz file and opens it.
    void loadQuiz();
    // Reads and applies a quiz file and shows the quiz window; false (after
    // the message) when it cannot.
    bool openQuiz(const QString &path);
    // Uloitzadn1Click: asks for each net whether and where to save it.
    void saveTraces();
    // Nastzadn1Click: asks for each net whether and which file to load.
    void loadTraces();
    // Reads the file `fileFor(net)` gives into each net (none when empty);
    // a file that fails is reported and leaves its net as it was. Returns
    // how many nets were read.
    int loadTraceFiles(const std::function<QString(int net)> &fileFor);

    FileDialogState SDkviz;
    FileDialogState ODKviz;
    FileDialogState ODp;
    FileDialogState SDp;

private:
    QString text(int line, const QString &builtin) const;

    AppContext &m_context;
    QWidget *m_window;
    TForm2 &m_quiz;
    TForm4 &m_trace;
};
