#include "tisky.h"

#include "windowplace.h"

#include "appcontext.h"
#include "dialogs.h"
#include "imagecontrol.h"
#include "netgeometry.h"
#include "textimage.h"
#include "tilewarning.h"
#include "uifont.h"

#include <QEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>

namespace {

constexpr QRgb black = 0x000000;
constexpr QRgb white = 0xFFFFFF;
constexpr int sheetWidth = 440;

} // namespace

TForm2::TForm2(AppContext &context, QWidget *helpWindow, QWidget *parent)
    : QWidget(parent, Qt::Window), m_context(context), m_helpWindow(helpWindow)
{
    setObjectName(QStringLiteral("TForm2"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Příprava kvízu"));
    setFixedSize(882, 600);
    setFont(uiFont(11));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setAutoFillBackground(true);
    createControls();
    FormCreate();
}

ImageControl *TForm2::textImage(const char *name, int left, int top, int width, int height,
                                bool visible)
{
    auto *image = new ImageControl(this);
    image->setObjectName(QLatin1String(name));
    image->setBounds(left, top, width, height);
    image->setVisible(visible);
    return image;
}

QPlainTextEdit *TForm2::memo(const char *name, int left, int top, int width, int height,
                             const QString &text)
{
    auto *edit = new QPlainTextEdit(Panel);
    edit->setObjectName(QLatin1String(name));
    edit->setGeometry(left, top, width, height);
    edit->setPlainText(text);
    // Plain memos without scroll bars, as the layout has them.
    edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit->viewport()->installEventFilter(this);
    return edit;
}

void TForm2::createControls()
{
    // Text images of the sheet; created before the panel so that it covers them.
    popis = textImage("popis", 8, 469, 430, 90, true);
    dalsipopis = textImage("dalsipopis", 184, 416, 240, 80, false);
    nazev = textImage("nazev", 8, 560, 434, 25, false);
    logo = textImage("logo", 312, 568, 121, 25, true);
    dalsipopis2 = textImage("dalsipopis2", 192, 424, 240, 80, false);
    for (ImageControl *image : {popis, dalsipopis, nazev, dalsipopis2}) {
        connect(image, &ImageControl::mouseDown, this,
                [this, image](Qt::MouseButton, Qt::MouseButtons, Qt::KeyboardModifiers, int x,
                              int y) { popisMouseDown(image, x, y); });
        connect(image, &ImageControl::mouseMove, this,
                [this, image](Qt::MouseButtons buttons, Qt::KeyboardModifiers, int x, int y) {
                    Image1MouseMove(image, buttons, x, y);
                });
    }
    connect(popis, &ImageControl::doubleClicked, this, &TForm2::popisDblClick);
    for (ImageControl *image : {dalsipopis, nazev, dalsipopis2})
        connect(image, &ImageControl::doubleClicked, this,
                [this, image] { dalsipopisDblClick(image); });

    Panel = new QFrame(this);
    Panel->setObjectName(QStringLiteral("Panel"));
    Panel->setGeometry(sheetWidth, 0, 442, 600);
    Panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel->setAutoFillBackground(true);
    QPalette panelPalette = Panel->palette();
    panelPalette.setColor(QPalette::Window, QPalette().color(QPalette::Button));
    Panel->setPalette(panelPalette);

    for (int k = 1; k <= quiz::thumbnailCount; ++k) {
        auto *thumb = new ImageControl(Panel);
        thumb->setObjectName(QStringLiteral("Image%1").arg(k));
        thumb->setTag(k);
        const QPoint home = homePosition(k);
        thumb->setBounds(home.x(), home.y(), net::thumbWidth, net::thumbHeight);
        connect(thumb, &ImageControl::mouseDown, this,
                [this, thumb](Qt::MouseButton button, Qt::MouseButtons buttons,
                              Qt::KeyboardModifiers modifiers, int x, int y) {
                    Image1MouseDown(thumb, button, buttons, modifiers, x, y);
                });
        connect(thumb, &ImageControl::mouseMove, this,
                [this, thumb](Qt::MouseButtons buttons, Qt::KeyboardModifiers, int x, int y) {
                    Image1MouseMove(thumb, buttons, x, y);
                });
        m_thumbnails[k - 1] = thumb;
    }

    Label1 = new QLabel(Panel);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setProperty("tag", 14);
    Label1->setAlignment(Qt::AlignRight | Qt::AlignTop);
    Label1->setAutoFillBackground(true);
    QPalette labelPalette = Label1->palette();
    labelPalette.setColor(QPalette::Window, Qt::white);
    Label1->setPalette(labelPalette);
    Label1->installEventFilter(this);
    setLabelCaption(QString());

    OBNOVIT = new QPushButton(QStringLiteral("Obnovit původní otočení"), Panel);
    OBNOVIT->setObjectName(QStringLiteral("OBNOVIT"));
    OBNOVIT->setGeometry(264, 558, 129, 33);
    connect(OBNOVIT, &QPushButton::clicked, this, &TForm2::OBNOVITClick);

    OK = new QPushButton(QStringLiteral("OK"), Panel);
    OK->setObjectName(QStringLiteral("OK"));
    OK->setGeometry(400, 558, 33, 33);
    connect(OK, &QPushButton::clicked, this, &TForm2::OKClick);

    vstup = memo("vstup", 8, 446, 425, 73, QStringLiteral("Zadání:"));
    vstup->setProperty("tag", 13);
    dalsi = memo("dalsi", 8, 534, 235, 57, QStringLiteral("Další text:\n"));
    dalsi2 = memo("dalsi2", 24, 542, 235, 55, QStringLiteral("Další text:\n"));

    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogHelpButton),
                              QStringLiteral("&Help"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(824, 0, 59, 30);
    connect(BitBtn1, &QPushButton::clicked, this, &TForm2::BitBtn1Click);
}

QPoint TForm2::homePosition(int layout)
{
    return QPoint(((layout - 1) / 4) * 144 + 8, ((layout - 1) % 4) * 110 + 7);
}

void TForm2::FormCreate()
{
    m_notConfirmed = true;
    m_nets = QuizNets();

    Canvas &n = nazev->canvas();
    n.penColor = black;
    n.brushColor = white;
    n.rectangle(0, 0, nazev->width(), nazev->height());

    // Drawn when first needed: the window waits hidden from start-up.
    logo->drawLater([](Canvas &l) {
        l.brushColor = white;
        l.textRect(edgeRect(1, 1, 199, 24), 10, 10, QStringLiteral("© vemtal 2026"));
        l.penColor = black;
        l.brushColor = white;
    });
}

void TForm2::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    centreOnMainWindow();
    FormShow();
}

void TForm2::centreOnMainWindow()
{
    if (m_context.mainWindow)
        centreWindow(this, m_context.mainWindow);
}

void TForm2::FormShow()
{
    if (m_loaded) {
        preber();
        return;
    }
    const bool changed = faceset::changed(m_nets.applied(), m_context.snapshot);
    const QString modelName = m_context.modelFileName ? m_context.modelFileName() : QString();
    if (changed && !m_notConfirmed) {
        const QString question =
                m_context.language.text(64, QStringLiteral("Povrch kostky se změnil.  Přizpůsobit?"));
        if (m_context.dialogs && m_context.dialogs->question(this, question)) {
            obnov();
            setLabelCaption(modelName);
        }
    } else if (m_notConfirmed) {
        obnov();
        setLabelCaption(modelName);
    }
}

void TForm2::obnov()
{
    m_nets.applyFaceSet(m_context.snapshot);
    for (ImageControl *thumb : m_thumbnails) {
        m_nets.reset(thumb->tag(), thumb->canvas());
        thumb->update();
    }
    warnAboutTiles(m_context, this, m_tileWarning, m_nets.tiles());
}

void TForm2::preber()
{
    m_nets.applyFaceSet(m_context.snapshot);
    for (ImageControl *thumb : m_thumbnails) {
        m_nets.redraw(thumb->tag(), thumb->canvas());
        thumb->update();
    }
    m_loaded = false;
    warnAboutTiles(m_context, this, m_tileWarning, m_nets.tiles());
}

void TForm2::vykresli(int layout, int x, int y, bool show)
{
    ImageControl *thumb = m_thumbnails[layout - 1];
    const int s = net::square_at(x, y);
    if (show)
        m_nets.drawOriginal(layout, s, thumb->canvas());
    else
        m_nets.drawBlank(s, thumb->canvas());
    thumb->update();
}

void TForm2::sendHome(ImageControl *thumb)
{
    if (thumb->parentWidget() != Panel) {
        thumb->changeParent(Panel);
        m_downControl = nullptr;
    }
    thumb->move(homePosition(thumb->tag()));
}

void TForm2::putOnSheet(ImageControl *thumb)
{
    if (thumb->parentWidget() == this)
        return;
    thumb->changeParent(this);
    // The panel stays on top of the sheet, as printing cuts at its edge.
    Panel->raise();
    BitBtn1->raise();
    // The press that moved it does not start a drag.
    m_downControl = nullptr;
}

void TForm2::Image1MouseDown(ImageControl *sender, Qt::MouseButton button,
                             Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int x,
                             int y)
{
    const int k = sender->tag();
    m_downX = x;
    m_downY = y;
    m_downControl = sender;
    const Qt::MouseButtons held = buttons | button;
    const int s = net::square_at(x, y);
    const bool inNet = net::in_net(x, y);

    if (held & Qt::RightButton) {
        if (inNet) {
            vykresli(k, x, y, false);
            m_nets.setState(k, s, 4);
        } else {
            sendHome(sender);
        }
    }
    if (held & Qt::LeftButton) {
        if (inNet) {
            vykresli(k, x, y, true);
            m_nets.setState(k, s, quint8(m_nets.originalTurn(k, s)));
        } else {
            putOnSheet(sender);
        }
    }
    if ((held & Qt::MiddleButton) || (modifiers & (Qt::ShiftModifier | Qt::ControlModifier))) {
        m_nets.turnStep(k, s, sender->canvas());
        sender->update();
    }
}

void TForm2::Image1MouseMove(ImageControl *sender, Qt::MouseButtons buttons, int x, int y)
{
    if (!(buttons & Qt::LeftButton) || sender != m_downControl)
        return;
    const int left = sender->left() + x - m_downX;
    const int top = sender->top() + y - m_downY;
    // Strict limits in the parent's coordinates; a move beyond them is dropped.
    if (left > -120 && left < 420 && top > -90 && top < 580)
        sender->move(left, top);
}

void TForm2::popisMouseDown(ImageControl *sender, int x, int y)
{
    m_downX = x;
    m_downY = y;
    m_downControl = sender;
}

void TForm2::OBNOVITClick()
{
    obnov();
}

void TForm2::OKClick()
{
    m_notConfirmed = false;
    emit confirmed();
    hide();
}

void TForm2::BitBtn1Click()
{
    if (!m_helpWindow)
        return;
    m_helpWindow->show();
    m_helpWindow->raise();
    m_helpWindow->activateWindow();
}

void TForm2::renderMemo(QPlainTextEdit *source, ImageControl *target, int frameRight,
                        int textRight, int frameBottom)
{
    textimage::drawLines(target->canvas(), memoLines(source), frameRight, textRight, frameBottom);
    target->show();
    target->update();
}

void TForm2::vstupDblClick()
{
    renderMemo(vstup, popis, 428, 426, 90);
}

void TForm2::dalsiDblClick()
{
    dalsi->raise();
    if (dalsipopis->top() < 5)
        dalsipopis->setTop(5);
    renderMemo(dalsi, dalsipopis, 239, 236, 80);
}

void TForm2::dalsi2DblClick()
{
    dalsi2->raise();
    if (dalsipopis2->top() < 5)
        dalsipopis2->setTop(5);
    renderMemo(dalsi2, dalsipopis2, 239, 236, 80);
}

void TForm2::Label1DblClick()
{
    if (nazev->top() < 5)
        nazev->setTop(5);
    const int width = Label1->width() + 20;
    nazev->setBounds(nazev->left(), nazev->top(), width, nazev->height());
    textimage::drawCaption(nazev->canvas(), Label1->text(), width);
    nazev->show();
    nazev->update();
}

void TForm2::popisDblClick()
{
    popis->hide();
    vstup->setFocus();
}

void TForm2::dalsipopisDblClick(ImageControl *sender)
{
    sender->hide();
    QPlainTextEdit *source = sender == dalsipopis ? dalsi : dalsi2;
    source->setFocus();
    source->raise();
}

void TForm2::dalsi2Click(QPlainTextEdit *sender)
{
    sender->raise();
}

bool TForm2::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick)
        return QWidget::eventFilter(watched, event);
    if (static_cast<QMouseEvent *>(event)->button() != Qt::LeftButton)
        return QWidget::eventFilter(watched, event);
    const bool dbl = type == QEvent::MouseButtonDblClick;
    if (watched == Label1) {
        if (dbl)
            Label1DblClick();
    } else if (watched == vstup->viewport()) {
        if (dbl)
            vstupDblClick();
    } else if (watched == dalsi->viewport() || watched == dalsi2->viewport()) {
        QPlainTextEdit *edit = watched == dalsi->viewport() ? dalsi : dalsi2;
        dalsi2Click(edit);
        if (dbl) {
            if (edit == dalsi)
                dalsiDblClick();
            else
                dalsi2DblClick();
        }
    }
    return QWidget::eventFilter(watched, event);
}

// The label is as large as its text, its right edge at 433.
void TForm2::setLabelCaption(const QString &caption)
{
    Label1->setText(caption);
    const QFontMetrics metrics(Label1->font());
    const int width = std::max(1, metrics.horizontalAdvance(caption));
    Label1->setGeometry(433 - width, 522, width, metrics.height());
}

// An empty memo has no lines; otherwise one line per paragraph.
QStringList TForm2::memoLines(const QPlainTextEdit *memo)
{
    const QString text = memo->toPlainText();
    if (text.isEmpty())
        return {};
    return text.split(QLatin1Char('\n'));
}

void TForm2::setMemoLines(QPlainTextEdit *memo, const QStringList &lines)
{
    memo->setPlainText(lines.join(QLatin1Char('\n')));
}

quiz::QuizState TForm2::quizState() const
{
    quiz::QuizState state;
    for (int k = 0; k < quiz::thumbnailCount; ++k) {
        const ImageControl *thumb = m_thumbnails[k];
        quiz::Thumbnail &t = state.thumbnails[k];
        t.onSheet = thumb->parentWidget() != Panel;
        t.left = thumb->left();
        t.top = thumb->top();
        t.states = m_nets.states(k + 1);
    }
    state.vstup = memoLines(vstup);
    state.dalsi = memoLines(dalsi);
    state.dalsi2 = memoLines(dalsi2);
    return state;
}

QByteArray TForm2::quizFileBytes() const
{
    return quiz::writeQuiz(quizState());
}

QString TForm2::loadQuizFile(const QByteArray &bytes)
{
    const quiz::ReadResult result = quiz::readQuiz(bytes);
    switch (result.error) {
    case quiz::ReadError::WrongFormat:
        return m_context.language.text(40, QStringLiteral("Chybný formát dat"));
    case quiz::ReadError::NotThumbnailLine:
        return QStringLiteral("Error");   // not replaced by the language file
    case quiz::ReadError::None:
        break;
    }
    for (int k = 0; k < quiz::thumbnailCount; ++k) {
        ImageControl *thumb = m_thumbnails[k];
        const quiz::Thumbnail &t = result.state.thumbnails[k];
        if (t.onSheet)
            putOnSheet(thumb);
        else if (thumb->parentWidget() != Panel)
            thumb->changeParent(Panel);
        thumb->move(t.left, t.top);
        m_nets.setStates(k + 1, t.states);
    }
    m_downControl = nullptr;
    setMemoLines(vstup, result.state.vstup);
    setMemoLines(dalsi, result.state.dalsi);
    setMemoLines(dalsi2, result.state.dalsi2);
    m_loaded = true;
    // Shown already: no show follows, so draw now what was loaded, or the
    // thumbnails would show (and print) states they do not hold.
    if (isVisible())
        preber();
    return QString();
}
