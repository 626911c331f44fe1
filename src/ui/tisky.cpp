#include "tisky.h"

#include "appcontext.h"
#include "dialogs.h"
#include "imagecontrol.h"
#include "netgeometry.h"
#include "tilewarning.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>

TForm2::TForm2(AppContext &context, QWidget *helpWindow)
    : SheetWindow(context, helpWindow, "TForm2", QStringLiteral("Příprava kvízu"), 600)
{
    createControls();
    FormCreate();
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
    edit->installEventFilter(this);
    return edit;
}

void TForm2::createControls()
{
    // Text images of the sheet; created before the panel so that it covers them.
    popis = addImage(this, "popis", QRect(8, 469, 430, 90));
    dalsipopis = addImage(this, "dalsipopis", QRect(184, 416, 240, 80));
    dalsipopis->hide();
    addNameAndLogo(560, 568, 0);
    dalsipopis2 = addImage(this, "dalsipopis2", QRect(192, 424, 240, 80));
    dalsipopis2->hide();
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

    addPanel();
    for (int k = 1; k <= quiz::thumbnailCount; ++k) {
        const QByteArray name = "Image" + QByteArray::number(k);
        auto *thumb = addImage(Panel, name.constData(),
                               QRect(homePosition(k), QSize(net::thumbWidth, net::thumbHeight)), k);
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

    addModelNameLabel();
    setModelName(QString(), 522);

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
    addHelpButton(QRect(824, 0, 59, 30));
}

QPoint TForm2::homePosition(int layout)
{
    return QPoint(((layout - 1) / 4) * 144 + 8, ((layout - 1) % 4) * 110 + 7);
}

void TForm2::FormCreate()
{
    m_notConfirmed = true;
    m_nets = QuizNets();
}

void TForm2::FormShow()
{
    if (m_loaded) {
        preber();
        return;
    }
    const bool changed = faceset::changed(m_nets.applied(), m_context.snapshot);
    if (changed && !m_notConfirmed) {
        const QString question =
                m_context.language.text(64, QStringLiteral("Povrch kostky se změnil.  Přizpůsobit?"));
        if (m_context.dialogs && m_context.dialogs->question(this, question)) {
            obnov();
            setModelName(modelName(), 522);
        }
    } else if (m_notConfirmed) {
        obnov();
        setModelName(modelName(), 522);
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
    // m_downControl stays: the press that moved it goes on as a drag, and
    // the thumbnail follows once the pointer is over the sheet (the limits
    // of dragBy hold it while the pointer is still over the panel).
}

void TForm2::Image1MouseDown(ImageControl *sender, Qt::MouseButton button,
                             Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int x,
                             int y)
{
    const int k = sender->tag();
    m_down = QPoint(x, y);
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
    if ((buttons & Qt::LeftButton) && sender == m_downControl)
        dragBy(sender, x, y);
}

void TForm2::popisMouseDown(ImageControl *sender, int x, int y)
{
    m_down = QPoint(x, y);
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

void TForm2::dalsiDblClick()
{
    dalsi->raise();
    if (dalsipopis->top() < 5)
        dalsipopis->setTop(5);
    drawText(dalsi, dalsipopis, 239, 236, 80);
}

void TForm2::dalsi2DblClick()
{
    dalsi2->raise();
    if (dalsipopis2->top() < 5)
        dalsipopis2->setTop(5);
    drawText(dalsi2, dalsipopis2, 239, 236, 80);
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
    // The two overlapping memos: the one that takes the keyboard (a click,
    // Tab) comes to the front, so that nobody types into a hidden one.
    if (type == QEvent::FocusIn && (watched == dalsi || watched == dalsi2))
        static_cast<QWidget *>(watched)->raise();
    if ((type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick)
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton
        && (watched == dalsi->viewport() || watched == dalsi2->viewport())) {
        QPlainTextEdit *edit = watched == dalsi->viewport() ? dalsi : dalsi2;
        dalsi2Click(edit);
        if (type == QEvent::MouseButtonDblClick)
            edit == dalsi ? dalsiDblClick() : dalsi2DblClick();
    }
    return SheetWindow::eventFilter(watched, event);
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

PrintedSheet TForm2::sheetFor(bool answers) const
{
    return {[this, answers](bool withTexts) {
                return sheet::quizItems(sheetControls(answers), withTexts);
            },
            Panel->width(), answers ? QStringLiteral("kviz-reseni.pdf") : QStringLiteral("kviz.pdf")};
}

QList<sheet::Control> TForm2::sheetControls(bool answers) const
{
    QList<sheet::Control> controls;
    for (const ImageControl *image : m_thumbnails) {
        controls << sheetControl(image);
        if (answers)
            controls.last().image = m_nets.answerImage(image->tag());
    }
    for (const ImageControl *image : {popis, dalsipopis, dalsipopis2, nazev, logo})
        controls << sheetControl(image);
    return controls;
}
