#include "cesta.h"

#include "windowplace.h"

#include "appcontext.h"
#include "canvas.h"
#include "dialogs.h"
#include "facetiles.h"
#include "imagecontrol.h"
#include "netgeometry.h"
#include "radiogroup.h"
#include "tracefile.h"
#include "uifont.h"

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>

namespace {

// Faces on squares 1..6 of the thumbnail (layout 1).
constexpr std::array<int, 6> thumbFaces = { 4, 5, 1, 6, 2, 3 };

ImageControl *makeImage(QWidget *parent, const char *name, int left, int top, int width,
                        int height, int tag = 0)
{
    auto *image = new ImageControl(parent);
    image->setObjectName(QLatin1String(name));
    image->setBounds(left, top, width, height);
    image->setTag(tag);
    return image;
}

QPushButton *makeButton(QWidget *parent, const char *name, const QString &caption, int left,
                        int top, int width, int height)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(left, top, width, height);
    return button;
}

} // namespace

TForm4::TForm4(AppContext &context, QWidget *helpWindow, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                      | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                      | Qt::WindowCloseButtonHint),
      m_context(context), m_helpWindow(helpWindow)
{
    setObjectName(QStringLiteral("TForm4"));
    setWindowTitle(QStringLiteral("Příprava stopy"));
    setFixedSize(882, 601);
    setFont(uiFont(11));
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    popis = makeImage(this, "popis", 6, 248, 430, 90, 1);
    nazev = makeImage(this, "nazev", 8, 570, 434, 25, 1);
    nazev->hide();
    logo = makeImage(this, "logo", 312, 570, 121, 25, 1);
    Image5 = makeImage(this, "Image5", 6, 7, 430, 232, 5);
    Image4 = makeImage(this, "Image4", 6, 340, 430, 232, 4);

    Panel = new QFrame(this);
    Panel->setObjectName(QStringLiteral("Panel"));
    Panel->setGeometry(440, 0, 442, 601);
    Panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel->setPalette(QApplication::palette());
    Panel->setAutoFillBackground(true);
    // Presses on the panel are the panel's, not the window background's.
    Panel->setAttribute(Qt::WA_NoMousePropagation);

    Image1 = makeImage(Panel, "Image1", 6, 7, 138, 104, 1);
    Label1 = new QLabel(Panel);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label1->setPalette(white);
    Label1->setAutoFillBackground(true);
    Label1->setProperty("tag", 14);
    Label1->move(430, 578);
    Label1->installEventFilter(this);
    Image2 = makeImage(Panel, "Image2", 6, 256, 429, 231);
    Image2->hide();
    Image3 = makeImage(Panel, "Image3", 5, 192, 429, 231);
    Image3->hide();
    ImP = makeImage(Panel, "ImP", 56, 400, 32, 32);
    ImP->hide();

    varovani = new QLabel(QStringLiteral("Upravujete horní síť"), Panel);
    varovani->setObjectName(QStringLiteral("varovani"));
    varovani->setGeometry(152, 8, 144, 20);
    varovani->setFont(uiFont(16));

    OBNOVIT = makeButton(Panel, "OBNOVIT", QStringLiteral("Obnovit původní otočení"), 296, 120, 138, 29);
    OBNOVIT->setEnabled(false);
    OK = makeButton(Panel, "OK", QStringLiteral("OK - uložit síť"), 296, 154, 138, 29);

    vstup = new QPlainTextEdit(Panel);
    vstup->setObjectName(QStringLiteral("vstup"));
    vstup->setGeometry(8, 496, 425, 73);
    vstup->setPlainText(QStringLiteral("Zadání:"));
    vstup->setProperty("tag", 13);
    vstup->viewport()->installEventFilter(this);

    rgrezim = new RadioGroup(QStringLiteral("Režim úprav"),
                             { QStringLiteral("Tvorba stopy"), QStringLiteral("Změny obrázků") }, Panel);
    rgrezim->setObjectName(QStringLiteral("rgrezim"));
    rgrezim->setGeometry(152, 32, 138, 81);
    rgrezim->setItemIndex(0);

    undo = makeButton(Panel, "undo", QStringLiteral("vrátit tah"), 6, 120, 138, 29);
    undo->setEnabled(false);
    oprav = makeButton(Panel, "oprav", QStringLiteral("překreslit obrázek"), 6, 152, 115, 29);
    nova = makeButton(Panel, "nova", QStringLiteral("Nová síť"), 152, 120, 138, 29);

    rgsit = new RadioGroup(QStringLiteral("Upravovaná síť"),
                           { QStringLiteral("Horní (první)"), QStringLiteral("Dolní (druhá)") }, Panel);
    rgsit->setObjectName(QStringLiteral("rgsit"));
    rgsit->setGeometry(296, 32, 138, 81);
    rgsit->setItemIndex(0);

    sipky = new QCheckBox(QStringLiteral("Při překreslení vykreslit šipky"), Panel);
    sipky->setObjectName(QStringLiteral("sipky"));
    sipky->setGeometry(128, 160, 161, 17);
    sipky->setChecked(true);

    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogHelpButton),
                              QStringLiteral("&Help"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(828, 0, 54, 30);
    BitBtn1->raise();

    for (ImageControl *image : { Image5, Image4 }) {
        connect(image, &ImageControl::mouseDown, this,
                [this, image](Qt::MouseButton button, Qt::MouseButtons, Qt::KeyboardModifiers modifiers,
                              int x, int y) { Image5MouseDown(image, button, modifiers, x, y); });
        connect(image, &ImageControl::mouseMove, this,
                [this, image](Qt::MouseButtons, Qt::KeyboardModifiers, int x, int y) {
                    Image5MouseMove(image, x, y);
                });
    }
    connect(Image5, &ImageControl::mouseUp, this, &TForm4::Image5MouseUp);
    connect(Image4, &ImageControl::mouseUp, this, &TForm4::Image4MouseUp);
    connect(Image1, &ImageControl::mouseDown, this,
            [this](Qt::MouseButton button, Qt::MouseButtons, Qt::KeyboardModifiers, int x, int y) {
                Image1MouseDown(button, x, y);
            });
    connect(Image1, &ImageControl::mouseMove, this,
            [this](Qt::MouseButtons buttons, Qt::KeyboardModifiers, int x, int y) {
                popisMouseMove(Image1, buttons, x, y);
            });
    connect(popis, &ImageControl::mouseDown, this,
            [this](Qt::MouseButton, Qt::MouseButtons, Qt::KeyboardModifiers, int x, int y) {
                popisMouseDown(x, y);
            });
    connect(popis, &ImageControl::mouseMove, this,
            [this](Qt::MouseButtons buttons, Qt::KeyboardModifiers, int x, int y) {
                popisMouseMove(popis, buttons, x, y);
            });
    connect(popis, &ImageControl::doubleClicked, this, &TForm4::popisDblClick);
    connect(Image2, &ImageControl::clicked, this, [this] { Image3Click(Image2); });
    connect(Image3, &ImageControl::clicked, this, [this] { Image3Click(Image3); });
    connect(Image2, &ImageControl::mouseDown, this, &TForm4::Image2MouseDown);
    connect(Image3, &ImageControl::mouseDown, this, &TForm4::Image3MouseDown);
    connect(rgsit, &RadioGroup::clicked, this, &TForm4::rgsitClick);
    connect(rgrezim, &RadioGroup::clicked, this, &TForm4::rgrezimClick);
    connect(undo, &QPushButton::clicked, this, &TForm4::undoClick);
    connect(nova, &QPushButton::clicked, this, &TForm4::novaClick);
    connect(oprav, &QPushButton::clicked, this, &TForm4::opravClick);
    connect(OBNOVIT, &QPushButton::clicked, this, &TForm4::OBNOVITClick);
    connect(OK, &QPushButton::clicked, this, &TForm4::OKClick);
    connect(BitBtn1, &QPushButton::clicked, this, &TForm4::BitBtn1Click);

    FormCreate();
}

// ---- public API for the main window

QByteArray TForm4::traceFileBytes(int net) const
{
    const trace::Trace &t = m_nets[qBound(1, net, 2) - 1];
    return tracefile::write(t.pictureGrid, t.history);
}

bool TForm4::loadTraceFile(int net, const QByteArray &bytes)
{
    if (net != 1 && net != 2)
        return false;
    const std::optional<tracefile::NetData> data = tracefile::read(bytes);
    if (!data)
        return false;
    trace::Trace &t = traceOf(net);
    t.pictureGrid = data->picture;
    t.history = data->history;
    m_fileLoaded = true;
    m_netRead[net - 1] = true;
    return true;
}

void TForm4::showAfterLoad()
{
    m_mode = 2;
    selectRezim(1);   // mode is 2 already: the handler switches nothing
    show();
    OKClick();
}

// ---- creation and showing

void TForm4::FormCreate()
{
    m_suppress = true;
    m_needsRefresh = true;
    setCaptionTexts();
    tracedraw::linky(Image4->canvas());
    tracedraw::linky(Image5->canvas());
    m_active = 1;
    Image3->show();
    Image2->hide();
    for (QImage &tile : m_tiles) {
        tile = QImage(32, 32, QImage::Format_RGB32);
        tile.fill(Qt::white);
    }
    m_mirrored = m_tiles;
    for (trace::Trace &t : m_nets) {
        t.history.count = 0;
        t.initial = initialState();
        t.state = t.initial;
    }

    Canvas &n = nazev->canvas();
    n.penColor = tracedraw::black;
    n.brushColor = tracedraw::white;
    n.rectangle(0, 0, 434, 25);

    // Drawn when first needed: the window waits hidden from start-up.
    logo->drawLater([](Canvas &l) {
        l.brushColor = tracedraw::white;
        l.textRect(edgeRect(1, 1, 200, 25), 10, 10, QStringLiteral("© vemtal 2026"));
        l.penColor = tracedraw::black;
        l.brushColor = tracedraw::white;
    });
}

void TForm4::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    if (m_context.mainWindow)
        centreWindow(this, m_context.mainWindow);
    FormShow();
}

void TForm4::FormShow()
{
    if (m_fileLoaded) {
        if (m_needsRefresh) {
            obnov();
            setModelFileName();
            m_needsRefresh = false;
        }
        m_fileLoaded = false;
        m_mode = 2;
        const bool suppressed = m_suppress;
        m_suppress = true;
        selectRezim(1);
        m_suppress = suppressed;
        for (int n = 1; n <= 2; ++n) {
            if (!m_netRead[n - 1])
                continue;
            trace::Trace &t = traceOf(n);
            t.prepocti_obrazek();
            tracedraw::prekresli_proste(netImage(n)->canvas(), t.history, t.pictureGrid, m_mirrored,
                                        t.initial, sipky->isChecked());
            tracedraw::prekresli_proste(referenceCopy(n)->canvas(), t.history, t.traceGrid,
                                        m_mirrored, t.initial, sipky->isChecked());
            netImage(n)->update();
            referenceCopy(n)->update();
            m_netRead[n - 1] = false;
        }
        OBNOVIT->setEnabled(true);
        undo->setEnabled(false);
        nova->setEnabled(false);
        showReferenceCopies();
        return;
    }

    m_suppress = false;
    setCaptionTexts();
    m_mode = rgrezim->itemIndex() + 1;
    const faceset::Snapshot &snapshot = m_context.snapshot;
    const bool changed = !m_needsRefresh
            && (snapshot.names != m_applied.names || snapshot.rotations != m_applied.rotations);
    if (changed) {
        if (m_context.dialogs->question(
                    this, m_context.language.text(70, QStringLiteral("Povrch kostky se změnil.  Přizpůsobit?")))) {
            obnov();
            setModelFileName();
        }
    } else if (m_needsRefresh) {
        obnov();
        setModelFileName();
        m_needsRefresh = false;
    }
    showReferenceCopies();
}

void TForm4::obnov()
{
    m_applied = m_context.snapshot;
    for (int i = 0; i < 6; ++i) {
        m_tiles[i] = facetiles::loadTile(m_applied.names[i], m_applied.pictures[i]);
        m_mirrored[i] = facetiles::mirrored(m_tiles[i]);
    }
    const int active = m_active;
    for (int n = 1; n <= 2; ++n) {
        traceOf(n).initial = initialState();
        // A net just read from a file is rebuilt from its history right after.
        if (m_netRead[n - 1])
            continue;
        m_active = n;
        novaClick();
    }
    m_active = active;
    if (rgsit->itemIndex() != 0) {
        selectSit(0);
    } else {
        m_active = 1;
        if (m_mode == 1)
            undo->setEnabled(traceOf(1).history.count > 0);
    }
    drawThumbnail();
}

void TForm4::drawThumbnail()
{
    net::drawThumbnailFrame(Image1->canvas());
    for (int square = 1; square <= net::squareCount; ++square)
        vykresli(square);
}

void TForm4::vykresli(int square)
{
    const int face = thumbFaces[square - 1];
    const int turn = (m_applied.rotations[face - 1] + trace::trace_net_turns[face - 1]) & 3;
    net::drawTile(Image1->canvas(), m_tiles[face - 1], square, turn);
    Image1->update();
}

// ---- the nets

void TForm4::Image5MouseDown(ImageControl *image, Qt::MouseButton button,
                             Qt::KeyboardModifiers modifiers, int x, int y)
{
    const int n = netOf(image);
    trace::Trace &t = traceOf(n);
    m_drag = false;
    m_down = QPoint(x, y);
    const die::Field f = tracedraw::fieldAt(x, y);
    const bool turnKey = modifiers & (Qt::ShiftModifier | Qt::ControlModifier);
    Canvas &canvas = image->canvas();

    if (m_mode == 1 && die::directionTo(t.last, f) != 0) {
        die::Field from = 0;
        if (t.roll(f, &from) == trace::Trace::RollResult::Accepted)
            tracedraw::drawRoll(canvas, from, f, t.traceGrid, m_mirrored);
    } else if (button == Qt::RightButton && (m_mode == 1 || turnKey)) {
        image->hide();
    } else if (button == Qt::RightButton && m_mode == 2) {
        // The last pixel row addresses row 8, which the grid has not.
        if (trace::Grid::contains(f)) {
            trace::uvolni_pole(f, t.pictureGrid);
            tracedraw::blankField(canvas, f);
        }
    } else if (button == Qt::LeftButton && m_mode == 2 && turnKey) {
        if (trace::Grid::contains(f)) {
            trace::Imprint &p = t.pictureGrid.at(f);
            p.rotation = (p.rotation + 1) & 3;
            tracedraw::dokresli_pole(canvas, f, t.pictureGrid, m_mirrored);
        }
    } else if (button == Qt::LeftButton && m_mode == 2) {
        if (trace::Grid::contains(f)) {
            t.pictureGrid.at(f) = t.traceGrid.at(f);
            tracedraw::dokresli_pole(canvas, f, t.pictureGrid, m_mirrored);
        }
        m_drag = true;
    } else if (button == Qt::LeftButton && m_mode == 1) {
        m_drag = true;
    }
    image->update();
}

void TForm4::Image5MouseUp()
{
    netReleased(1);
}

void TForm4::Image4MouseUp()
{
    netReleased(2);
}

void TForm4::netReleased(int net)
{
    if (net != m_active) {
        m_active = net;
        varovani->setText(captionText(net));
        if (m_mode == 2)
            showReferenceCopies();
        selectSit(net - 1);
    }
    if (m_mode == 1)
        undo->setEnabled(traceOf(net).history.count > 0);
    m_drag = false;
}

void TForm4::Image5MouseMove(ImageControl *image, int x, int y)
{
    if (m_drag)
        dragBy(image, x, y);
}

void TForm4::dragBy(QWidget *control, int x, int y)
{
    const int left = control->x() + x - m_down.x();
    const int top = control->y() + y - m_down.y();
    if (left >= -119 && left <= 419 && top >= -89 && top <= 579)
        control->move(left, top);
}

// ---- thumbnail and text boxes

void TForm4::Image1MouseDown(Qt::MouseButton button, int x, int y)
{
    m_down = QPoint(x, y);
    const bool inside = net::in_net(x, y);
    if (button == Qt::RightButton && !inside) {
        Image1->changeParent(Panel);
        Image1->move(6, 7);
    } else if (button == Qt::LeftButton && !inside) {
        Image1->changeParent(this);   // onto the sheet area, keeping Left and Top
        BitBtn1->raise();
    } else if (button == Qt::LeftButton) {
        vykresli(net::square_at(x, y));
    }
}

void TForm4::popisMouseDown(int x, int y)
{
    m_down = QPoint(x, y);
}

void TForm4::popisMouseMove(ImageControl *control, Qt::MouseButtons buttons, int x, int y)
{
    if (buttons & Qt::LeftButton)
        dragBy(control, x, y);
}

void TForm4::vstupDblClick()
{
    Canvas &c = popis->canvas();
    c.brushColor = tracedraw::white;
    c.fillRect(1, 1, 428, 90);
    const QStringList lines = vstup->toPlainText().split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i)
        c.textRect(edgeRect(5, 15 * i + 10, 426, 15 * i + 25), 10, 15 * i + 10, lines[i]);
    c.brushColor = tracedraw::black;
    c.frameRect(1, 1, 428, 90);
    c.brushColor = tracedraw::white;
    popis->show();
    popis->update();
}

void TForm4::popisDblClick()
{
    popis->hide();
    vstup->setFocus();
}

void TForm4::Label1DblClick()
{
    if (nazev->y() < 5)
        nazev->move(nazev->x(), 5);
    const int width = Label1->width() + 20;
    nazev->setBounds(nazev->x(), nazev->y(), width, nazev->height());
    Canvas &c = nazev->canvas();
    c.brushColor = tracedraw::white;
    c.textRect(edgeRect(0, 0, width, 25), 10, 5, Label1->text());
    c.brushColor = tracedraw::black;
    c.frameRect(0, 0, width, 25);
    c.brushColor = tracedraw::white;
    nazev->show();
    nazev->update();
}

void TForm4::setModelFileName()
{
    Label1->setText(m_context.modelFileName ? m_context.modelFileName() : QString());
    Label1->adjustSize();
    // Right-aligned: the right edge stays where the layout puts it.
    Label1->move(433 - Label1->width(), 578);
}

// ---- window background and reference copies

void TForm4::mousePressEvent(QMouseEvent *event)
{
    FormMouseDown(event->button());
}

void TForm4::mouseDoubleClickEvent(QMouseEvent *)
{
    FormDblClick();
}

void TForm4::FormMouseDown(Qt::MouseButton button)
{
    if (button == Qt::RightButton)
        netImage(m_active)->show();
}

void TForm4::FormDblClick()
{
    netImage(m_active)->show();
}

void TForm4::Image3Click(ImageControl *copy)
{
    (copy == Image3 ? Image5 : Image4)->show();
}

void TForm4::Image2MouseDown()
{
    Image4->show();
}

void TForm4::Image3MouseDown()
{
    Image5->show();
}

void TForm4::showReferenceCopies()
{
    Image2->setVisible(m_mode == 2 && m_active == 2);
    Image3->setVisible(m_mode == 2 && m_active == 1);
}

// ---- radio groups

void TForm4::selectRezim(int index)
{
    if (rgrezim->itemIndex() == index)
        return;
    rgrezim->setItemIndex(index);
    rgrezimClick();
}

void TForm4::selectSit(int index)
{
    if (rgsit->itemIndex() == index)
        return;
    rgsit->setItemIndex(index);
    rgsitClick();
}

void TForm4::rgsitClick()
{
    m_active = rgsit->itemIndex() + 1;
    varovani->setText(captionText(m_active));
    netImage(m_active)->show();
    if (m_mode == 2)
        showReferenceCopies();
    else
        undo->setEnabled(traceOf(m_active).history.count > 0);
}

void TForm4::rgrezimClick()
{
    if (m_suppress)
        return;
    const int wanted = rgrezim->itemIndex() + 1;
    if (m_mode == 1 && wanted == 2) {
        m_mode = 2;
        undo->setEnabled(false);
        nova->setEnabled(false);
        OBNOVIT->setEnabled(true);
        trace::Trace &t = traceOf(m_active);
        t.pictureGrid = t.traceGrid;
        for (int n = 1; n <= 2; ++n) {
            const trace::Trace &net = traceOf(n);
            tracedraw::prekresli_proste(referenceCopy(n)->canvas(), net.history, net.traceGrid,
                                        m_mirrored, net.initial, sipky->isChecked());
            referenceCopy(n)->update();
        }
        showReferenceCopies();
    } else if (m_mode == 2 && wanted == 1) {
        const QString question = m_context.language.text(
                71, QStringLiteral("Akce zruší dosavadní změny otočení a skrytí polí. Pokračovat?"));
        if (m_context.dialogs->question(this, question)) {
            OBNOVIT->setEnabled(false);
            nova->setEnabled(true);
            undo->setEnabled(traceOf(m_active).history.count > 0);
            m_mode = 1;
            showReferenceCopies();
            opravClick();
        } else {
            m_suppress = true;
            selectRezim(1);
            m_suppress = false;
        }
    }
}

// ---- buttons

void TForm4::undoClick()
{
    trace::Trace &t = traceOf(m_active);
    if (!t.undo())
        return;
    ImageControl *image = netImage(m_active);
    tracedraw::prekresli_obrazek(image->canvas(), t.history, t.traceGrid, m_mirrored, t.initial,
                                 sipky->isChecked());
    tracedraw::prekresli_sipky(image->canvas(), t.history);
    image->update();
    undo->setEnabled(t.history.count > 0);
}

void TForm4::novaClick()
{
    const int n = m_active;
    trace::Trace &t = traceOf(n);
    if (t.history.count > 0) {
        const QString question = m_context.language.text(72, QStringLiteral("Akce smaže síť "))
                + QString::number(n) + m_context.language.text(73, QStringLiteral(". OK?"));
        if (!m_context.dialogs->question(this, question)) {
            opravClick();
            opravvzor();
            return;
        }
    }
    ImageControl *image = netImage(n);
    Canvas &canvas = image->canvas();
    tracedraw::clear(canvas);
    image->show();
    t.newTrace();
    tracedraw::dokresli_pole(canvas, t.last, t.traceGrid, m_mirrored);
    tracedraw::ramecek(canvas, t.last, tracedraw::red);
    image->update();
    undo->setEnabled(false);
}

void TForm4::opravClick()
{
    const trace::Trace &t = traceOf(m_active);
    ImageControl *image = netImage(m_active);
    if (m_mode == 1)
        tracedraw::prekresli_obrazek(image->canvas(), t.history, t.traceGrid, m_mirrored, t.initial,
                                     sipky->isChecked());
    else
        tracedraw::prekresli_proste(image->canvas(), t.history, t.pictureGrid, m_mirrored, t.initial,
                                    sipky->isChecked());
    image->update();
}

void TForm4::opravvzor()
{
    const trace::Trace &t = traceOf(m_active);
    ImageControl *copy = referenceCopy(m_active);
    tracedraw::prekresli_obrazek(copy->canvas(), t.history, t.traceGrid, m_mirrored, t.initial,
                                 sipky->isChecked());
    copy->update();
}

void TForm4::OBNOVITClick()
{
    const QString question = m_context.language.text(
            71, QStringLiteral("Akce smaže dodatečné úpravy aktivní sítě. Pokračovat?"));
    if (!m_context.dialogs->question(this, question))
        return;
    trace::Trace &t = traceOf(m_active);
    t.pictureGrid = t.traceGrid;
    ImageControl *image = netImage(m_active);
    tracedraw::prekresli_proste(image->canvas(), t.history, t.traceGrid, m_mirrored, t.initial,
                                sipky->isChecked());
    image->update();
}

void TForm4::OKClick()
{
    emit confirmed();
    m_needsRefresh = false;
    close();
}

void TForm4::BitBtn1Click()
{
    if (!m_helpWindow)
        return;
    m_helpWindow->show();
    m_helpWindow->raise();
    m_helpWindow->activateWindow();
}

bool TForm4::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (watched == vstup->viewport())
            vstupDblClick();
        else if (watched == Label1)
            Label1DblClick();
    }
    return QWidget::eventFilter(watched, event);
}

// ---- helpers

ImageControl *TForm4::netImage(int net) const
{
    return net == 2 ? Image4 : Image5;
}

ImageControl *TForm4::referenceCopy(int net) const
{
    return net == 2 ? Image2 : Image3;
}

int TForm4::netOf(const ImageControl *image) const
{
    return image == Image4 ? 2 : 1;
}

void TForm4::setCaptionTexts()
{
    m_captions[0] = m_context.language.text(68, QStringLiteral("Editujete horní síť"));
    m_captions[1] = m_context.language.text(69, QStringLiteral("Editujete dolní síť"));
}

QString TForm4::captionText(int net) const
{
    return m_captions[net - 1];
}

die::DieState TForm4::initialState() const
{
    die::DieState s;
    die::obnov_kostku(s, m_applied.rotations);
    return s;
}
