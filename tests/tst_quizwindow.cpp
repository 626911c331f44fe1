#include "appcontext.h"
#include "imagecontrol.h"
#include "netgeometry.h"
#include "scripteddialogs.h"
#include "testfiles.h"
#include "tileshapes.h"
#include "tisky.h"

#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWindow>
#include <QtTest>
#include <memory>

namespace {

using testfiles::demo;

const QStringList demoPictures = {"1-predni.jpg", "2-prava.png", "3-zadni.gif",
                                  "4-leva.jpg",   "5-horni.png", "6-dolni.gif"};

faceset::Snapshot demoSnapshot(const QList<int> &rotations = {0, 0, 0, 0, 0, 0})
{
    QStringList labels, edits;
    for (int i = 0; i < 6; ++i) {
        labels << faceset::quoted(demo(demoPictures[i]));
        edits << QString::number(rotations[i]);
    }
    return faceset::takeSnapshot(labels, edits);
}

// The demo tile of a face (1..6) as it must look in a turn; state 4 and
// above give the white inside of a blank square.
QImage expectedSquare(int face, int state, const faceset::Snapshot &snapshot)
{
    if (state > 3) {
        QImage white(32, 32, QImage::Format_RGB32);
        white.fill(Qt::white);
        return white;
    }
    const QImage tile = QImage(snapshot.names[face - 1]).convertToFormat(QImage::Format_RGB32);
    return tile.transformed(QTransform().rotate(90 * state)).convertToFormat(QImage::Format_RGB32);
}

QImage squareArea(const ImageControl *thumb, int square)
{
    return thumb->image().copy(net::square_x[square - 1], net::square_y[square - 1], 32, 32)
            .convertToFormat(QImage::Format_RGB32);
}

int blackPixels(const QImage &image, const QRect &area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += (image.pixel(x, y) & 0xFFFFFF) == 0;
    return count;
}

} // namespace

class tst_QuizWindow : public QObject
{
    Q_OBJECT
private:
    ScriptedDialogs *dialogs = nullptr;
    std::unique_ptr<AppContext> context;
    std::unique_ptr<QWidget> mainWindow;
    std::unique_ptr<QWidget> help;
    std::unique_ptr<TForm2> form;
    QString modelName = QStringLiteral("vemtal.wrl");

    std::unique_ptr<ScriptedDialogs> ownedDialogs;

    ImageControl *image(const QString &name) const
    {
        auto *control = form->findChild<ImageControl *>(name);
        if (!control)
            qFatal("no image %s", qPrintable(name));
        return control;
    }
    template<typename T> T *control(const QString &name) const
    {
        auto *c = form->findChild<T *>(name);
        if (!c)
            qFatal("no control %s", qPrintable(name));
        return c;
    }
    ImageControl *thumb(int k) const { return image(QStringLiteral("Image%1").arg(k)); }
    int state(int k, int s) const { return form->quizState().thumbnails[k - 1].states[s - 1]; }

    void gesture(ImageControl *target, const QString &kind, QPoint p)
    {
        const QMap<QChar, Qt::MouseButton> buttons{{'L', Qt::LeftButton}, {'R', Qt::RightButton},
                                                   {'M', Qt::MouseButton::MiddleButton}};
        Qt::KeyboardModifiers modifiers;
        QString k = kind;
        if (k.startsWith('S')) {
            modifiers = Qt::ShiftModifier;
            k.remove(0, 1);
        } else if (k.startsWith('C')) {
            modifiers = Qt::ControlModifier;
            k.remove(0, 1);
        }
        const Qt::MouseButton button = buttons.value(k[0]);
        QTest::mouseClick(target, button, modifiers, p);
        if (k.size() == 2) {   // a double click: the second press arrives as a double click
            QTest::mouseDClick(target, button, modifiers, p);
            QTest::mouseRelease(target, button, modifiers, p);
        }
    }

    void showForm()
    {
        form->show();
        QVERIFY(form->isVisible());
    }

private slots:
    void init()
    {
        ownedDialogs = std::make_unique<ScriptedDialogs>();
        dialogs = ownedDialogs.get();
        mainWindow = std::make_unique<QWidget>();
        mainWindow->setGeometry(100, 80, 800, 500);
        help = std::make_unique<QWidget>();
        context = std::make_unique<AppContext>();
        context->dialogs = dialogs;
        context->mainWindow = mainWindow.get();
        context->snapshot = demoSnapshot();
        modelName = QStringLiteral("vemtal.wrl");
        context->modelFileName = [this] { return modelName; };
        form = std::make_unique<TForm2>(*context, help.get());
    }
    void cleanup()
    {
        form.reset();
        context.reset();
        help.reset();
        mainWindow.reset();
        ownedDialogs.reset();
    }

    void windowProperties()
    {
        QCOMPARE(form->windowTitle(), QStringLiteral("Příprava kvízu"));
        QCOMPARE(form->size(), QSize(882, 600));
        QCOMPARE(form->minimumSize(), QSize(882, 600));
        QCOMPARE(form->maximumSize(), QSize(882, 600));
        QCOMPARE(form->font().pixelSize(), 11);
        QCOMPARE(form->palette().color(QPalette::Window), QColor(Qt::white));
        QVERIFY(form->isWindow());
        showForm();
        // Centred on the main window as far as the screen allows.
        const QRect available = form->screen()->availableGeometry();
        QRect centred = form->frameGeometry();
        centred.moveCenter(mainWindow->frameGeometry().center());
        if (available.contains(centred)) {
            const QPoint offset = form->frameGeometry().center() - mainWindow->frameGeometry().center();
            QVERIFY2(offset.manhattanLength() <= 2, qPrintable(QStringLiteral("%1,%2").arg(offset.x()).arg(offset.y())));
        } else {
            const int left = qMax(available.left(), qMin(centred.left(), available.right() + 1 - centred.width()));
            const int top = qMax(available.top(), qMin(centred.top(), available.bottom() + 1 - centred.height()));
            QVERIFY(qAbs(form->frameGeometry().left() - left) <= 1);
            QVERIFY(qAbs(form->frameGeometry().top() - top) <= 1);
        }
    }

    void controls_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<bool>("visible");
        QTest::newRow("Panel") << "Panel" << "TForm2" << QRect(440, 0, 442, 600) << true;
        QTest::newRow("BitBtn1") << "BitBtn1" << "TForm2" << QRect(824, 0, 59, 30) << true;
        QTest::newRow("popis") << "popis" << "TForm2" << QRect(8, 469, 430, 90) << true;
        QTest::newRow("dalsipopis") << "dalsipopis" << "TForm2" << QRect(184, 416, 240, 80) << false;
        QTest::newRow("nazev") << "nazev" << "TForm2" << QRect(8, 560, 434, 25) << false;
        QTest::newRow("logo") << "logo" << "TForm2" << QRect(312, 568, 121, 25) << true;
        QTest::newRow("dalsipopis2") << "dalsipopis2" << "TForm2" << QRect(192, 424, 240, 80) << false;
        QTest::newRow("OBNOVIT") << "OBNOVIT" << "Panel" << QRect(264, 558, 129, 33) << true;
        QTest::newRow("OK") << "OK" << "Panel" << QRect(400, 558, 33, 33) << true;
        QTest::newRow("vstup") << "vstup" << "Panel" << QRect(8, 446, 425, 73) << true;
        QTest::newRow("dalsi") << "dalsi" << "Panel" << QRect(8, 534, 235, 57) << true;
        QTest::newRow("dalsi2") << "dalsi2" << "Panel" << QRect(24, 542, 235, 55) << true;
        for (int k = 1; k <= 12; ++k)
            QTest::addRow("Image%d", k) << QStringLiteral("Image%1").arg(k) << "Panel"
                    << QRect(((k - 1) / 4) * 144 + 8, ((k - 1) % 4) * 110 + 7, 138, 104) << true;
    }
    void controls()
    {
        QFETCH(QString, name);
        QFETCH(QString, parent);
        QFETCH(QRect, geometry);
        QFETCH(bool, visible);
        showForm();
        auto *c = control<QWidget>(name);
        QCOMPARE(c->parentWidget()->objectName(), parent);
        QCOMPARE(c->geometry(), geometry);
        QCOMPARE(c->isVisible(), visible);
        if (name.startsWith("Image"))
            QCOMPARE(qobject_cast<ImageControl *>(c)->tag(), name.mid(5).toInt());
    }

    void initialTexts()
    {
        QCOMPARE(control<QPlainTextEdit>("vstup")->toPlainText(), QStringLiteral("Zadání:"));
        QCOMPARE(control<QPlainTextEdit>("dalsi")->toPlainText(), QStringLiteral("Další text:\n"));
        QCOMPARE(control<QPlainTextEdit>("dalsi2")->toPlainText(), QStringLiteral("Další text:\n"));
        QCOMPARE(control<QPushButton>("OBNOVIT")->text(), QStringLiteral("Obnovit původní otočení"));
        QCOMPARE(control<QPushButton>("BitBtn1")->text(), QStringLiteral("&Help"));
        QVERIFY(!control<QPushButton>("BitBtn1")->icon().isNull());
        QCOMPARE(control<QPlainTextEdit>("vstup")->property("tag").toInt(), 13);
        QCOMPARE(control<QLabel>("Label1")->property("tag").toInt(), 14);
        // The copyright text is in the logo, clipped to its box.
        const QImage logo = image("logo")->image();
        QVERIFY(blackPixels(logo, QRect(10, 10, 100, 14)) > 0);
        QCOMPARE(blackPixels(logo, QRect(0, 0, 121, 10)), 0);
        // nazev: an outlined white box over the whole image.
        const QImage nazev = image("nazev")->image();
        QCOMPARE(nazev.pixel(0, 0) & 0xFFFFFF, 0u);
        QCOMPARE(nazev.pixel(433, 24) & 0xFFFFFF, 0u);
        QCOMPARE(nazev.pixel(5, 5) & 0xFFFFFF, 0xFFFFFFu);
    }

    void showDrawsOriginalTurns_data()
    {
        QTest::addColumn<QList<int>>("rotations");
        QTest::newRow("rotations 0") << QList<int>{0, 0, 0, 0, 0, 0};
        QTest::newRow("mixed rotations") << QList<int>{1, 2, 3, 0, 5, 4};
    }
    void showDrawsOriginalTurns()
    {
        QFETCH(QList<int>, rotations);
        context->snapshot = demoSnapshot(rotations);
        showForm();
        for (int k = 1; k <= 12; ++k) {
            for (int s = 1; s <= 6; ++s) {
                const int face = net::net_faces[k - 1][s - 1];
                const int turn = (rotations[face - 1] + net::net_turns[k - 1][s - 1]) % 4;
                QCOMPARE(state(k, s), turn);
                QCOMPARE(squareArea(thumb(k), s), expectedSquare(face, turn, context->snapshot));
            }
            QCOMPARE(thumb(k)->image().pixel(0, 0) & 0xFFFFFF, 0u);
            QCOMPARE(thumb(k)->image().pixel(10, 10) & 0xFFFFFF, 0xFFFFFFu);
        }
        QCOMPARE(control<QLabel>("Label1")->text(), modelName);
        QCOMPARE(control<QLabel>("Label1")->geometry().right() + 1, 433);
        QCOMPARE(control<QLabel>("Label1")->y(), 522);
    }

    void gestures_data()
    {
        QTest::addColumn<int>("layout");
        QTest::addColumn<QStringList>("steps");   // "<gesture> x y"
        QTest::addColumn<QList<int>>("states");   // state of the square after each step
        QTest::newRow("middle x4 on square 3 turns 1 2 3 0") << 1
                << QStringList{"M 50 50", "M 50 50", "M 50 50", "M 50 50"} << QList<int>{1, 2, 3, 0};
        QTest::newRow("middle on a base-turned square") << 1
                << QStringList{"M 50 80", "M 50 80"} << QList<int>{3, 0};
        QTest::newRow("counter shared between squares") << 1
                << QStringList{"M 50 50", "M 80 50", "M 10 50"} << QList<int>{1, 2, 3};
        QTest::newRow("right hides, left shows") << 3
                << QStringList{"R 50 10", "R 50 10", "L 50 10"} << QList<int>{4, 4, 2};
        QTest::newRow("left shows the original turn after turns") << 1
                << QStringList{"M 50 50", "L 50 50"} << QList<int>{1, 0};
        QTest::newRow("shift+left shows then turns") << 1
                << QStringList{"SL 50 50", "SL 50 50"} << QList<int>{1, 2};
        QTest::newRow("ctrl+left turns") << 1 << QStringList{"CL 50 50"} << QList<int>{1};
        QTest::newRow("ctrl+right hides and shows turned") << 1
                << QStringList{"CR 110 50"} << QList<int>{1};
        QTest::newRow("shift+right hides and shows turned") << 1
                << QStringList{"SR 110 50"} << QList<int>{1};
        QTest::newRow("turn shows a hidden square") << 2
                << QStringList{"R 20 50", "M 20 50"} << QList<int>{4, 1};
        QTest::newRow("double middle click turns twice") << 1
                << QStringList{"MM 50 50"} << QList<int>{2};
        QTest::newRow("double right click hides once") << 1
                << QStringList{"RR 50 50", "M 50 50"} << QList<int>{4, 1};
    }
    void gestures()
    {
        QFETCH(int, layout);
        QFETCH(QStringList, steps);
        QFETCH(QList<int>, states);
        showForm();
        ImageControl *t = thumb(layout);
        for (int i = 0; i < steps.size(); ++i) {
            const QStringList parts = steps[i].split(' ');
            const QPoint p(parts[1].toInt(), parts[2].toInt());
            gesture(t, parts[0], p);
            const int s = net::square_at(p.x(), p.y());
            QCOMPARE(state(layout, s), states[i]);
            const int face = net::net_faces[layout - 1][s - 1];
            QCOMPARE(squareArea(t, s), expectedSquare(face, states[i], context->snapshot));
            // In the net, a press never moves the thumbnail.
            QCOMPARE(t->parentWidget()->objectName(), QStringLiteral("Panel"));
        }
    }

    void clicksOutsideTheNet()
    {
        showForm();
        ImageControl *t9 = thumb(9);
        QTest::mouseClick(t9, Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(t9->parentWidget(), form.get());
        QCOMPARE(t9->pos(), QPoint(296, 7));
        QVERIFY(t9->isVisible());
        QVERIFY(form->quizState().thumbnails[8].onSheet);
        // A second left click leaves it where it is.
        t9->move(100, 50);
        QTest::mouseClick(t9, Qt::LeftButton, {}, QPoint(120, 90));
        QCOMPARE(t9->pos(), QPoint(100, 50));
        // Right click outside the net sends it home.
        QTest::mouseClick(t9, Qt::RightButton, {}, QPoint(10, 10));
        QCOMPARE(t9->parentWidget()->objectName(), QStringLiteral("Panel"));
        QCOMPARE(t9->pos(), QPoint(296, 7));
        QVERIFY(t9->isVisible());
        // A thumbnail dragged within the panel also goes home.
        ImageControl *t2 = thumb(2);
        t2->move(30, 140);
        QTest::mouseClick(t2, Qt::RightButton, {}, QPoint(120, 90));
        QCOMPARE(t2->pos(), QPoint(8, 117));
        // Shift+left outside: onto the sheet and square_at(10, 10) = 2 turned.
        ImageControl *t1 = thumb(1);
        QTest::mouseClick(t1, Qt::LeftButton, Qt::ShiftModifier, QPoint(10, 10));
        QCOMPARE(t1->parentWidget(), form.get());
        QCOMPARE(state(1, 2), 1);
        QCOMPARE(squareArea(t1, 2), expectedSquare(5, 1, context->snapshot));
    }

    void drag_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QPoint>("start");
        QTest::addColumn<QPoint>("delta");
        QTest::addColumn<bool>("moves");
        QTest::newRow("to left 419") << "Image1" << QPoint(300, 100) << QPoint(119, 0) << true;
        QTest::newRow("to left 420 refused") << "Image1" << QPoint(300, 100) << QPoint(120, 0) << false;
        QTest::newRow("to left -119") << "Image1" << QPoint(0, 100) << QPoint(-119, 0) << true;
        QTest::newRow("to left -120 refused") << "Image1" << QPoint(0, 100) << QPoint(-120, 0) << false;
        QTest::newRow("to top 579") << "Image1" << QPoint(0, 500) << QPoint(0, 79) << true;
        QTest::newRow("to top 580 refused") << "Image1" << QPoint(0, 500) << QPoint(0, 80) << false;
        QTest::newRow("to top -89") << "Image1" << QPoint(0, 10) << QPoint(0, -99) << true;
        QTest::newRow("to top -90 refused") << "Image1" << QPoint(0, 10) << QPoint(0, -100) << false;
        QTest::newRow("text image") << "popis" << QPoint(8, 469) << QPoint(-30, 20) << true;
        QTest::newRow("text image to 420 refused") << "dalsipopis" << QPoint(184, 416) << QPoint(236, 0) << false;
    }
    void drag()
    {
        QFETCH(QString, name);
        QFETCH(QPoint, start);
        QFETCH(QPoint, delta);
        QFETCH(bool, moves);
        showForm();
        ImageControl *c = image(name);
        if (name.startsWith("Image"))
            QTest::mouseClick(c, Qt::LeftButton, {}, QPoint(10, 10));   // onto the sheet
        QCOMPARE(c->parentWidget(), form.get());
        c->show();
        c->move(start);
        const QPoint grip(10, 10);
        QTest::mousePress(c, Qt::LeftButton, {}, grip);
        QTest::mouseMove(c, grip + delta);
        QCOMPARE(c->pos(), moves ? start + delta : start);
        QTest::mouseRelease(c, Qt::LeftButton, {}, grip + delta);
    }

    void dragFollowsThePointer()
    {
        showForm();
        ImageControl *t = thumb(5);
        // Gripped in the net on the panel: dragged within the panel.
        QTest::mousePress(t, Qt::LeftButton, {}, QPoint(50, 50));
        QTest::mouseMove(t, QPoint(60, 55));
        QCOMPARE(t->pos(), QPoint(162, 12));
        // The next event is in the moved control's coordinates.
        QTest::mouseMove(t, QPoint(55, 50));
        QCOMPARE(t->pos(), QPoint(167, 12));
        QTest::mouseRelease(t, Qt::LeftButton, {}, QPoint(55, 50));
        QCOMPARE(t->parentWidget()->objectName(), QStringLiteral("Panel"));
        // Moves without the left button do nothing.
        QTest::mousePress(t, Qt::RightButton, {}, QPoint(40, 40));
        QTest::mouseMove(t, QPoint(60, 60));
        QCOMPARE(t->pos(), QPoint(167, 12));
        QTest::mouseRelease(t, Qt::RightButton, {}, QPoint(60, 60));
    }

    void onePressDragsOntoTheSheet()
    {
        // Through the window, as the pointer does it: the press outside the
        // net puts Image9 at the same numbers on the sheet (296, 7); the same
        // press goes on as a drag, held by the drag rule's limits while the
        // pointer is over the panel, and then under the pointer.
        showForm();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        QWindow *window = form->windowHandle();
        ImageControl *t9 = thumb(9);
        ImageControl *t10 = thumb(10);
        const QPoint grip(10, 10);
        QTest::mousePress(window, Qt::LeftButton, {}, t9->mapTo(form.get(), grip));
        QCOMPARE(t9->parentWidget(), form.get());
        QCOMPARE(t9->pos(), QPoint(296, 7));
        QTest::mouseMove(window, QPoint(700, 150));   // its left would be 690
        QCOMPARE(t9->pos(), QPoint(296, 7));
        QCOMPARE(t10->pos(), QPoint(296, 117));       // nor is another thumbnail dragged
        QTest::mouseMove(window, QPoint(300, 200));
        QCOMPARE(t9->pos(), QPoint(300, 200) - grip);
        QTest::mouseMove(window, QPoint(320, 230));
        QCOMPARE(t9->pos(), QPoint(320, 230) - grip);
        QTest::mouseRelease(window, Qt::LeftButton, {}, QPoint(320, 230));
        QCOMPARE(t9->pos(), QPoint(310, 220));
        QCOMPARE(t10->parentWidget(), control<QFrame>("Panel"));
        QCOMPARE(form->quizState().thumbnails[8].left, 310);
    }

    void memoTakingTheKeyboardComesToTheFront()
    {
        // dalsi2 lies over dalsi; whichever takes the keyboard, by a click
        // or by Tab, is shown whole.
        showForm();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        auto *panel = control<QFrame>("Panel");
        auto *dalsi = control<QPlainTextEdit>("dalsi");
        auto *dalsi2 = control<QPlainTextEdit>("dalsi2");
        auto above = [panel](QWidget *a, QWidget *b) {
            return panel->children().indexOf(a) > panel->children().indexOf(b);
        };
        QVERIFY(above(dalsi2, dalsi));
        dalsi->setFocus(Qt::TabFocusReason);
        QVERIFY(dalsi->hasFocus());
        QVERIFY(above(dalsi, dalsi2));
        dalsi2->setFocus(Qt::BacktabFocusReason);
        QVERIFY(above(dalsi2, dalsi));
    }

    void renderMemo_data()
    {
        QTest::addColumn<QString>("memo");
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("right");
        QTest::addColumn<int>("textRight");
        QTest::addColumn<int>("bottom");
        QTest::newRow("vstup into popis") << "vstup" << "popis" << 428 << 426 << 90;
        QTest::newRow("dalsi into dalsipopis") << "dalsi" << "dalsipopis" << 239 << 236 << 80;
        QTest::newRow("dalsi2 into dalsipopis2") << "dalsi2" << "dalsipopis2" << 239 << 236 << 80;
    }
    void renderMemo()
    {
        QFETCH(QString, memo);
        QFETCH(QString, target);
        QFETCH(int, right);
        QFETCH(int, textRight);
        QFETCH(int, bottom);
        showForm();
        auto *edit = control<QPlainTextEdit>(memo);
        ImageControl *img = image(target);
        img->hide();
        edit->setPlainText(QStringLiteral("Řádek WWW\nDruhý MMM\nTřetí HHH"));
        QTest::mouseDClick(edit->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseRelease(edit->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
        QVERIFY(img->isVisible());
        const QImage pic = img->image();
        // Three lines in bands at y = 10, 25, 40; nothing below, nothing left of x = 10.
        for (int i = 0; i < 3; ++i)
            QVERIFY2(blackPixels(pic, QRect(10, 10 + 15 * i, textRight - 10, 15)) > 20,
                     qPrintable(QString::number(i)));
        QCOMPARE(blackPixels(pic, QRect(2, 55, right - 4, bottom - 57)), 0);
        QCOMPARE(blackPixels(pic, QRect(2, 2, 8, bottom - 4)), 0);
        QCOMPARE(blackPixels(pic, QRect(2, 2, right - 4, 8)), 0);
        // A black frame around (1, 1)-(right, bottom), exclusive edges.
        for (QPoint p : {QPoint(1, 1), QPoint(right - 1, 1), QPoint(1, bottom - 1),
                         QPoint(right - 1, bottom - 1), QPoint(right / 2, 1)})
            QCOMPARE(pic.pixel(p) & 0xFFFFFF, 0u);
        QCOMPARE(pic.pixel(0, 0) & 0xFFFFFF, 0xFFFFFFu);
        if (right < pic.width())
            QCOMPARE(pic.pixel(right, 5) & 0xFFFFFF, 0xFFFFFFu);

        // Rendering an empty memo leaves an empty box.
        edit->clear();
        QTest::mouseDClick(edit->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseRelease(edit->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(blackPixels(img->image(), QRect(2, 2, right - 4, bottom - 4)), 0);

        // A double click on the image takes it off the sheet, the caret into its memo.
        QTest::mouseDClick(img, Qt::LeftButton, {}, QPoint(20, 20));
        QTest::mouseRelease(img, Qt::LeftButton, {}, QPoint(20, 20));
        QVERIFY(!img->isVisible());
        QCOMPARE(form->focusWidget(), edit);
    }

    void renderedImageKeptBelowTop5()
    {
        showForm();
        ImageControl *img = image("dalsipopis2");
        img->move(50, 2);
        auto *edit = control<QPlainTextEdit>("dalsi2");
        QTest::mouseDClick(edit->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseRelease(edit->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(img->pos(), QPoint(50, 5));
        // The memo came to the front.
        QCOMPARE(control<QFrame>("Panel")->children().last(), edit);
    }

    void memoClickBringsToFront()
    {
        showForm();
        auto *panel = control<QFrame>("Panel");
        auto *dalsi = control<QPlainTextEdit>("dalsi");
        auto *dalsi2 = control<QPlainTextEdit>("dalsi2");
        QVERIFY(panel->children().indexOf(dalsi2) > panel->children().indexOf(dalsi));
        QTest::mouseClick(dalsi->viewport(), Qt::LeftButton, {}, QPoint(5, 20));
        QVERIFY(panel->children().indexOf(dalsi) > panel->children().indexOf(dalsi2));
        QTest::mouseClick(dalsi2->viewport(), Qt::LeftButton, {}, QPoint(100, 20));
        QVERIFY(panel->children().indexOf(dalsi2) > panel->children().indexOf(dalsi));
    }

    void fileNameOntoTheSheet()
    {
        modelName = QStringLiteral("/home/jan/krychle.wrl");
        showForm();
        auto *label = control<QLabel>("Label1");
        QCOMPARE(label->text(), modelName);
        QCOMPARE(label->geometry().right() + 1, 433);
        ImageControl *nazev = image("nazev");
        nazev->move(8, 0);
        QTest::mouseDClick(label, Qt::LeftButton, {}, QPoint(2, 2));
        QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(2, 2));
        QVERIFY(nazev->isVisible());
        const int w = label->width() + 20;
        QCOMPARE(nazev->width(), w);
        QCOMPARE(nazev->pos(), QPoint(8, 5));
        const QImage pic = nazev->image();
        QCOMPARE(pic.pixel(0, 0) & 0xFFFFFF, 0u);
        QCOMPARE(pic.pixel(w - 1, 24) & 0xFFFFFF, 0u);
        QVERIFY(blackPixels(pic, QRect(10, 5, w - 20, 15)) > 20);
        QCOMPARE(blackPixels(pic, QRect(1, 1, 8, 23)), 0);
        // Again: rendered again, not removed.
        QTest::mouseDClick(label, Qt::LeftButton, {}, QPoint(2, 2));
        QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(2, 2));
        QVERIFY(nazev->isVisible());
        // Its own double click removes it and puts the caret into dalsi2.
        QTest::mouseDClick(nazev, Qt::LeftButton, {}, QPoint(3, 3));
        QTest::mouseRelease(nazev, Qt::LeftButton, {}, QPoint(3, 3));
        QVERIFY(!nazev->isVisible());
        QCOMPARE(form->focusWidget(), control<QPlainTextEdit>("dalsi2"));
    }

    void showBeforeOkResets()
    {
        showForm();
        QTest::mouseClick(thumb(1), Qt::RightButton, {}, QPoint(50, 50));
        QTest::mouseClick(thumb(2), Qt::MouseButton::MiddleButton, {}, QPoint(50, 50));
        QCOMPARE(state(1, 3), 4);
        form->close();
        QVERIFY(!form->isVisible());
        showForm();
        QCOMPARE(state(1, 3), 0);
        QCOMPARE(state(2, 3), 0);
        QCOMPARE(squareArea(thumb(1), 3), expectedSquare(1, 0, context->snapshot));
        QVERIFY(dialogs->texts("question").isEmpty());
    }

    void okAndChangedFaceSet()
    {
        QSignalSpy spy(form.get(), &TForm2::confirmed);
        showForm();
        QTest::mouseClick(thumb(1), Qt::RightButton, {}, QPoint(50, 50));
        QTest::mouseClick(control<QPushButton>("OK"), Qt::LeftButton);
        QCOMPARE(spy.count(), 1);
        QVERIFY(!form->isVisible());

        // Unchanged: nothing is redrawn, nothing asked.
        showForm();
        QCOMPARE(state(1, 3), 4);
        QVERIFY(dialogs->texts("question").isEmpty());
        form->hide();

        // Changed face 1 to another picture: asked; No keeps the old pictures.
        const faceset::Snapshot old = context->snapshot;
        QStringList labels, edits{"0", "0", "0", "0", "0", "0"};
        for (int i = 0; i < 6; ++i)
            labels << faceset::quoted(demo(demoPictures[i == 0 ? 2 : i]));
        context->snapshot = faceset::takeSnapshot(labels, edits);
        modelName = QStringLiteral("/tmp/jina.wrl");
        const QImage before = thumb(3)->image().copy();
        dialogs->answers.enqueue(false);
        showForm();
        QCOMPARE(dialogs->texts("question"),
                 QStringList{QStringLiteral("Povrch kostky se změnil.  Přizpůsobit?")});
        QCOMPARE(thumb(3)->image(), before);
        QCOMPARE(state(1, 3), 4);
        QCOMPARE(control<QLabel>("Label1")->text(), QStringLiteral("vemtal.wrl"));
        form->hide();

        // Asked again; Yes redraws all in the original turns with the new pictures.
        dialogs->answers.enqueue(true);
        showForm();
        QCOMPARE(dialogs->texts("question").size(), 2);
        QCOMPARE(state(1, 3), 0);
        QCOMPARE(squareArea(thumb(1), 3), expectedSquare(1, 0, context->snapshot));
        QCOMPARE(squareArea(thumb(1), 3), expectedSquare(3, 0, old));
        QVERIFY(thumb(3)->image() != before);
        QCOMPARE(control<QLabel>("Label1")->text(), modelName);
        QCOMPARE(control<QLabel>("Label1")->geometry().right() + 1, 433);
        form->hide();
        showForm();
        QCOMPARE(dialogs->texts("question").size(), 2);
        QCOMPARE(spy.count(), 1);
    }

    void tileWarningOncePerFaceSet()
    {
        // The demo pictures carry a quiz.
        showForm();
        QVERIFY(dialogs->calls.isEmpty());
        form->hide();
        // Face 3 a ring: told once, not again on showing or restoring.
        QTemporaryDir dir;
        QVERIFY(tileshapes::ring().save(dir.filePath("kruh.bmp")));
        QStringList labels, edits{"0", "0", "0", "0", "0", "0"};
        for (int i = 0; i < 6; ++i)
            labels << faceset::quoted(i == 2 ? dir.filePath("kruh.png") : demo(demoPictures[i]));
        context->snapshot = faceset::takeSnapshot(labels, edits);
        showForm();
        const QStringList told{
                QStringLiteral("Stěna 3 vypadá po otočení stejně: nepůjde poznat, jak je otočená.")};
        QCOMPARE(dialogs->texts("message"), told);
        form->hide();
        showForm();
        QTest::mouseClick(control<QPushButton>("OBNOVIT"), Qt::LeftButton);
        QCOMPARE(dialogs->texts("message"), told);
    }

    void languageReplacesTheQuestion()
    {
        context->language.active = true;
        context->language.lines = QStringList(124, QString());
        context->language.lines[63] = QStringLiteral("Surface changed. Adapt?");
        context->language.lines[39] = QStringLiteral("Wrong data");
        showForm();
        QTest::mouseClick(control<QPushButton>("OK"), Qt::LeftButton);
        context->snapshot = demoSnapshot({1, 0, 0, 0, 0, 0});
        showForm();
        QCOMPARE(dialogs->texts("question"), QStringList{"Surface changed. Adapt?"});
        QCOMPARE(form->loadQuizFile("kk\r\n"), QStringLiteral("Wrong data"));
        QCOMPARE(form->loadQuizFile("KK\r\nI 0 8 7 000200\r\nX\r\n"), QStringLiteral("Error"));
    }

    void saveAndLoadRoundTrip()
    {
        context->snapshot = demoSnapshot({1, 0, 2, 0, 3, 0});
        showForm();
        QTest::mouseClick(thumb(1), Qt::LeftButton, {}, QPoint(10, 10));   // onto the sheet
        thumb(1)->move(-50, 20);
        QTest::mouseClick(thumb(7), Qt::LeftButton, {}, QPoint(120, 90));
        thumb(7)->move(250, 300);
        thumb(4)->move(20, 400);                                       // moved on the panel
        QTest::mouseClick(thumb(1), Qt::RightButton, {}, QPoint(50, 50));
        QTest::mouseClick(thumb(5), Qt::MouseButton::MiddleButton, {}, QPoint(10, 50));
        QTest::mouseClick(thumb(5), Qt::MouseButton::MiddleButton, {}, QPoint(110, 50));
        QTest::mouseClick(thumb(12), Qt::RightButton, {}, QPoint(50, 80));
        control<QPlainTextEdit>("vstup")->setPlainText("Zadání:\nKterá síť patří ke kostce?");
        control<QPlainTextEdit>("dalsi")->clear();
        control<QPlainTextEdit>("dalsi2")->setPlainText("Jméno: ______");
        const QByteArray bytes = form->quizFileBytes();
        QVERIFY(bytes.contains("I 1 -50 20 "));
        QVERIFY(bytes.contains("\r\nV Zad\xe1n\xed:\r\n"));
        QVERIFY(!bytes.contains("\r\nD "));

        // Into a fresh window with the same face set.
        TForm2 other(*context, help.get());
        QCOMPARE(other.loadQuizFile(bytes), QString());
        other.show();
        QCOMPARE(other.quizState(), form->quizState());
        QCOMPARE(other.quizFileBytes(), bytes);
        for (int k = 1; k <= 12; ++k) {
            auto *mine = thumb(k);
            auto *theirs = other.findChild<ImageControl *>(QStringLiteral("Image%1").arg(k));
            QCOMPARE(theirs->pos(), mine->pos());
            QCOMPARE(theirs->parentWidget()->objectName(), mine->parentWidget()->objectName());
            QCOMPARE(theirs->image(), mine->image());
        }
        QCOMPARE(other.findChild<QPlainTextEdit *>("dalsi")->toPlainText(), QString());
        QCOMPARE(thumb(1)->parentWidget(), form.get());
        QCOMPARE(other.findChild<ImageControl *>("Image1")->parentWidget(), &other);
    }

    void loadIntoTheSameWindow()
    {
        showForm();
        QTest::mouseClick(thumb(3), Qt::RightButton, {}, QPoint(50, 10));
        const QByteArray saved = form->quizFileBytes();
        form->hide();
        QTest::mouseClick(control<QPushButton>("OBNOVIT"), Qt::LeftButton);
        QTest::mouseClick(thumb(3), Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(thumb(3)->parentWidget(), form.get());
        QCOMPARE(form->loadQuizFile(saved), QString());
        QCOMPARE(thumb(3)->parentWidget()->objectName(), QStringLiteral("Panel"));
        QCOMPARE(thumb(3)->pos(), QPoint(8, 227));
        showForm();   // the show after a load redraws from the loaded states
        QCOMPARE(state(3, 2), 4);
        QCOMPARE(squareArea(thumb(3), 2), expectedSquare(5, 4, context->snapshot));
        QCOMPARE(form->quizFileBytes(), saved);
        // Not confirmed: the next show resets to the original turns.
        form->hide();
        showForm();
        QCOMPARE(state(3, 2), 2);
    }

    void loadWhileShownRedraws()
    {
        showForm();
        QByteArray bytes = form->quizFileBytes();
        bytes.replace("I 0 8 7 000200", "I 1 30 40 444444");
        QCOMPARE(form->loadQuizFile(bytes), QString());
        QCOMPARE(thumb(1)->parentWidget(), form.get());
        QCOMPARE(thumb(1)->pos(), QPoint(30, 40));
        for (int s = 1; s <= 6; ++s)
            QCOMPARE(squareArea(thumb(1), s), expectedSquare(1, 4, context->snapshot));
        QCOMPARE(form->quizFileBytes(), bytes);
    }

    void stateDigitsAboveFourShowBlank()
    {
        QByteArray bytes = "KK\r\n";
        for (int k = 0; k < 12; ++k)
            bytes += "I 0 " + QByteArray::number((k / 4) * 144 + 8) + ' '
                    + QByteArray::number((k % 4) * 110 + 7) + " 567893\r\n";
        QCOMPARE(form->loadQuizFile(bytes), QString());
        showForm();
        QCOMPARE(state(2, 1), 5);
        QCOMPARE(state(2, 5), 9);
        QCOMPARE(squareArea(thumb(2), 1), expectedSquare(1, 5, context->snapshot));
        QCOMPARE(squareArea(thumb(2), 6), expectedSquare(4, 3, context->snapshot));
        QCOMPARE(form->quizFileBytes(), bytes);
    }

    void badFileChangesNothing_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        QByteArray lines;
        for (int k = 0; k < 12; ++k)
            lines += "I 1 1 1 444444\r\n";
        QTest::newRow("small letters") << "kk\r\n" + lines << "Chybný formát dat";
        QTest::newRow("mark with a blank") << "KK \r\n" + lines << "Chybný formát dat";
        QTest::newRow("eleventh line bad number")
                << "KK\r\n" + lines.left(16 * 10) + "I 1 x 1 444444\r\n" + lines.left(16)
                << "Chybný formát dat";
        QTest::newRow("five states in the last line")
                << "KK\r\n" + lines.left(16 * 11) + "I 1 1 1 44444\r\n" << "Chybný formát dat";
        QTest::newRow("memo line among the twelve")
                << "KK\r\n" + lines.left(16 * 6) + "V text\r\n" + lines << "Error";
        QTest::newRow("cut short") << "KK\r\n" + lines.left(16 * 3) << "Chybný formát dat";
    }
    void badFileChangesNothing()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        showForm();
        QTest::mouseClick(thumb(6), Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseClick(thumb(6), Qt::MouseButton::MiddleButton, {}, QPoint(50, 50));
        const QByteArray before = form->quizFileBytes();
        std::array<QImage, 12> images;
        for (int k = 1; k <= 12; ++k)
            images[k - 1] = thumb(k)->image().copy();
        QCOMPARE(form->loadQuizFile(bytes), message);
        QCOMPARE(form->quizFileBytes(), before);
        for (int k = 1; k <= 12; ++k)
            QCOMPARE(thumb(k)->image(), images[k - 1]);
        QCOMPARE(thumb(6)->parentWidget(), form.get());
        // Nothing was marked as loaded: a show before OK resets as usual.
        form->hide();
        showForm();
        QCOMPARE(state(6, 3), 0);
    }

    void helpButtonShowsTheHelpWindow()
    {
        showForm();
        QVERIFY(!help->isVisible());
        QTest::mouseClick(control<QPushButton>("BitBtn1"), Qt::LeftButton);
        QVERIFY(help->isVisible());
        QVERIFY(form->isVisible());
        help->close();
        QTest::mouseClick(control<QPushButton>("BitBtn1"), Qt::LeftButton);
        QVERIFY(help->isVisible());
    }

    // With VEMTAL_SCREENSHOTS set to a folder, saves two views of the window.
    void screenshots()
    {
        const QString folder = qEnvironmentVariable("VEMTAL_SCREENSHOTS");
        showForm();
        QImage shot = form->grab().toImage().convertToFormat(QImage::Format_RGB32);
        // The grab shows the thumbnails 1:1 where they lie.
        const QPoint at = thumb(1)->mapTo(form.get(), QPoint(0, 0));
        QCOMPARE(shot.copy(QRect(at, QSize(138, 104))), thumb(1)->image());
        if (!folder.isEmpty())
            QVERIFY(shot.save(folder + "/quiz-window.png"));

        context->snapshot = demoSnapshot({1, 0, 3, 2, 0, 1});
        form->hide();
        showForm();
        QTest::mouseClick(thumb(1), Qt::LeftButton, {}, QPoint(10, 10));
        thumb(1)->move(20, 30);
        QTest::mouseClick(thumb(6), Qt::LeftButton, {}, QPoint(10, 10));
        thumb(6)->move(200, 30);
        QTest::mouseClick(thumb(11), Qt::LeftButton, {}, QPoint(10, 10));
        thumb(11)->move(110, 180);
        QTest::mouseClick(thumb(1), Qt::RightButton, {}, QPoint(50, 50));
        QTest::mouseClick(thumb(6), Qt::MouseButton::MiddleButton, {}, QPoint(110, 50));
        QTest::mouseClick(thumb(11), Qt::RightButton, {}, QPoint(50, 10));
        QTest::mouseClick(thumb(11), Qt::RightButton, {}, QPoint(50, 80));
        auto *vstup = control<QPlainTextEdit>("vstup");
        vstup->setPlainText("Zadání:\nKterá síť patří ke kostce?\nDoplň chybějící obrázky.");
        QTest::mouseDClick(vstup->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseRelease(vstup->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseDClick(control<QLabel>("Label1"), Qt::LeftButton, {}, QPoint(2, 2));
        QTest::mouseRelease(control<QLabel>("Label1"), Qt::LeftButton, {}, QPoint(2, 2));
        shot = form->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shot.copy(QRect(QPoint(20, 30), QSize(138, 104))), thumb(1)->image());
        if (!folder.isEmpty())
            QVERIFY(shot.save(folder + "/quiz-window-2.png"));
    }
};

QTEST_MAIN(tst_QuizWindow)
#include "tst_quizwindow.moc"
