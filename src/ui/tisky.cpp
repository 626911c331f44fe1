#include "tisky.h"

#include "appcontext.h"
#include "dialogs.h"
#include "imagecontrol.h"
#include "netgeometry.h"
#include "uifont.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopedValueRollback>

TForm2::TForm2(AppContext &context, QWidget *helpWindow)
    : SheetWindow(context, helpWindow, "TForm2", texts::builtin(Text::QuizTitle), 600,
                  tilecheck::Sheet::Quiz)
{
    createControls();
    FormCreate();
}

QPlainTextEdit *TForm2::memo(const char *name, QRect geometry, const QString &text)
{
    auto *edit = makeControl<QPlainTextEdit>(Panel, name, geometry, text);
    // Plain memos without scroll bars, as the layout has them.
    edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit->viewport()->installEventFilter(this);
    edit->installEventFilter(this);
    return edit;
}

void TForm2::createControls()
{
    using Image = QuizSheet::TextImage;
    // Text images of the sheet; created before the panel so that it covers them.
    popis = addImage(this, "popis", m_sheet.textImage(Image::Popis).rect());
    dalsipopis = addImage(this, "dalsipopis", m_sheet.textImage(Image::Dalsipopis).rect());
    addNameAndLogo(m_sheet.textImage(Image::Nazev).topLeft.y(), 568, 0);
    dalsipopis2 = addImage(this, "dalsipopis2", m_sheet.textImage(Image::Dalsipopis2).rect());
    m_textImages = {popis, dalsipopis, dalsipopis2, nazev};   // in TextImage order
    for (Image which : {Image::Popis, Image::Dalsipopis, Image::Dalsipopis2, Image::Nazev})
        showTextImage(which);
    for (ImageControl *image : {popis, dalsipopis, nazev, dalsipopis2}) {
        connect(image, &ImageControl::mouseDown, this, [this, image](const ImageControl::Mouse &m) {
            popisMouseDown(image, m.pos.x(), m.pos.y());
        });
        connect(image, &ImageControl::mouseMove, this, [this, image](const ImageControl::Mouse &m) {
            Image1MouseMove(image, m.buttons, m.pos.x(), m.pos.y());
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
                               QRect(QuizSheet::homePosition(k), QSize(net::thumbWidth, net::thumbHeight)), k);
        connect(thumb, &ImageControl::mouseDown, this, [this, thumb](const ImageControl::Mouse &m) {
            Image1MouseDown(thumb, m.button, m.buttons, m.modifiers, m.pos.x(), m.pos.y());
        });
        connect(thumb, &ImageControl::mouseMove, this, [this, thumb](const ImageControl::Mouse &m) {
            Image1MouseMove(thumb, m.buttons, m.pos.x(), m.pos.y());
        });
        m_thumbnails[k - 1] = thumb;
    }

    addModelNameLabel();
    setModelName(QString(), 522);

    OBNOVIT = makeButton(Panel, "OBNOVIT", texts::builtin(Text::QuizObnovit), QRect(264, 558, 129, 33));
    connect(OBNOVIT, &QPushButton::clicked, this, &TForm2::OBNOVITClick);
    OK = makeButton(Panel, "OK", QStringLiteral("OK"), QRect(400, 558, 33, 33));
    connect(OK, &QPushButton::clicked, this, &TForm2::OKClick);

    vstup = memo("vstup", {8, 446, 425, 73}, texts::builtin(Text::QuizVstup));
    vstup->setProperty("tag", 13);
    dalsi = memo("dalsi", {8, 534, 235, 57}, texts::builtin(Text::QuizDalsi) + u'\n');
    dalsi2 = memo("dalsi2", {24, 542, 235, 55}, texts::builtin(Text::QuizDalsi2) + u'\n');
    // The memos' lines are the sheet's: typed, loaded or set by the language file.
    for (const auto &[edit, which] : memos()) {
        m_sheet.setMemo(which, memoLines(edit));
        connect(edit, &QPlainTextEdit::textChanged, this,
                [this, edit = edit, which = which] { m_sheet.setMemo(which, memoLines(edit)); });
    }
    addHelpButton(QRect(824, 0, 59, 30));
}

std::array<std::pair<QPlainTextEdit *, QuizSheet::Memo>, 3> TForm2::memos() const
{
    return {{{vstup, QuizSheet::Memo::Vstup}, {dalsi, QuizSheet::Memo::Dalsi}, {dalsi2, QuizSheet::Memo::Dalsi2}}};
}

void TForm2::FormCreate()
{
    m_downControl = nullptr;
}

void TForm2::keepFresh()
{
    if (!m_fresh)
        m_fresh = m_sheet;
}

void TForm2::reset()
{
    keepFresh();
    applyLesson(*m_fresh, QString());
    emit withdrawn();
}

void TForm2::FormShow()
{
    keepFresh();
    if (m_sheet.loaded()) {
        preber();
        return;
    }
    // Not confirmed: drawn anew; confirmed: anew only when the face set
    // changed and the teacher agrees.
    if (!m_sheet.confirmed()
        || (faceset::changed(m_sheet.nets().applied(), m_context.snapshot) && m_context.dialogs
            && m_context.dialogs->question(this, m_context.language.text(Text::QuizFaceSetChanged)))) {
        obnov();
        setModelName(modelName(), 522);
    }
}

void TForm2::showThumbnail(int layout)
{
    ImageControl *thumb = m_thumbnails[layout - 1];
    const QuizSheet::Place &place = m_sheet.place(layout);
    const QScopedValueRollback showing(m_showing, true);
    QWidget *parent = place.onSheet ? static_cast<QWidget *>(this) : Panel;
    if (thumb->parentWidget() != parent) {
        thumb->changeParent(parent);
        if (place.onSheet) {
            // The panel stays on top of the sheet, as printing cuts at its edge.
            Panel->raise();
            BitBtn1->raise();
        }
    }
    thumb->move(place.topLeft);
    thumb->setImage(m_sheet.image(layout));
    thumb->update();
}

void TForm2::showThumbnails()
{
    for (int k = 1; k <= quiz::thumbnailCount; ++k)
        showThumbnail(k);
}

void TForm2::showTextImage(QuizSheet::TextImage which)
{
    showPlaced(m_textImages[int(which)], m_sheet.textImage(which));
}

void TForm2::textImageChanged(ImageControl *image)
{
    for (int i = 0; i < QuizSheet::textImageCount; ++i)
        if (m_textImages[i] == image)
            m_sheet.textImage(QuizSheet::TextImage(i)) = {image->image(), image->pos(), !image->isHidden()};
}

void TForm2::controlMoved(ImageControl *image)
{
    const int k = image->tag();
    if (k >= 1 && k <= quiz::thumbnailCount && m_thumbnails[k - 1] == image)
        m_sheet.moveTo(k, image->pos());
    else
        textImageChanged(image);
}

void TForm2::obnov()
{
    m_sheet.obnov(m_context.snapshot);
    showThumbnails();
    warnAboutTiles(m_sheet.nets().tiles());
}

void TForm2::preber()
{
    m_sheet.preber(m_context.snapshot);
    showThumbnails();
    warnAboutTiles(m_sheet.nets().tiles());
}

void TForm2::vykresli(int layout, int x, int y, bool show)
{
    const int s = net::square_at(x, y);
    if (show)
        m_sheet.showOriginal(layout, s);
    else
        m_sheet.hide(layout, s);
    showThumbnail(layout);
}

void TForm2::Image1MouseDown(ImageControl *sender, Qt::MouseButton button,
                             Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int x,
                             int y)
{
    m_down = QPoint(x, y);
    m_downControl = sender;
    // A thumbnail put on the sheet stays m_downControl: the press that moved
    // it goes on as a drag, and it follows once the pointer is over the
    // sheet (the limits of dragBy hold it while the pointer is over the panel).
    const bool turnKey = modifiers & (Qt::ShiftModifier | Qt::ControlModifier);
    if (m_sheet.press(sender->tag(), buttons | button, turnKey, m_down))
        m_downControl = nullptr;
    showThumbnail(sender->tag());
}

void TForm2::Image1MouseMove(ImageControl *sender, Qt::MouseButtons buttons, int x, int y)
{
    if ((buttons & Qt::LeftButton) && sender == m_downControl)
        dragBy(sender, QPoint(x, y));
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
    m_sheet.confirm();
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
    textImageChanged(sender);
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

QString TForm2::loadQuizFile(const QByteArray &bytes)
{
    keepFresh();
    switch (m_sheet.load(bytes)) {
    case quiz::ReadError::WrongFormat:
        return m_context.language.text(Text::WrongFormat);
    case quiz::ReadError::NotThumbnailLine:
        return QStringLiteral("Error");   // not replaced by the language file
    case quiz::ReadError::None:
        break;
    }
    m_downControl = nullptr;
    // Places now; the pictures are drawn from the states by preber.
    showThumbnails();
    for (const auto &[edit, which] : memos())
        setMemoLines(edit, m_sheet.memo(which));
    // Shown already: no show follows, so draw now what was loaded, or the
    // thumbnails would show (and print) states they do not hold.
    if (isVisible())
        preber();
    return QString();
}

PrintedSheet TForm2::sheetFor(bool answers) const
{
    return {[this, answers](bool withTexts) {
                return m_sheet.items(withTexts, answers, {logo->image(), logo->pos()});
            },
            Panel->width(), answers ? QStringLiteral("kviz-reseni.pdf") : QStringLiteral("kviz.pdf")};
}

bool TForm2::prepared() const
{
    return m_sheet.loaded() || m_sheet.confirmed() || m_sheet.nets().applied() != faceset::Snapshot();
}

void TForm2::applyLesson(const QuizSheet &sheet, const QString &name)
{
    keepFresh();
    m_sheet = sheet;
    m_downControl = nullptr;
    showThumbnails();
    for (int i = 0; i < QuizSheet::textImageCount; ++i)
        showTextImage(QuizSheet::TextImage(i));
    for (const auto &[edit, which] : memos())
        setMemoLines(edit, m_sheet.memo(which));
    setModelName(name, 522);
    if (!m_sheet.confirmed()) {
        hide();   // the next showing draws the states (loaded)
        return;
    }
    if (isVisible())
        preber();
    else
        show();
    raise();
    emit confirmed();
}
