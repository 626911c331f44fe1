// Pupils' exercises as a teacher makes them, for the browser test and the
// benchmark:
//   writeexercise OUTDIR [LANGFILE]
// The real windows with the demo face set (rotations 0 1 2 3 0 1): a quiz
// sheet (three nets on the sheet, squares hidden and turned) and a trace
// (one net rolled, imprints blanked and turned in picture mode), each
// confirmed with OK and saved through the menus as
//   OUTDIR/quiz.html, OUTDIR/quiz-scorm.zip     (pass from 70 %)
//   OUTDIR/trace.html, OUTDIR/trace-scorm.zip   (pass from 60 %)
//   OUTDIR/web/ "Uložit pro web", with OUTDIR/web/quiz-3d.html (3D allowed)
// With LANGFILE the language file is applied first. Prints "ok" or what
// went wrong.
#include "lokalizace.h"
#include "testapp.h"
#include "tracenet.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QtTest>

#include <iostream>

namespace {

[[noreturn]] void fail(const QString &why)
{
    std::cout << "error " << why.toStdString() << std::endl;
    std::exit(1);
}

template <class T>
T *named(QWidget *window, const char *name)
{
    T *w = window->findChild<T *>(QLatin1String(name));
    if (!w)
        fail(QStringLiteral("no %1 in %2").arg(QLatin1String(name), window->objectName()));
    return w;
}

QPoint squareCentre(int square)
{
    const int x[] = {3, 36, 36, 36, 69, 102};
    const int y[] = {36, 3, 36, 69, 36, 36};
    return QPoint(x[square - 1] + 16, y[square - 1] + 16);
}

using tracenet::centre;

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::cerr << "usage: writeexercise OUTDIR [LANGFILE]\n";
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(out.path()))
        fail(QStringLiteral("cannot make ") + out.path());
    // The start folder becomes a temporary one: the language file's path first.
    const QString language = argc > 2 ? QFileInfo(QString::fromLocal8Bit(argv[2])).absoluteFilePath() : QString();
    TestApp windows;
    ScriptedDialogs &dialogs = windows.dialogs;
    if (!language.isEmpty() && !LoadLanguageFile(windows.context, windows.languageWindows(), language))
        fail(QStringLiteral("cannot use the language file"));
    TForm1 &main = *windows.form1;
    main.openArguments(testfiles::demoFiles());
    for (int i = 0; i < 6; ++i)
        named<QLineEdit>(&main, QStringLiteral("Ed%1").arg(i).toLatin1())->setText(QString::number("012301"[i] - '0'));

    // The options dialog answered: the pass mark and the 3D switch set, OK.
    auto options = [&](int pass, bool view3d) {
        dialogs.modals.enqueue([pass, view3d](QDialog *dialog) {
            named<QSpinBox>(dialog, "prah")->setValue(pass);
            named<QCheckBox>(dialog, "krychle3d")->setChecked(view3d);
            named<QPushButton>(dialog, "OK")->click();
            return dialog->result() == QDialog::Accepted;
        });
    };
    auto save = [&](const char *item, const QString &file, int pass, bool view3d) {
        dialogs.calls.clear();
        options(pass, view3d);
        dialogs.files.enqueue({file});
        windows.item(item)->trigger();
        const QStringList said = dialogs.texts("message") + dialogs.texts("error");
        if (!said.isEmpty() || !QFile::exists(file))
            fail(QStringLiteral("%1 did not write %2: %3").arg(QLatin1String(item), file, said.join(' ')));
    };

    // The quiz: nets 1, 5 and 9 on the sheet; squares hidden and turned.
    windows.item("Piprav1")->trigger();
    TForm2 &quiz = *windows.form2;
    for (const char *name : {"Image1", "Image5", "Image9"})
        QTest::mouseClick(named<QWidget>(&quiz, name), Qt::LeftButton, {}, QPoint(10, 10));
    auto *image1 = named<QWidget>(&quiz, "Image1");
    auto *image5 = named<QWidget>(&quiz, "Image5");
    auto *image9 = named<QWidget>(&quiz, "Image9");
    QTest::mouseClick(image1, Qt::RightButton, {}, squareCentre(3));
    QTest::mouseClick(image1, Qt::MiddleButton, {}, squareCentre(6));
    QTest::mouseClick(image5, Qt::RightButton, {}, squareCentre(2));
    QTest::mouseClick(image5, Qt::MiddleButton, {}, squareCentre(4));
    QTest::mouseClick(image9, Qt::MiddleButton, {}, squareCentre(1));
    QTest::mouseClick(image9, Qt::MiddleButton, {}, squareCentre(1));
    named<QPlainTextEdit>(&quiz, "vstup")->setPlainText(QStringLiteral("Zadání:\nOpravte sítě, aby z nich šla složit krychle."));
    QTest::mouseClick(named<QPushButton>(&quiz, "OK"), Qt::LeftButton);
    save("Ulozitcviceni1", out.filePath("quiz.html"), 70, false);
    save("Ulozitscorm1", out.filePath("quiz-scorm.zip"), 70, false);

    // The folder for the web, and beside its page the quiz with the 3D view.
    dialogs.files.enqueue({out.filePath("web")});
    windows.item("Ulozitproweb1")->trigger();
    if (!QFile::exists(out.filePath("web/index.html")))
        fail(QStringLiteral("\"Uložit pro web\" wrote nothing"));
    save("Ulozitcviceni1", out.filePath("web/quiz-3d.html"), 70, true);

    // The trace: the upper net rolled, then in picture mode imprints blanked and one turned.
    windows.item("priprstopy")->trigger();
    TForm4 &trace = *windows.form4;
    auto *upper = named<QWidget>(&trace, "Image5");
    const QPoint path[] = {{8, 4}, {9, 4}, {9, 3}, {9, 2}, {10, 2}, {11, 2}, {11, 3}, {11, 4},
                           {11, 5}, {10, 5}};
    for (QPoint f : path)
        QTest::mouseClick(upper, Qt::LeftButton, {}, centre(f.x(), f.y()));
    if (trace.net(1).history.count != int(std::size(path)))
        fail(QStringLiteral("the die did not roll where it was clicked"));
    named<QPlainTextEdit>(&trace, "vstup")->setPlainText(QStringLiteral("Zadání:\nDoplňte otisky kostky."));
    for (QRadioButton *item : trace.findChildren<QRadioButton *>())
        if (item->text() == windows.context.language.text(Text::TraceModePicture))
            QTest::mouseClick(item, Qt::LeftButton, {}, QPoint(6, 8));
    if (trace.mode() != 2)
        fail(QStringLiteral("picture mode was not entered"));
    for (QPoint f : {QPoint(9, 3), QPoint(11, 2), QPoint(11, 5)})
        QTest::mouseClick(upper, Qt::RightButton, {}, centre(f.x(), f.y()));
    QTest::mouseClick(upper, Qt::LeftButton, Qt::ShiftModifier, centre(10, 2));
    QTest::mouseClick(named<QPushButton>(&trace, "OK"), Qt::LeftButton);
    save("Ulozitcvicenistopy", out.filePath("trace.html"), 60, false);
    save("Ulozitscormstopy", out.filePath("trace-scorm.zip"), 60, false);

    std::cout << "ok" << std::endl;
    return 0;
}
