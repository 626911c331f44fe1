#include "appcontext.h"
#include "cesta.h"
#include "facetiles.h"
#include "imagecontrol.h"
#include "netgeometry.h"
#include "scripteddialogs.h"
#include "testfiles.h"
#include "tileshapes.h"
#include "tracedrawing.h"
#include "tracefile.h"
#include "tracenet.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <memory>

using namespace die;

namespace {

using testfiles::demo;
using tracenet::centre;

QRgb at(const QImage &image, QPoint p) { return image.pixel(p) & 0xFFFFFF; }

// Arrowheads reach 5 pixels into a field: blocks compare the 22 x 22 centre.
constexpr int margin = 5;

// The centre of field f's picture area on a net image.
QImage fieldBlock(const QImage &net, die::Field f)
{
    return net.copy(33 * (column(f) - 1) + 1 + margin, 33 * (row(f) - 1) + 1 + margin,
                    32 - 2 * margin, 32 - 2 * margin)
            .convertToFormat(QImage::Format_RGB32);
}

// A point on the top line of field f's frame, clear of arrowheads.
QPoint framePoint(Field f)
{
    return QPoint(33 * (column(f) - 1) + 3, 33 * (row(f) - 1));
}

// The tip of the arrowhead from a field to its neighbour, from the arrow table.
QPoint arrowTip(Field from, Field to)
{
    const int c = column(from), r = row(from);
    if (column(to) > c)
        return QPoint(33 * c + 5, 33 * r - 17);
    if (column(to) < c)
        return QPoint(33 * c - 38, 33 * r - 14);
    if (row(to) > r)
        return QPoint(33 * c - 17, 33 * r + 5);
    return QPoint(33 * c - 14, 33 * r - 38);
}

} // namespace

class tst_TraceWindow : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void layout_data();
    void layout();
    void firstShowing();
    void rollOnInactiveNet_data();
    void rollOnInactiveNet();
    void refusedRolls();
    void undoButton();
    void netChoiceKeepsUndoHonest();
    void pictureModeEdits();
    void pictureModeOnOtherNet();
    void leavePictureMode_data();
    void leavePictureMode();
    void hideAndShowNet_data();
    void hideAndShowNet();
    void referenceCopyShowsNet();
    void newTrace_data();
    void newTrace();
    void loadAndShow();
    void loadRefusedChangesNothing();
    void dragLimits_data();
    void dragLimits();
    void taskText();
    void sheetBoxes();
    void thumbnail();
    void helpButton();
    void okConfirms();
    void faceChangeRefresh();
    void faceChangeKeepsNetReplayed();
    void changedPictureOfSameNameIsNoticed();
    void tileWarningOncePerFaceSet();
    void thumbnailOnSheetLeavesButtonsFree();
    void languageTexts();
    void screenshots();

private:
    TForm4 &form() { return *m_form; }
    ImageControl *image(const char *name) { return m_form->findChild<ImageControl *>(name); }
    QButtonGroup *group(const char *name)
    {
        return m_form->findChild<QGroupBox *>(name)->findChild<QButtonGroup *>();
    }
    QPushButton *button(const char *name) { return m_form->findChild<QPushButton *>(name); }
    QString varovani() { return m_form->findChild<QLabel *>("varovani")->text(); }
    void showForm();
    // The centre of what an imprint (face, rotation) shows: the plain tile
    // read through the imprint table (a stamp prints mirrored).
    QImage imprintBlock(int face, int rotation) const;
    // Checks a net image against the trace, from the tiles alone: every
    // field of the path shows its imprint (`plain`: the picture, the start
    // imprint where it has no face on the start; else the trace grid), each
    // move's arrowhead is there, the last field is framed red (never in a
    // plain redraw), and nothing is drawn off the path.
    void expectShown(const QImage &net, const trace::Trace &t, bool plain);
    void roll(const char *net, const QList<QPoint> &fields);
    void clickItem(const char *group, int index);

    ScriptedDialogs m_dialogs;
    AppContext m_context;
    QWidget m_help;
    std::unique_ptr<TForm4> m_form;
};

void tst_TraceWindow::init()
{
    m_dialogs = ScriptedDialogs();
    m_context = AppContext();
    m_context.dialogs = &m_dialogs;
    const char *pictures[] = { "1-predni.jpg", "2-prava.png", "3-zadni.gif",
                               "4-leva.jpg", "5-horni.png", "6-dolni.gif" };
    for (int i = 0; i < 6; ++i) {
        m_context.snapshot.pictures[i] = demo(pictures[i]);
        m_context.snapshot.names[i] = demo(pictures[i]).section(QLatin1Char('.'), 0, -2) + ".bmp";
    }
    m_context.snapshot.rotations = { 1, 0, 3, 2, 0, 1 };
    m_context.modelFileName = [] { return QStringLiteral("vemtal.wrl"); };
    m_help.hide();
    m_form = std::make_unique<TForm4>(m_context, &m_help);
}

void tst_TraceWindow::cleanup()
{
    m_form.reset();
}

void tst_TraceWindow::showForm()
{
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

QImage tst_TraceWindow::imprintBlock(int face, int rotation) const
{
    const QImage tile = facetiles::loadTile(m_context.snapshot.names[face - 1],
                                            m_context.snapshot.pictures[face - 1]);
    QImage block(32, 32, QImage::Format_RGB32);
    for (int i = 0; i < 32; ++i)
        for (int j = 0; j < 32; ++j) {
            const QPoint p = rotation == 0 ? QPoint(31 - i, j)
                    : rotation == 1        ? QPoint(j, i)
                    : rotation == 2        ? QPoint(i, 31 - j)
                                           : QPoint(31 - j, 31 - i);
            block.setPixel(i, j, tile.pixel(p) | 0xFF000000);
        }
    return block.copy(margin, margin, 32 - 2 * margin, 32 - 2 * margin);
}

void tst_TraceWindow::expectShown(const QImage &net, const trace::Trace &t, bool plain)
{
    QImage white(32 - 2 * margin, 32 - 2 * margin, QImage::Format_RGB32);
    white.fill(Qt::white);
    const QList<Field> path = trace::path(t.history);
    for (qsizetype i = 0; i < path.size(); ++i) {
        const Field f = path[i];
        const trace::Imprint p = !plain ? t.traceGrid.at(f)
                : i == 0 && t.picture().at(f).face == 0 ? t.initial[Underside]
                                                        : t.picture().at(f);
        QCOMPARE(fieldBlock(net, f), p.face ? imprintBlock(p.face, p.rotation) : white);
        if (i > 0)
            QCOMPARE(at(net, arrowTip(path[i - 1], f)), 0x000000u);
    }
    int red = 0;
    int offPath = 0;
    for (int y = 1; y < net.height() - 1; ++y)
        for (int x = 1; x < net.width() - 1; ++x) {
            const QRgb c = at(net, QPoint(x, y));
            red += c == 0xFF0000u;
            const bool onPath = std::any_of(path.begin(), path.end(), [x, y](Field f) {
                return x >= 33 * (column(f) - 1) && x <= 33 * column(f)
                        && y >= 33 * (row(f) - 1) && y <= 33 * row(f);
            });
            offPath += !onPath && c != 0xFFFFFFu && c != 0xC0C0C0u;
        }
    QCOMPARE(offPath, 0);
    if (plain)
        QCOMPARE(red, 0);
    else
        QCOMPARE(at(net, framePoint(t.last)), 0xFF0000u);
}

void tst_TraceWindow::roll(const char *net, const QList<QPoint> &fields)
{
    for (const QPoint &p : fields)
        QTest::mouseClick(image(net), Qt::LeftButton, {}, p);
}

void tst_TraceWindow::clickItem(const char *name, int index)
{
    QAbstractButton *item = group(name)->button(index);
    QTest::mouseClick(item, Qt::LeftButton, {}, QPoint(5, item->height() / 2));
}

void tst_TraceWindow::layout_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("popis") << "popis" << "TForm4" << QRect(6, 248, 430, 90) << true << true;
    QTest::newRow("nazev") << "nazev" << "TForm4" << QRect(8, 570, 434, 25) << false << true;
    QTest::newRow("logo") << "logo" << "TForm4" << QRect(312, 570, 121, 25) << true << true;
    QTest::newRow("Image5") << "Image5" << "TForm4" << QRect(6, 7, 430, 232) << true << true;
    QTest::newRow("Image4") << "Image4" << "TForm4" << QRect(6, 340, 430, 232) << true << true;
    QTest::newRow("Panel") << "Panel" << "TForm4" << QRect(440, 0, 442, 601) << true << true;
    QTest::newRow("Image1") << "Image1" << "Panel" << QRect(6, 7, 138, 104) << true << true;
    QTest::newRow("Image2") << "Image2" << "Panel" << QRect(6, 256, 429, 231) << false << true;
    QTest::newRow("Image3") << "Image3" << "Panel" << QRect(5, 192, 429, 231) << false << true;
    QTest::newRow("ImP") << "ImP" << "Panel" << QRect(56, 400, 32, 32) << false << true;
    QTest::newRow("varovani") << "varovani" << "Panel" << QRect(152, 8, 144, 20) << true << true;
    QTest::newRow("OBNOVIT") << "OBNOVIT" << "Panel" << QRect(296, 120, 138, 29) << true << false;
    QTest::newRow("OK") << "OK" << "Panel" << QRect(296, 154, 138, 29) << true << true;
    QTest::newRow("vstup") << "vstup" << "Panel" << QRect(8, 496, 425, 73) << true << true;
    QTest::newRow("rgrezim") << "rgrezim" << "Panel" << QRect(152, 32, 138, 81) << true << true;
    QTest::newRow("undo") << "undo" << "Panel" << QRect(6, 120, 138, 29) << true << false;
    QTest::newRow("oprav") << "oprav" << "Panel" << QRect(6, 152, 115, 29) << true << true;
    QTest::newRow("nova") << "nova" << "Panel" << QRect(152, 120, 138, 29) << true << true;
    QTest::newRow("rgsit") << "rgsit" << "Panel" << QRect(296, 32, 138, 81) << true << true;
    QTest::newRow("sipky") << "sipky" << "Panel" << QRect(128, 160, 161, 17) << true << true;
    QTest::newRow("BitBtn1") << "BitBtn1" << "TForm4" << QRect(828, 0, 54, 30) << true << true;
}

void tst_TraceWindow::layout()
{
    QFETCH(QString, name);
    QFETCH(QString, parent);
    QFETCH(QRect, geometry);
    QFETCH(bool, visible);
    QFETCH(bool, enabled);
    showForm();
    QCOMPARE(form().windowTitle(), QStringLiteral("Příprava stopy"));
    QCOMPARE(form().size(), QSize(882, 601));
    QWidget *w = form().findChild<QWidget *>(name);
    QVERIFY(w);
    QCOMPARE(w->parentWidget()->objectName(), parent);
    QCOMPARE(w->geometry(), geometry);
    QCOMPARE(w->isVisible(), visible);
    QCOMPARE(w->isEnabled(), enabled);
    if (auto *control = qobject_cast<ImageControl *>(w))
        QCOMPARE(control->image().size(), geometry.size());
}

void tst_TraceWindow::firstShowing()
{
    showForm();
    QCOMPARE(varovani(), QStringLiteral("Upravujete horní síť"));
    QCOMPARE(form().findChild<QPlainTextEdit *>("vstup")->toPlainText(), QStringLiteral("Zadání:"));
    QVERIFY(form().findChild<QCheckBox *>("sipky")->isChecked());
    QCOMPARE(group("rgrezim")->checkedId(), 0);
    QCOMPARE(group("rgsit")->checkedId(), 0);
    QCOMPARE(button("BitBtn1")->text(), QStringLiteral("&Help"));
    QVERIFY(!button("BitBtn1")->icon().isNull());
    QCOMPARE(form().findChild<QLabel *>("Label1")->text(), QStringLiteral("vemtal.wrl"));
    for (int n = 1; n <= 2; ++n) {
        QCOMPARE(form().net(n).history.count, 0);
        QCOMPARE(form().net(n).traceGrid.at(startField), (trace::Imprint{ 6, 1 }));
    }
    expectShown(image("Image5")->image(), form().net(1), false);
    expectShown(image("Image4")->image(), form().net(2), false);
    QCOMPARE(fieldBlock(image("Image5")->image(), startField), imprintBlock(6, 1));
    QVERIFY(m_dialogs.calls.isEmpty());
}

void tst_TraceWindow::rollOnInactiveNet_data()
{
    QTest::addColumn<QString>("net");
    QTest::addColumn<int>("number");
    QTest::newRow("lower while upper active") << "Image4" << 2;
    QTest::newRow("upper") << "Image5" << 1;
}

void tst_TraceWindow::rollOnInactiveNet()
{
    QFETCH(QString, net);
    QFETCH(int, number);
    showForm();
    ImageControl *pressed = image(qPrintable(net));
    QTest::mousePress(pressed, Qt::LeftButton, {}, centre(8, 4));
    QCOMPARE(form().net(number).history.count, 1);
    QCOMPARE(form().net(3 - number).history.count, 0);
    QCOMPARE(form().activeNet(), 1);   // active on release only
    QTest::mouseRelease(pressed, Qt::LeftButton, {}, centre(8, 4));
    QCOMPARE(form().activeNet(), number);
    QCOMPARE(group("rgsit")->checkedId(), number - 1);
    if (number == 2)
        QCOMPARE(varovani(), QStringLiteral("Upravujete dolní síť"));
    QVERIFY(button("undo")->isEnabled());
    // Face 2 (rotation 0) imprinted right of the start, with three turns.
    QCOMPARE(form().net(number).traceGrid.at(field(8, 4)), (trace::Imprint{ 2, 3 }));
    QCOMPARE(at(pressed->image(), QPoint(231, 110)), 0xFF0000u);
    roll(qPrintable(net), { centre(8, 3), centre(9, 3) });
    QCOMPARE(form().net(number).history.count, 3);
    expectShown(pressed->image(), form().net(number), false);
}

void tst_TraceWindow::refusedRolls()
{
    showForm();
    // Right, down, left, then up onto the start field would print another face.
    roll("Image5", { centre(8, 4), centre(8, 5), centre(7, 5) });
    QCOMPARE(form().net(1).history.count, 3);
    const QImage before = image("Image5")->image();
    QTest::mouseClick(image("Image5"), Qt::LeftButton, {}, centre(7, 4));
    QCOMPARE(form().net(1).history.count, 3);
    QCOMPARE(image("Image5")->image(), before);
    QVERIFY(image("Image5")->isVisible());
    // The last pixel row addresses row 8: refused like the grid's edge.
    roll("Image5", { centre(7, 6), centre(7, 7) });
    QCOMPARE(form().net(1).history.count, 5);
    QTest::mouseClick(image("Image5"), Qt::LeftButton, {}, QPoint(210, 231));
    QCOMPARE(form().net(1).history.count, 5);
    QCOMPARE(form().net(1).last, field(7, 7));
}

void tst_TraceWindow::undoButton()
{
    showForm();
    roll("Image5", { centre(8, 4), centre(7, 4) });
    QCOMPARE(form().net(1).history.count, 2);
    QTest::mouseClick(button("undo"), Qt::LeftButton);
    QCOMPARE(form().net(1).history.count, 1);
    QCOMPARE(form().net(1).last, field(8, 4));
    QVERIFY(button("undo")->isEnabled());
    QTest::mouseClick(button("undo"), Qt::LeftButton);
    QCOMPARE(form().net(1).history.count, 0);
    QVERIFY(!button("undo")->isEnabled());
    expectShown(image("Image5")->image(), form().net(1), false);   // the start field alone
    QCOMPARE(at(image("Image5")->image(), QPoint(198, 110)), 0xFF0000u);
}

void tst_TraceWindow::netChoiceKeepsUndoHonest()
{
    // Choosing a net without moves must not leave undo enabled for it.
    showForm();
    roll("Image5", { centre(8, 4) });
    QVERIFY(button("undo")->isEnabled());
    clickItem("rgsit", 1);
    QCOMPARE(form().activeNet(), 2);
    QCOMPARE(varovani(), QStringLiteral("Upravujete dolní síť"));
    QVERIFY(!button("undo")->isEnabled());
    clickItem("rgsit", 0);
    QVERIFY(button("undo")->isEnabled());
    QCOMPARE(varovani(), QStringLiteral("Upravujete horní síť"));
}

void tst_TraceWindow::pictureModeEdits()
{
    showForm();
    roll("Image5", { centre(8, 4), centre(8, 3), centre(9, 3) });
    clickItem("rgrezim", 1);
    QCOMPARE(form().mode(), 2);
    QVERIFY(m_dialogs.calls.isEmpty());
    QVERIFY(!button("undo")->isEnabled());
    QVERIFY(!button("nova")->isEnabled());
    QVERIFY(button("OBNOVIT")->isEnabled());
    QVERIFY(image("Image3")->isVisible());
    QVERIFY(!image("Image2")->isVisible());
    const trace::Trace &t = form().net(1);
    QCOMPARE(t.pictureGrid, t.traceGrid);

    const trace::Imprint rolled = t.traceGrid.at(field(8, 3));
    ImageControl *net = image("Image5");
    QTest::mouseClick(net, Qt::LeftButton, Qt::ShiftModifier, centre(8, 3));
    QCOMPARE(int(t.pictureGrid.at(field(8, 3)).rotation), (rolled.rotation + 1) % 4);
    QTest::mouseClick(net, Qt::LeftButton, Qt::ControlModifier, centre(8, 3));
    QCOMPARE(int(t.pictureGrid.at(field(8, 3)).rotation), (rolled.rotation + 2) % 4);
    QCOMPARE(net->pos(), QPoint(6, 7));
    // The turned field is drawn as the picture grid holds it.
    QCOMPARE(fieldBlock(net->image(), field(8, 3)), imprintBlock(rolled.face, (rolled.rotation + 2) % 4));
    QTest::mouseClick(net, Qt::LeftButton, {}, centre(8, 3));
    QCOMPARE(t.pictureGrid.at(field(8, 3)), rolled);

    QTest::mouseClick(net, Qt::RightButton, {}, centre(8, 3));
    QCOMPARE(t.pictureGrid.at(field(8, 3)), trace::Imprint{});
    QCOMPARE(at(net->image(), centre(8, 3)), 0xFFFFFFu);
    QTest::mouseClick(net, Qt::RightButton, {}, centre(7, 4));
    QCOMPARE(t.pictureGrid.at(startField), trace::Imprint{});
    QCOMPARE(at(net->image(), centre(7, 4)), 0xFFFFFFu);
    QVERIFY(net->isVisible());

    QTest::mouseClick(button("oprav"), Qt::LeftButton);
    expectShown(net->image(), t, true);
    QCOMPARE(fieldBlock(net->image(), startField), imprintBlock(6, 1));   // start imprint back
    QCOMPARE(at(net->image(), centre(8, 3)), 0xFFFFFFu);                // still blank
    // A turned start imprint stays turned.
    QTest::mouseClick(net, Qt::LeftButton, {}, centre(7, 4));
    QTest::mouseClick(net, Qt::LeftButton, Qt::ShiftModifier, centre(7, 4));
    QTest::mouseClick(button("oprav"), Qt::LeftButton);
    QCOMPARE(fieldBlock(net->image(), startField), imprintBlock(6, 2));
    expectShown(net->image(), t, true);

    // Right click with Shift hides the net in picture mode.
    QTest::mouseClick(net, Qt::RightButton, Qt::ShiftModifier, centre(2, 2));
    QVERIFY(!net->isVisible());
}

void tst_TraceWindow::pictureModeOnOtherNet()
{
    // Picture mode entered on the upper net; the lower net, chosen then,
    // shows its trace when redrawn and edits it.
    showForm();
    roll("Image4", { centre(7, 5), centre(7, 6) });
    clickItem("rgsit", 0);
    clickItem("rgrezim", 1);
    clickItem("rgsit", 1);
    QCOMPARE(form().activeNet(), 2);
    QTest::mouseClick(button("oprav"), Qt::LeftButton);
    const trace::Trace &t = form().net(2);
    const trace::Imprint rolled = t.traceGrid.at(field(7, 6));
    QCOMPARE(fieldBlock(image("Image4")->image(), field(7, 6)), imprintBlock(rolled.face, rolled.rotation));
    expectShown(image("Image4")->image(), t, true);
    QTest::mouseClick(image("Image4"), Qt::LeftButton, Qt::ShiftModifier, centre(7, 6));
    trace::Grid turned = t.traceGrid;
    turned.at(field(7, 6)).rotation = (rolled.rotation + 1) % 4;
    QCOMPARE(t.picture(), turned);
    QCOMPARE(form().traceFileBytes(2), tracefile::write(turned, t.history));
}

void tst_TraceWindow::leavePictureMode_data()
{
    QTest::addColumn<bool>("answer");
    QTest::newRow("no") << false;
    QTest::newRow("yes") << true;
}

void tst_TraceWindow::leavePictureMode()
{
    QFETCH(bool, answer);
    showForm();
    roll("Image5", { centre(8, 4) });
    clickItem("rgrezim", 1);
    QTest::mouseClick(image("Image5"), Qt::RightButton, {}, centre(8, 4));
    m_dialogs.answers.enqueue(answer);
    clickItem("rgrezim", 0);
    QCOMPARE(m_dialogs.texts("question"),
             QStringList{ QStringLiteral("Akce zruší dosavadní změny otočení a skrytí polí. Pokračovat?") });
    if (answer) {
        QCOMPARE(form().mode(), 1);
        QCOMPARE(group("rgrezim")->checkedId(), 0);
        QVERIFY(!image("Image3")->isVisible());
        QVERIFY(!button("OBNOVIT")->isEnabled());
        QVERIFY(button("nova")->isEnabled());
        QVERIFY(button("undo")->isEnabled());
        expectShown(image("Image5")->image(), form().net(1), false);
    } else {
        QCOMPARE(form().mode(), 2);
        QCOMPARE(group("rgrezim")->checkedId(), 1);
        QVERIFY(image("Image3")->isVisible());
        QVERIFY(button("OBNOVIT")->isEnabled());
        QCOMPARE(form().net(1).pictureGrid.at(field(8, 4)), trace::Imprint{});
    }
}

void tst_TraceWindow::hideAndShowNet_data()
{
    QTest::addColumn<bool>("doubleClick");
    QTest::newRow("right press on the background") << false;
    QTest::newRow("double click on the background") << true;
}

void tst_TraceWindow::hideAndShowNet()
{
    QFETCH(bool, doubleClick);
    showForm();
    QTest::mouseClick(image("Image5"), Qt::RightButton, {}, centre(2, 2));
    QVERIFY(!image("Image5")->isVisible());
    QCOMPARE(form().net(1).history.count, 0);
    const QPoint background(200, 243);   // between Image5 and popis
    QCOMPARE(form().childAt(background), nullptr);
    QTest::mousePress(&form(), Qt::LeftButton, {}, background);
    QTest::mouseRelease(&form(), Qt::LeftButton, {}, background);
    QVERIFY(!image("Image5")->isVisible());
    if (doubleClick)
        QTest::mouseDClick(&form(), Qt::LeftButton, {}, background);
    else
        QTest::mousePress(&form(), Qt::RightButton, {}, background);
    QVERIFY(image("Image5")->isVisible());
}

void tst_TraceWindow::referenceCopyShowsNet()
{
    showForm();
    clickItem("rgrezim", 1);
    QTest::mouseClick(image("Image5"), Qt::RightButton, Qt::ControlModifier, centre(3, 3));
    QVERIFY(!image("Image5")->isVisible());
    QTest::mouseClick(image("Image3"), Qt::LeftButton, {}, QPoint(100, 100));
    QVERIFY(image("Image5")->isVisible());
}

void tst_TraceWindow::newTrace_data()
{
    QTest::addColumn<bool>("answer");
    QTest::addColumn<int>("net");
    QTest::newRow("no, upper") << false << 1;
    QTest::newRow("yes, upper") << true << 1;
    QTest::newRow("yes, lower") << true << 2;
}

void tst_TraceWindow::newTrace()
{
    QFETCH(bool, answer);
    QFETCH(int, net);
    showForm();
    const char *name = net == 1 ? "Image5" : "Image4";
    roll(name, { centre(8, 4), centre(8, 5) });
    const trace::History history = form().net(net).history;
    m_dialogs.answers.enqueue(answer);
    QTest::mouseClick(button("nova"), Qt::LeftButton);
    QCOMPARE(m_dialogs.texts("question"),
             QStringList{ QStringLiteral("Akce smaže síť %1. OK?").arg(net) });
    if (answer) {
        QCOMPARE(form().net(net).history.count, 0);
        QCOMPARE(form().net(net).history.moves, history.moves);   // entries kept
        QCOMPARE(form().net(net).last, startField);
        QVERIFY(!button("undo")->isEnabled());
    } else {
        QCOMPARE(form().net(net).history, history);
        QVERIFY(button("undo")->isEnabled());
    }
    expectShown(image(name)->image(), form().net(net), false);
    // Without moves no question is asked.
    m_dialogs.calls.clear();
    if (answer) {
        QTest::mouseClick(button("nova"), Qt::LeftButton);
        QVERIFY(m_dialogs.calls.isEmpty());
    }
}

void tst_TraceWindow::loadAndShow()
{
    // A file saved from one window, loaded into a fresh one.
    showForm();
    roll("Image4", { centre(8, 4), centre(8, 3), centre(7, 3), centre(6, 3) });
    clickItem("rgrezim", 1);
    QTest::mouseClick(image("Image4"), Qt::LeftButton, Qt::ShiftModifier, centre(8, 3));
    QTest::mouseClick(image("Image4"), Qt::RightButton, {}, centre(7, 3));
    const QByteArray saved = form().traceFileBytes(2);
    const trace::Trace original = form().net(2);
    QCOMPARE(saved, tracefile::write(original.pictureGrid, original.history));

    m_form = std::make_unique<TForm4>(m_context, &m_help);
    QSignalSpy confirmed(m_form.get(), &TForm4::confirmed);
    QVERIFY(form().loadTraceFile(1, saved));
    form().showAfterLoad();
    QCOMPARE(confirmed.size(), 1);
    QVERIFY(!form().isVisible());
    form().show();
    QVERIFY(QTest::qWaitForWindowExposed(&form()));
    QVERIFY(m_dialogs.texts("question").isEmpty());
    QCOMPARE(form().mode(), 2);
    QCOMPARE(group("rgrezim")->checkedId(), 1);
    QVERIFY(button("OBNOVIT")->isEnabled());
    QVERIFY(!button("nova")->isEnabled());
    QVERIFY(!button("undo")->isEnabled());
    QVERIFY(image("Image3")->isVisible());

    const trace::Trace &t = form().net(1);
    QCOMPARE(t.history, original.history);
    QCOMPARE(t.traceGrid, original.traceGrid);
    QCOMPARE(t.last, original.last);
    QCOMPARE(t.state, original.state);
    QCOMPARE(t.pictureGrid, original.pictureGrid);
    expectShown(image("Image5")->image(), t, true);
    QCOMPARE(form().traceFileBytes(1), saved);

    // A left click reveals the hidden imprint from the rebuilt trace grid.
    QTest::mouseClick(image("Image5"), Qt::LeftButton, {}, centre(7, 3));
    QCOMPARE(t.pictureGrid.at(field(7, 3)), t.traceGrid.at(field(7, 3)));
    QVERIFY(t.traceGrid.at(field(7, 3)).face != 0);
}

void tst_TraceWindow::loadRefusedChangesNothing()
{
    showForm();
    roll("Image5", { centre(8, 4) });
    const QByteArray before = form().traceFileBytes(1);
    QByteArray bad = before;
    bad.replace(0, 2, "kp");
    QVERIFY(!form().loadTraceFile(1, bad));
    QVERIFY(!form().loadTraceFile(1, before.left(before.size() - 14)));
    QCOMPARE(form().traceFileBytes(1), before);
    form().hide();
    form().show();
    QCOMPARE(form().mode(), 1);   // no load pending
    QCOMPARE(form().net(1).history.count, 1);
}

void tst_TraceWindow::dragLimits_data()
{
    QTest::addColumn<QPoint>("move");   // mouse offset from the press point
    QTest::addColumn<QPoint>("expected");
    // popis starts at (6, 248).
    QTest::newRow("left -119") << QPoint(-125, 0) << QPoint(-119, 248);
    QTest::newRow("left -120") << QPoint(-126, 0) << QPoint(6, 248);
    QTest::newRow("left 419") << QPoint(413, 0) << QPoint(419, 248);
    QTest::newRow("left 420") << QPoint(414, 0) << QPoint(6, 248);
    QTest::newRow("top -89") << QPoint(0, -337) << QPoint(6, -89);
    QTest::newRow("top -90") << QPoint(0, -338) << QPoint(6, 248);
    QTest::newRow("top 579") << QPoint(0, 331) << QPoint(6, 579);
    QTest::newRow("top 580") << QPoint(0, 332) << QPoint(6, 248);
}

void tst_TraceWindow::dragLimits()
{
    QFETCH(QPoint, move);
    QFETCH(QPoint, expected);
    showForm();
    ImageControl *popis = image("popis");
    const QPoint press(10, 10);
    QTest::mousePress(popis, Qt::LeftButton, {}, press);
    QMouseEvent moveEvent(QEvent::MouseMove, QPointF(press + move), popis->mapToGlobal(QPointF(press + move)),
                          Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(popis, &moveEvent);
    QCOMPARE(popis->pos(), expected);
    QTest::mouseRelease(popis, Qt::LeftButton, {}, press);
}

void tst_TraceWindow::taskText()
{
    showForm();
    auto *vstup = form().findChild<QPlainTextEdit *>("vstup");
    vstup->setPlainText(QStringLiteral("Zadání:\nKam se kostka dokutálí?"));
    QTest::mouseDClick(vstup->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    ImageControl *popis = image("popis");
    QVERIFY(popis->isVisible());
    const QImage &img = popis->image();
    QCOMPARE(at(img, QPoint(1, 1)), 0x000000u);
    QCOMPARE(at(img, QPoint(427, 89)), 0x000000u);
    QCOMPARE(at(img, QPoint(400, 80)), 0xFFFFFFu);
    int dark = 0;   // some text in each of the two line boxes
    for (int line = 0; line < 2; ++line) {
        dark = 0;
        for (int y = 15 * line + 10; y < 15 * line + 25; ++y)
            for (int x = 5; x < 426; ++x)
                dark += at(img, QPoint(x, y)) != 0xFFFFFFu;
        QVERIFY(dark > 20);
    }
    QTest::mouseDClick(popis, Qt::LeftButton, {}, QPoint(50, 50));
    QVERIFY(!popis->isVisible());
}

void tst_TraceWindow::sheetBoxes()
{
    // Drawn at creation, before the window was ever shown.
    const QImage logo = image("logo")->image();
    int dark = 0;
    for (int y = 0; y < 25; ++y)
        for (int x = 0; x < 121; ++x) {
            const bool isDark = at(logo, QPoint(x, y)) != 0xFFFFFFu;
            if (isDark)
                QVERIFY(x >= 1 && x < 200 && y >= 1 && y < 25);
            dark += isDark;
        }
    QVERIFY(dark > 30);
    const QImage nazev = image("nazev")->image();
    QCOMPARE(at(nazev, QPoint(0, 0)), 0x000000u);
    QCOMPARE(at(nazev, QPoint(433, 24)), 0x000000u);
    QCOMPARE(at(nazev, QPoint(100, 12)), 0xFFFFFFu);

    showForm();
    auto *label = form().findChild<QLabel *>("Label1");
    QTest::mouseDClick(label, Qt::LeftButton, {}, QPoint(2, 2));
    ImageControl *box = image("nazev");
    QVERIFY(box->isVisible());
    QCOMPARE(box->width(), label->width() + 20);
    QCOMPARE(box->image().width(), label->width() + 20);
    QCOMPARE(at(box->image(), QPoint(box->width() - 1, 24)), 0x000000u);
}

void tst_TraceWindow::thumbnail()
{
    showForm();
    ImageControl *thumb = image("Image1");
    QImage expected(138, 104, QImage::Format_RGB32);
    Canvas canvas(expected);
    net::drawThumbnailFrame(canvas);
    const int faces[6] = { 4, 5, 1, 6, 2, 3 };
    for (int s = 1; s <= 6; ++s) {
        const int f = faces[s - 1];
        const int turn = (m_context.snapshot.rotations[f - 1] + (f == 6 ? 2 : 0)) % 4;
        net::drawTile(canvas, facetiles::loadTile(m_context.snapshot.names[f - 1],
                                                  m_context.snapshot.pictures[f - 1]), s, turn);
    }
    QCOMPARE(thumb->image(), expected);
    // Left press outside the bands moves it onto the sheet area, right press back.
    QTest::mouseClick(thumb, Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(thumb->parentWidget(), &form());
    QCOMPARE(thumb->pos(), QPoint(6, 7));
    QTest::mouseClick(thumb, Qt::RightButton, {}, QPoint(10, 10));
    QCOMPARE(thumb->parentWidget()->objectName(), QStringLiteral("Panel"));
}

void tst_TraceWindow::helpButton()
{
    showForm();
    QVERIFY(!m_help.isVisible());
    QTest::mouseClick(button("BitBtn1"), Qt::LeftButton);
    QVERIFY(m_help.isVisible());
    QVERIFY(form().isVisible());
    m_help.hide();
}

void tst_TraceWindow::okConfirms()
{
    showForm();
    roll("Image5", { centre(8, 4) });
    QSignalSpy confirmed(&form(), &TForm4::confirmed);
    QTest::mouseClick(button("OK"), Qt::LeftButton);
    QCOMPARE(confirmed.size(), 1);
    QVERIFY(!form().isVisible());
    // A face change offers a refresh at the next showing; No keeps the traces.
    const trace::Trace before = form().net(1);
    const QImage shown = image("Image5")->image();
    m_context.snapshot.rotations[0] = 2;
    m_dialogs.answers.enqueue(false);
    showForm();
    QCOMPARE(m_dialogs.texts("question"),
             QStringList{ QStringLiteral("Povrch kostky se změnil.  Přizpůsobit?") });
    QCOMPARE(form().net(1).history, before.history);
    QCOMPARE(form().net(1).traceGrid, before.traceGrid);
    QCOMPARE(image("Image5")->image(), shown);
}

void tst_TraceWindow::faceChangeRefresh()
{
    showForm();
    roll("Image5", { centre(8, 4) });
    QTest::mouseClick(button("OK"), Qt::LeftButton);
    m_context.snapshot.rotations[5] = 3;   // face 6, the start imprint
    m_dialogs.answers << true << true;
    showForm();
    QCOMPARE(m_dialogs.texts("question"),
             (QStringList{ QStringLiteral("Povrch kostky se změnil.  Přizpůsobit?"),
                           QStringLiteral("Akce smaže síť 1. OK?") }));
    QCOMPARE(form().net(1).history.count, 0);
    QCOMPARE(form().net(1).traceGrid.at(startField), (trace::Imprint{ 6, 3 }));
    QCOMPARE(form().net(2).traceGrid.at(startField), (trace::Imprint{ 6, 3 }));
    expectShown(image("Image5")->image(), form().net(1), false);
    QCOMPARE(fieldBlock(image("Image5")->image(), startField), imprintBlock(6, 3));
    // The same face set again asks nothing.
    m_dialogs.calls.clear();
    form().hide();
    showForm();
    QVERIFY(m_dialogs.calls.isEmpty());
}

void tst_TraceWindow::faceChangeKeepsNetReplayed()
{
    // Kept under a new face 2 rotation: the same moves, replayed.
    showForm();
    roll("Image5", { centre(8, 4), centre(8, 5) });
    QTest::mouseClick(button("OK"), Qt::LeftButton);
    m_context.snapshot.rotations[1] = 1;
    m_dialogs.answers << true << false;
    showForm();
    QCOMPARE(m_dialogs.texts("question"),
             (QStringList{ QStringLiteral("Povrch kostky se změnil.  Přizpůsobit?"),
                           QStringLiteral("Akce smaže síť 1. OK?") }));
    const trace::Trace &t = form().net(1);
    QCOMPARE(t.history.count, 2);
    // A roll right imprints face 2 with (its rotation + 3) mod 4.
    QCOMPARE(t.traceGrid.at(field(8, 4)), (trace::Imprint{ 2, 0 }));
    QCOMPARE(fieldBlock(image("Image5")->image(), field(8, 4)), imprintBlock(2, 0));
    // Rolling back up prints the same imprint, so the grid accepts it.
    roll("Image5", { centre(8, 4) });
    QCOMPARE(t.history.count, 3);
    clickItem("rgrezim", 1);
    const QList<QByteArray> lines = form().traceFileBytes(1).split('\n');
    QCOMPARE(lines[8].mid(11, 2), QByteArray("20"));   // column 8, row 4
}

void tst_TraceWindow::changedPictureOfSameNameIsNoticed()
{
    // Tiles from the pictures: only the picture path tells the change.
    for (QString &name : m_context.snapshot.names)
        name = demo("chybi.bmp");
    showForm();
    QTest::mouseClick(button("OK"), Qt::LeftButton);
    m_context.snapshot.pictures[0] = demo("2-prava.png");
    showForm();
    QCOMPARE(m_dialogs.texts("question"),
             QStringList{ QStringLiteral("Povrch kostky se změnil.  Přizpůsobit?") });
}

void tst_TraceWindow::tileWarningOncePerFaceSet()
{
    // Face 2 a T: its imprints look unmirrored. Told once, not again when
    // a rotation change refreshes the same pictures.
    QTemporaryDir dir;
    QVERIFY(tileshapes::letterT().save(dir.filePath("t.bmp")));
    m_context.snapshot.names[1] = dir.filePath("t.bmp");
    showForm();
    const QStringList told{
            QStringLiteral("Stěna 2 vypadá v zrcadle stejně: na otiscích nepůjde poznat zrcadlení.") };
    QCOMPARE(m_dialogs.texts("message"), told);
    QTest::mouseClick(button("OK"), Qt::LeftButton);
    m_context.snapshot.rotations[1] = 3;
    m_dialogs.answers << true;
    showForm();
    QCOMPARE(m_dialogs.texts("question").size(), 1);
    QCOMPARE(form().net(1).initial[East], (trace::Imprint{ 2, 3 }));
    QCOMPARE(m_dialogs.texts("message"), told);
}

void tst_TraceWindow::thumbnailOnSheetLeavesButtonsFree()
{
    showForm();
    ImageControl *thumb = image("Image1");
    QTest::mouseClick(thumb, Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(thumb->parentWidget(), &form());
    thumb->move(419, 100);   // as far right as a drag takes it
    for (const char *name : { "undo", "nova", "oprav" }) {
        QPushButton *b = button(name);
        const QPoint inside = b->mapTo(&form(), QPoint(5, b->height() / 2));
        QCOMPARE(form().childAt(inside), b);
    }
}

void tst_TraceWindow::languageTexts()
{
    m_context.language.active = true;
    for (int line = 1; line <= 124; ++line)
        m_context.language.lines << QStringLiteral("L%1").arg(line);
    showForm();
    roll("Image4", { centre(8, 4) });
    QCOMPARE(varovani(), QStringLiteral("L69"));
    m_dialogs.answers << false;
    QTest::mouseClick(button("nova"), Qt::LeftButton);
    clickItem("rgrezim", 1);
    m_dialogs.answers << false;
    QTest::mouseClick(button("OBNOVIT"), Qt::LeftButton);
    m_dialogs.answers << false;
    clickItem("rgrezim", 0);
    clickItem("rgsit", 0);
    QCOMPARE(varovani(), QStringLiteral("L68"));
    QCOMPARE(m_dialogs.texts("question"),
             (QStringList{ QStringLiteral("L722L73"), QStringLiteral("L71"), QStringLiteral("L74") }));
}

void tst_TraceWindow::screenshots()
{
    showForm();
    const QList<QPoint> upper = { centre(8, 4), centre(9, 4), centre(9, 3), centre(10, 3), centre(10, 2),
                                  centre(9, 2), centre(8, 2), centre(7, 2), centre(6, 2), centre(6, 3) };
    const QList<QPoint> lower = { centre(7, 5), centre(7, 6), centre(6, 6), centre(5, 6), centre(5, 5),
                                  centre(4, 5), centre(4, 4), centre(3, 4), centre(3, 3), centre(4, 3) };
    roll("Image5", upper);
    roll("Image4", lower);
    QCOMPARE(form().net(1).history.count, 10);
    QCOMPARE(form().net(2).history.count, 10);
    QImage shot = form().grab().toImage().convertToFormat(QImage::Format_RGB32);
    // The nets appear on the window pixel for pixel.
    QCOMPARE(shot.copy(6, 7, 430, 232), image("Image5")->image());
    QCOMPARE(shot.copy(6, 340, 430, 232), image("Image4")->image());
    const QString dir = qEnvironmentVariable("VEMTAL_GRAB_DIR");
    if (!dir.isEmpty())
        shot.save(dir + "/trace-window.png");

    clickItem("rgsit", 0);
    clickItem("rgrezim", 1);
    QTest::mouseClick(image("Image5"), Qt::RightButton, {}, centre(9, 3));
    QTest::mouseClick(image("Image5"), Qt::LeftButton, Qt::ShiftModifier, centre(7, 2));
    shot = form().grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shot.copy(440 + 5, 192, 429, 231), image("Image3")->image());
    if (!dir.isEmpty())
        shot.save(dir + "/trace-window-2.png");
}

QTEST_MAIN(tst_TraceWindow)
#include "tst_tracewindow.moc"
