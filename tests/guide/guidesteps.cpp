#include "guidesteps.h"

#include "cesta.h"
#include "imagecontrol.h"
#include "lokalizace.h"
#include "netgeometry.h"
#include "sheetprinting.h"
#include "tisky.h"
#include "tracenet.h"
#include "vemtal.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <cstdio>
#include <cstdlib>

namespace guide {

namespace {

template<typename T>
T *named(const QWidget *window, const QString &name)
{
    T *control = window->findChild<T *>(name);
    if (!control)
        fail(QStringLiteral("no control %1 in %2").arg(name, window->objectName()));
    return control;
}

// The texts a teacher types, in the language of the program's texts.
struct Typed
{
    QStringList quizTask;    // lines after the memo's first line
    QStringList traceTask;
};

Typed typed(const QString &language)
{
    if (language == QLatin1String("en"))
        return {{QStringLiteral("Which nets fold into the cube? Cross out the ones that do not."),
                 QStringLiteral("Draw the missing pictures into the empty squares, the right way up."),
                 QStringLiteral("Name: ..............................")},
                {QStringLiteral("Upper trace: draw the missing imprints into the empty fields."),
                 QStringLiteral("Lower trace: which face is on top after the last roll?")}};
    return {{QStringLiteral("Které sítě patří ke krychli? Ty, které k ní nepatří, přeškrtni."),
             QStringLiteral("Do prázdných čtverečků dokresli obrázky ve správném otočení."),
             QStringLiteral("Jméno: ..............................")},
            {QStringLiteral("Horní stopa: do prázdných polí dokresli otisky kostky."),
             QStringLiteral("Dolní stopa: která stěna je po posledním odvalení nahoře?")}};
}

const QStringList demoFaces = {"1-predni.jpg", "2-prava.png", "3-zadni.gif",
                               "4-leva.jpg", "5-horni.png", "6-dolni.gif"};
// Rotation digits typed into Ed0..Ed5.
const char rotations[] = "010020";

// Quiz: which thumbnails go where on the sheet, which squares are hidden
// (right button) and which turned (middle button).
struct QuizNet
{
    int layout;
    QPoint at;
    QList<int> hidden;
    QList<int> turned;
};
const QuizNet quizNets[] = {
    {1, {40, 40}, {3}, {}},     {3, {262, 40}, {}, {5}},
    {6, {40, 165}, {}, {}},     {7, {262, 165}, {2, 6}, {}},
    {10, {40, 290}, {}, {1}},   {12, {262, 290}, {4}, {}},
};

QPoint squareCentre(int square)
{
    return QPoint(net::square_x[square - 1] + 16, net::square_y[square - 1] + 16);
}

// Trace: the fields clicked one after the other (column, row), from the
// start field 7, 4.
const QList<QPoint> lowerPath = {{6, 4}, {5, 4}, {5, 5}, {4, 5}, {3, 5}, {3, 4}, {3, 3}, {4, 3}, {5, 3}};
const QList<QPoint> upperPath = {{8, 4}, {9, 4}, {9, 3}, {9, 2}, {10, 2}, {11, 2},
                                 {11, 3}, {11, 4}, {11, 5}, {10, 5}};
// Picture mode on the upper net: imprints blanked and one turned.
const QList<QPoint> blanked = {{9, 3}, {11, 2}, {11, 5}};
const QPoint turnedField(10, 2);

void click(QWidget *widget, Qt::MouseButton button = Qt::LeftButton,
           Qt::KeyboardModifiers modifiers = {}, QPoint at = QPoint())
{
    QTest::mouseClick(widget, button, modifiers, at.isNull() ? widget->rect().center() : at);
}

// Drags a control on the sheet by its grip (a point outside any net).
void drag(QWidget *control, QPoint to)
{
    const QPoint grip(5, 5);
    const QPoint by = to - control->pos();
    QTest::mousePress(control, Qt::LeftButton, {}, grip);
    QTest::mouseMove(control, grip + by);
    QTest::mouseRelease(control, Qt::LeftButton, {}, grip);
    if (control->pos() != to)
        fail(QStringLiteral("%1 was not dragged to %2, %3").arg(control->objectName())
                     .arg(to.x()).arg(to.y()));
}

// Appends lines to a memo and double-clicks it: its text goes onto the sheet.
void placeText(QWidget *window, const QStringList &lines)
{
    auto *memo = named<QPlainTextEdit>(window, QStringLiteral("vstup"));
    for (const QString &line : lines)
        memo->appendPlainText(line);
    QTest::mouseDClick(memo->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
    // The double click selected a word; the caret goes to the end instead.
    QTest::keyClick(memo, Qt::Key_End, Qt::ControlModifier);
}

// The radio button that shows `caption`, wherever it sits in the window.
QRadioButton *radioItem(QWidget *window, const QString &caption)
{
    for (QRadioButton *item : window->findChildren<QRadioButton *>())
        if (item->text() == caption)
            return item;
    fail(QStringLiteral("no radio button %1 in %2").arg(caption, window->objectName()));
}

} // namespace

[[noreturn]] void fail(const QString &why)
{
    std::fprintf(stderr, "guidepictures: %s\n", qPrintable(why));
    std::fflush(stdout);
    // Not exit(): the windows and the application object are still alive.
    std::_Exit(2);
}

QStringList languages()
{
    return {QStringLiteral("cs"), QStringLiteral("en")};
}

Session::Session(const QString &language) : m_language(language)
{
    m_context.dialogs = &m_dialogs;
    // Czech beside the built-in texts; the English pictures show a teacher
    // whose system language brought the English file, and Qt's English.
    if (language == QLatin1String("cs")
        && m_qtTexts.load(QLocale(QLocale::Czech), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&m_qtTexts);
    m_windows = std::make_unique<ProgramWindows>(m_context);
    if (language == QLatin1String("en")) {
        QString error;
        if (!LoadLanguageFile(m_context, m_windows->languageWindows(),
                              QStringLiteral(VEMTAL_SOURCE_DIR "/lang/en/lang.txt"), &error))
            fail(QStringLiteral("lang/en/lang.txt: ") + error);
    }
    // A4 through Qt's own PDF printer, whatever printers this machine has.
    QPrinter *printer = m_windows->printing->printer();
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setPageSize(QPageSize(QPageSize::A4));
    printer->setPageOrientation(QPageLayout::Portrait);

    TForm1 *main = m_windows->form1.get();
    main->show();
    if (!QTest::qWaitForWindowExposed(main))
        fail(QStringLiteral("the main window was not shown"));
    QStringList files;
    for (const QString &face : demoFaces)
        files << QDir::current().absoluteFilePath(QStringLiteral("obrazkys/") + face);
    m_dialogs.files.enqueue(files);
    click(named<QPushButton>(main, QStringLiteral("Nacti")));
    for (int slot = 0; slot < 6; ++slot) {
        auto *edit = named<QLineEdit>(main, QStringLiteral("Ed%1").arg(slot));
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, rotations[slot]);
    }
    expectSilence("choosing the face set");
    if (main->pathLabels().contains(QString())
        || main->rotationEdits().join(QString()) != QLatin1String(rotations))
        fail(QStringLiteral("the face set was not chosen"));
}

Session::~Session() = default;

QAction *Session::item(const char *name) const
{
    auto *action = m_windows->form1->findChild<QAction *>(QLatin1String(name));
    if (!action)
        fail(QStringLiteral("no menu item %1").arg(QLatin1String(name)));
    return action;
}

void Session::trigger(const char *name)
{
    QAction *action = item(name);
    if (!action->isEnabled())
        fail(QStringLiteral("menu item %1 is disabled").arg(QLatin1String(name)));
    action->trigger();
}

QImage Session::grab(QWidget *window)
{
    // No text cursor and no focus frame in the picture; nothing under the mouse.
    if (QWidget *focus = window->focusWidget())
        focus->clearFocus();
    QTest::mouseMove(window, QPoint(window->width() - 1, window->height() - 1));
    QApplication::processEvents();
    return window->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

void Session::expectSilence(const char *step)
{
    for (const ScriptedDialogs::Call &call : std::as_const(m_dialogs.calls))
        if (call.kind == QLatin1String("message") || call.kind == QLatin1String("error")
            || call.kind == QLatin1String("question"))
            fail(QStringLiteral("%1: the program said \"%2\"").arg(QLatin1String(step), call.text));
    m_dialogs.calls.clear();
}

QImage Session::mainWindow()
{
    return grab(m_windows->form1.get());
}

QImage Session::quizWindow()
{
    trigger("Piprav1");
    QWidget *quiz = m_windows->form2.get();
    if (!QTest::qWaitForWindowExposed(quiz))
        fail(QStringLiteral("the quiz window was not shown"));
    for (const QuizNet &n : quizNets) {
        auto *thumb = named<ImageControl>(quiz, QStringLiteral("Image%1").arg(n.layout));
        click(thumb, Qt::LeftButton, {}, QPoint(5, 5));   // onto the sheet
        if (thumb->parentWidget() != quiz)
            fail(QStringLiteral("net %1 did not go onto the sheet").arg(n.layout));
        drag(thumb, n.at);
        for (int square : n.hidden)
            click(thumb, Qt::RightButton, {}, squareCentre(square));
        for (int square : n.turned)
            click(thumb, Qt::MiddleButton, {}, squareCentre(square));
    }
    placeText(quiz, typed(m_language).quizTask);
    const QImage picture = grab(quiz);
    click(named<QPushButton>(quiz, QStringLiteral("OK")));
    expectSilence("the quiz window");
    return picture;
}

QImage Session::printToBitmap(const char *menuItem, const QString &file)
{
    const QString path = QDir::current().absoluteFilePath(file);
    QFile::remove(path);
    m_dialogs.prints.enqueue({true, true});
    m_dialogs.files.enqueue({path});
    trigger(menuItem);
    if (!m_dialogs.modals.isEmpty() || !m_dialogs.prints.isEmpty() || !m_dialogs.files.isEmpty())
        fail(QStringLiteral("%1 did not ask what it was expected to ask").arg(QLatin1String(menuItem)));
    expectSilence(menuItem);
    const QImage sheet(path, "BMP");
    if (sheet.isNull())
        fail(QStringLiteral("%1 saved no sheet in %2").arg(QLatin1String(menuItem), path));
    return sheet.convertToFormat(QImage::Format_RGB32);
}

bool Session::confirmPlacement(QDialog *dialog)
{
    // OK asks "Použít nastavení ?"; Yes closes the dialog.
    m_dialogs.answers.enqueue(true);
    click(named<QPushButton>(dialog, QStringLiteral("BitBtn2")));
    m_dialogs.calls.removeIf([](const ScriptedDialogs::Call &call) {
        return call.kind == QLatin1String("question");
    });
    return dialog->result() == QDialog::Accepted;
}

QImage Session::printQuiz(QImage *placement)
{
    // The sheet placed in the middle of the page, a little smaller than the page.
    m_dialogs.modals.enqueue([this, placement](QDialog *dialog) {
        dialog->show();
        if (!QTest::qWaitForWindowExposed(dialog))
            fail(QStringLiteral("the placement dialog was not shown"));
        auto *scale = named<QLineEdit>(dialog, QStringLiteral("Edit1"));
        scale->setFocus();
        scale->selectAll();
        QTest::keyClicks(scale, QStringLiteral("18"));
        click(named<QPushButton>(dialog, QStringLiteral("meritko")));
        auto *page = named<ImageControl>(dialog, QStringLiteral("List"));
        QTest::mousePress(page, Qt::LeftButton, {}, QPoint(60, 60));
        QTest::mouseMove(page, QPoint(70, 70));
        QTest::mouseMove(page, QPoint(80, 74));
        QTest::mouseRelease(page, Qt::LeftButton, {}, QPoint(80, 74));
        *placement = grab(dialog);
        return confirmPlacement(dialog);
    });
    return printToBitmap("tiskni", QStringLiteral("kviz.bmp"));
}

void Session::traceWindow(QImage *rolled, QImage *edited)
{
    trigger("priprstopy");
    auto *trace = m_windows->form4.get();
    if (!QTest::qWaitForWindowExposed(trace))
        fail(QStringLiteral("the trace window was not shown"));
    // The lower net first: the net last pressed becomes the active one.
    auto *lower = named<ImageControl>(trace, QStringLiteral("Image4"));
    auto *upper = named<ImageControl>(trace, QStringLiteral("Image5"));
    for (const QPoint &field : lowerPath)
        click(lower, Qt::LeftButton, {}, tracenet::centre(field.x(), field.y()));
    for (const QPoint &field : upperPath)
        click(upper, Qt::LeftButton, {}, tracenet::centre(field.x(), field.y()));
    if (trace->net(2).history.count != lowerPath.size() || trace->net(1).history.count != upperPath.size())
        fail(QStringLiteral("the die did not roll where it was clicked"));
    placeText(trace, typed(m_language).traceTask);
    *rolled = grab(trace);

    // Picture mode ("Změny obrázků"): some imprints of the upper net blanked, one turned.
    click(radioItem(trace, m_context.language.text(Text::TraceModePicture)),
          Qt::LeftButton, {}, QPoint(6, 8));
    if (trace->mode() != 2)
        fail(QStringLiteral("picture mode was not entered"));
    for (const QPoint &field : blanked)
        click(upper, Qt::RightButton, {}, tracenet::centre(field.x(), field.y()));
    click(upper, Qt::LeftButton, Qt::ShiftModifier, tracenet::centre(turnedField.x(), turnedField.y()));
    *edited = grab(trace);
    click(named<QPushButton>(trace, QStringLiteral("OK")));
    expectSilence("the trace window");
}

QImage Session::printTrace()
{
    m_dialogs.modals.enqueue([this](QDialog *dialog) {
        dialog->show();
        return confirmPlacement(dialog);
    });
    return printToBitmap("tiskstopy", QStringLiteral("stopa.bmp"));
}

QString Session::showInBrowser()
{
    m_dialogs.calls.clear();
    trigger("Zobrazitvprohlizeci1");
    return m_dialogs.texts(QStringLiteral("url")).value(0);
}

Pictures makePictures(const QString &language)
{
    Session session(language);
    Pictures pictures;
    pictures[QStringLiteral("main")] = session.mainWindow();
    pictures[QStringLiteral("quiz")] = session.quizWindow();
    QImage placement;
    pictures[QStringLiteral("quiz-sheet")] = session.printQuiz(&placement);
    pictures[QStringLiteral("placement")] = placement;
    QImage rolled, edited;
    session.traceWindow(&rolled, &edited);
    pictures[QStringLiteral("trace")] = rolled;
    pictures[QStringLiteral("trace-pictures")] = edited;
    pictures[QStringLiteral("trace-sheet")] = session.printTrace();
    return pictures;
}

} // namespace guide
