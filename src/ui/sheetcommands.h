#pragma once

#include "filedialogstate.h"

#include <QObject>
#include <functional>

struct AppContext;
class QAction;
class SheetPrinting;
class TForm2;
class TForm4;

// The main menu's commands on the quiz and trace sheets, with their file
// dialogs: prepare, print, save and load. Preparing and loading take the
// face set snapshot first; printing and saving a sheet wait for OK in its
// window.
class SheetCommands : public QObject
{
public:
    // The menu "Kviz" (disabled while a sheet prints) and the commands' items.
    struct Menu
    {
        QAction *kviz, *piprav, *tiskni, *ulokviz, *nastkviz;
        QAction *priprstopy, *tiskstopy, *uloitzadn, *nastzadn;
    };
    // Runs from the items of `menu`. `takeSnapshot` takes the face set
    // snapshot, or (after its message) disables the item it is given and
    // returns false.
    SheetCommands(AppContext &context, QWidget *window, TForm2 &quiz, TForm4 &trace,
                  SheetPrinting &printing, const Menu &menu,
                  std::function<bool(QAction *gated)> takeSnapshot);

    void PripravClick();
    void tiskniClick();
    // The quiz window's arrangement to the chosen file.
    void Ulokviz1Click();
    void Nastkviz1Click();
    void priprstopyClick();
    void tiskstopyClick();
    // Asks for each net whether and where to save it.
    void Uloitzadn1Click();
    // Asks for each net whether and which file to load, then shows the window.
    void Nastzadn1Click();
    // "Tiskni řešení", "Tisk řešení stopy": the sheets with their tasks
    // solved, printed as the sheets are.
    void tiskniReseniClick();
    void tiskReseniStopyClick();

    // The files of the command line: a quiz file, then one or two trace
    // files (upper net first); trace files that all fail show nothing.
    void openFiles(const QString &quiz, const QStringList &traces);

private:
    // Reads and applies a quiz file and shows the quiz window; false (after
    // the message) when it cannot.
    bool openQuiz(const QString &path);
    // Reads the file `fileFor(net)` gives into each net (none when empty);
    // a file that fails is reported and leaves its net as it was. Returns
    // how many nets were read.
    int loadTraceFiles(const std::function<QString(int net)> &fileFor);
    QString text(Text line) const;
    // A new item right after `item` in its menu, enabled whenever `item` is.
    QAction *addAnswerItem(QAction *item, const char *name, const QString &caption,
                           void (SheetCommands::*handler)());

    FileDialogState SDkviz;
    FileDialogState ODKviz;
    FileDialogState ODp;
    FileDialogState SDp;
    AppContext &m_context;
    QWidget *m_window;
    TForm2 &m_quiz;
    TForm4 &m_trace;
    SheetPrinting &m_printing;
    Menu m_menu;
    std::function<bool(QAction *)> m_takeSnapshot;
};
