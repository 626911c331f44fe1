#include "cesta.h"

#include "appcontext.h"
#include "canvas.h"
#include "dialogs.h"
#include "imagecontrol.h"
#include "netgeometry.h"
#include "uifont.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>

TForm4::TForm4(AppContext &context, QWidget *helpWindow)
    : SheetWindow(context, helpWindow, "TForm4", texts::builtin(Text::TraceTitle), 601,
                  tilecheck::Sheet::Trace)
{
    using Image = TraceSheet::TextImage;
    popis = addImage(this, "popis", m_sheet.textImage(Image::Popis).rect(), 1);
    addNameAndLogo(m_sheet.textImage(Image::Nazev).topLeft.y(), 570, 1);
    Image5 = addImage(this, "Image5", QRect(6, 7, 430, 232), 5);
    Image4 = addImage(this, "Image4", QRect(6, 340, 430, 232), 4);

    addPanel();
    Image1 = addImage(Panel, "Image1", QRect(6, 7, 138, 104), 1);
    addModelNameLabel();
    Label1->move(430, 578);
    Image2 = addImage(Panel, "Image2", QRect(6, 256, 429, 231));
    Image2->hide();
    Image3 = addImage(Panel, "Image3", QRect(5, 192, 429, 231));
    Image3->hide();
    ImP = addImage(Panel, "ImP", QRect(56, 400, 32, 32));
    ImP->hide();

    varovani = makeControl<QLabel>(Panel, "varovani", {152, 8, 144, 20});   // its text from FormCreate
    varovani->setFont(uiFont(16));

    OBNOVIT = makeButton(Panel, "OBNOVIT", texts::builtin(Text::TraceObnovit), QRect(296, 120, 138, 29));
    OBNOVIT->setEnabled(false);
    OK = makeButton(Panel, "OK", texts::builtin(Text::TraceOK), QRect(296, 154, 138, 29));

    vstup = makeControl<QPlainTextEdit>(Panel, "vstup", {8, 496, 425, 73}, texts::builtin(Text::TraceVstup));
    vstup->setProperty("tag", 13);
    vstup->viewport()->installEventFilter(this);
    m_sheet.setMemo(memoLines(vstup));
    connect(vstup, &QPlainTextEdit::textChanged, this, [this] { m_sheet.setMemo(memoLines(vstup)); });

    rgrezim = addRadioGroup("rgrezim", texts::builtin(Text::TraceModeGroup),
                            {texts::builtin(Text::TraceModeTrace), texts::builtin(Text::TraceModePicture)},
                            QRect(152, 32, 138, 81));

    undo = makeButton(Panel, "undo", texts::builtin(Text::TraceUndo), QRect(6, 120, 138, 29));
    undo->setEnabled(false);
    oprav = makeButton(Panel, "oprav", texts::builtin(Text::TraceOprav), QRect(6, 152, 115, 29));
    nova = makeButton(Panel, "nova", texts::builtin(Text::TraceNova), QRect(152, 120, 138, 29));

    rgsit = addRadioGroup("rgsit", texts::builtin(Text::TraceNetGroup),
                          {texts::builtin(Text::TraceNetUpper), texts::builtin(Text::TraceNetLower)},
                          QRect(296, 32, 138, 81));

    sipky = makeControl<QCheckBox>(Panel, "sipky", {128, 160, 161, 17}, texts::builtin(Text::TraceSipky));
    sipky->setChecked(m_sheet.view().arrows);
    connect(sipky, &QCheckBox::toggled, this, [this](bool on) { m_sheet.view().arrows = on; });

    addHelpButton(QRect(828, 0, 54, 30));

    for (ImageControl *image : {Image5, Image4}) {
        connect(image, &ImageControl::mouseDown, this,
                [this, image](const Mouse &m) { Image5MouseDown(image, m); });
        connect(image, &ImageControl::mouseMove, this,
                [this, image](const Mouse &m) { Image5MouseMove(image, m); });
    }
    connect(Image5, &ImageControl::mouseUp, this, &TForm4::Image5MouseUp);
    connect(Image4, &ImageControl::mouseUp, this, &TForm4::Image4MouseUp);
    connect(Image1, &ImageControl::mouseDown, this, &TForm4::Image1MouseDown);
    connect(Image1, &ImageControl::mouseMove, this, [this](const Mouse &m) { popisMouseMove(Image1, m); });
    connect(popis, &ImageControl::mouseDown, this, &TForm4::popisMouseDown);
    connect(popis, &ImageControl::mouseMove, this, [this](const Mouse &m) { popisMouseMove(popis, m); });
    connect(popis, &ImageControl::doubleClicked, this, &TForm4::popisDblClick);
    connect(Image2, &ImageControl::clicked, this, [this] { Image3Click(Image2); });
    connect(Image3, &ImageControl::clicked, this, [this] { Image3Click(Image3); });
    connect(Image2, &ImageControl::mouseDown, this, &TForm4::Image2MouseDown);
    connect(Image3, &ImageControl::mouseDown, this, &TForm4::Image3MouseDown);
    connect(rgsit, &QButtonGroup::idClicked, this, &TForm4::rgsitClick);
    connect(rgrezim, &QButtonGroup::idClicked, this, &TForm4::rgrezimClick);
    connect(undo, &QPushButton::clicked, this, &TForm4::undoClick);
    connect(nova, &QPushButton::clicked, this, &TForm4::novaClick);
    connect(oprav, &QPushButton::clicked, this, &TForm4::opravClick);
    connect(OBNOVIT, &QPushButton::clicked, this, &TForm4::OBNOVITClick);
    connect(OK, &QPushButton::clicked, this, &TForm4::OKClick);

    FormCreate();
}

// ---- public API for the main window

bool TForm4::loadTraceFile(int net, const QByteArray &bytes)
{
    keepFresh();
    return m_sheet.load(net, bytes);
}

void TForm4::showAfterLoad()
{
    keepFresh();
    m_sheet.finishLoad();
    show();
    OKClick();
}

// ---- creation and showing

void TForm4::FormCreate()
{
    setCaptionTexts();
    varovani->setText(m_captions[0]);
    tracedraw::linky(Image4->canvas());
    tracedraw::linky(Image5->canvas());
    Image3->show();
    Image2->hide();
}

void TForm4::FormShow()
{
    keepFresh();
    if (m_sheet.loadPending()) {
        if (m_sheet.needsRefresh())
            obnov();
        const TraceSheet::Mode before = m_sheet.mode();
        const std::array<bool, 2> read = m_sheet.takeLoaded();
        const bool entered = before != m_sheet.mode();
        for (int n = 1; n <= 2; ++n) {
            if (read[n - 1])
                drawNet(n);
            if (read[n - 1] || entered)
                drawCopy(n, false);
        }
    } else {
        setCaptionTexts();
        if (m_sheet.needsRefresh())
            obnov();
        else if (m_sheet.faceSetChanged(m_context.snapshot)
                 && m_context.dialogs->question(
                         this, m_context.language.text(Text::TraceFaceSetChanged)))
            obnov();
    }
    showState();
}

void TForm4::obnov()
{
    const int active = m_sheet.activeNet();
    const auto done = m_sheet.refresh(m_context.snapshot, [this](int n) { return askNewTrace(n); });
    for (int n = 1; n <= 2; ++n) {
        if (done[n - 1] == TraceSheet::Refreshed::Renewed) {
            drawNewTrace(n);
        } else if (done[n - 1] == TraceSheet::Refreshed::Kept) {
            drawNet(n);
            drawCopy(n, true);
        }
    }
    if (active != m_sheet.activeNet())
        netSelected();
    drawThumbnail();
    setModelName(modelName(), 578);
    showState();
    warnAboutTiles(m_sheet.tiles());
}

void TForm4::drawThumbnail()
{
    m_sheet.drawThumbnail(Image1->canvas());
    Image1->update();
}

void TForm4::vykresli(int square)
{
    m_sheet.drawThumbnailSquare(square, Image1->canvas());
    Image1->update();
}

void TForm4::showState()
{
    const TraceSheet::Controls c = m_sheet.controls();
    nova->setEnabled(c.nova);
    undo->setEnabled(c.undo);
    OBNOVIT->setEnabled(c.obnovit);
    Image3->setVisible(c.upperCopy);
    Image2->setVisible(c.lowerCopy);
    rgrezim->button(int(m_sheet.mode()) - 1)->setChecked(true);
    rgsit->button(m_sheet.activeNet() - 1)->setChecked(true);
}

void TForm4::netSelected()
{
    const int n = m_sheet.activeNet();
    varovani->setText(m_captions[n - 1]);
    showNet(n, true);
}

void TForm4::showNet(int net, bool shown)
{
    m_sheet.view().netShown[net - 1] = shown;
    netImage(net)->setVisible(shown);
}

void TForm4::placeThumbnail()
{
    const TraceSheet::View &view = m_sheet.view();
    Image1->changeParent(view.thumbnailOnSheet ? static_cast<QWidget *>(this) : Panel);
    Image1->move(view.thumbnailTopLeft);
    // The panel stays on top of the sheet: its buttons stay reachable.
    Panel->raise();
    BitBtn1->raise();
}

// ---- the nets

void TForm4::Image5MouseDown(ImageControl *image, const Mouse &mouse)
{
    const int n = image == Image4 ? 2 : 1;
    m_down = mouse.pos;
    const die::Field f = tracedraw::fieldAt(mouse.pos.x(), mouse.pos.y());
    const TraceSheet::Press press = m_sheet.press(n, mouse.button, mouse.turnKey(), f);
    if (press.what == TraceSheet::Pressed::HideNet)
        showNet(n, false);
    else
        m_sheet.drawPress(n, f, press, image->canvas());
    m_drag = press.drag;
    image->update();
    showState();
}

void TForm4::netReleased(int net)
{
    if (m_sheet.release(net))
        netSelected();
    showState();
    m_drag = false;
}

void TForm4::Image5MouseMove(ImageControl *image, const Mouse &mouse)
{
    if (m_drag)
        dragBy(image, mouse.pos);
}

void TForm4::drawNet(int net)
{
    ImageControl *image = netImage(net);
    m_sheet.drawNet(net, image->canvas(), m_sheet.view().arrows);
    image->update();
}

void TForm4::drawNewTrace(int net)
{
    ImageControl *image = netImage(net);
    m_sheet.drawNewTrace(net, image->canvas());
    showNet(net, true);
    image->update();
}

void TForm4::drawCopy(int net, bool replay)
{
    ImageControl *copy = referenceCopy(net);
    m_sheet.drawCopy(net, copy->canvas(), replay, m_sheet.view().arrows);
    copy->update();
}

// ---- thumbnail and text boxes

void TForm4::Image1MouseDown(const Mouse &mouse)
{
    m_down = mouse.pos;
    const Qt::MouseButton button = mouse.button;
    const bool inside = net::in_net(m_down.x(), m_down.y());
    TraceSheet::View &view = m_sheet.view();
    if (!inside && (button == Qt::RightButton || button == Qt::LeftButton)) {
        // Home again, or onto the sheet area keeping Left and Top.
        view.thumbnailOnSheet = button == Qt::LeftButton;
        if (!view.thumbnailOnSheet)
            view.thumbnailTopLeft = TraceSheet::View().thumbnailTopLeft;
        placeThumbnail();
    } else if (button == Qt::LeftButton) {
        vykresli(net::square_at(m_down.x(), m_down.y()));
    }
}

void TForm4::popisMouseMove(ImageControl *control, const Mouse &mouse)
{
    if (mouse.buttons & Qt::LeftButton)
        dragBy(control, mouse.pos);
}

// ---- window background

void TForm4::mousePressEvent(QMouseEvent *event)
{
    FormMouseDown(event->button());
}

void TForm4::FormMouseDown(Qt::MouseButton button)
{
    if (button == Qt::RightButton)
        FormDblClick();
}

void TForm4::FormDblClick()
{
    showNet(m_sheet.activeNet(), true);
}

void TForm4::Image3Click(ImageControl *copy)
{
    showNet(copy == Image3 ? 1 : 2, true);
}

// ---- radio groups

void TForm4::rgsitClick()
{
    // Only a change of the net counts, as with the mode.
    if (rgsit->checkedId() + 1 == m_sheet.activeNet())
        return;
    m_sheet.selectNet(rgsit->checkedId() + 1);
    netSelected();
    showState();
}

void TForm4::rgrezimClick()
{
    const bool picture = rgrezim->checkedId() == 1;
    if (picture && m_sheet.enterPictureMode()) {
        for (int n = 1; n <= 2; ++n)
            drawCopy(n, false);
    } else if (!picture && m_sheet.mode() == TraceSheet::Mode::Picture) {
        const QString question = m_context.language.text(Text::TraceLeavePictureMode);
        if (m_context.dialogs->question(this, question)) {
            m_sheet.leavePictureMode();
            opravClick();
        }
    }
    showState();   // a declined question selects picture mode again
}

// ---- buttons

void TForm4::undoClick()
{
    if (!m_sheet.undo())
        return;
    drawNet(m_sheet.activeNet());
    tracedraw::prekresli_sipky(netImage(m_sheet.activeNet())->canvas(), m_sheet.net(m_sheet.activeNet()).history);
    showState();
}

bool TForm4::askNewTrace(int net)
{
    const QString question = m_context.language.text(Text::TraceClearNet)
            + QString::number(net) + m_context.language.text(Text::TraceClearNetEnd);
    return m_context.dialogs->question(this, question);
}

void TForm4::novaClick()
{
    const int n = m_sheet.activeNet();
    if (m_sheet.net(n).history.count > 0 && !askNewTrace(n)) {
        opravClick();
        opravvzor();
        return;
    }
    m_sheet.newTrace(n);
    drawNewTrace(n);
    showState();
}

void TForm4::OBNOVITClick()
{
    const QString question = m_context.language.text(Text::TraceRestoreQuestion);
    if (!m_context.dialogs->question(this, question))
        return;
    m_sheet.restorePicture();
    drawNet(m_sheet.activeNet());
}

void TForm4::OKClick()
{
    emit confirmed();
    m_sheet.confirm();
    close();
}

// ---- helpers

std::array<QImage, 2> TForm4::sheetNetImages() const
{
    const std::array<bool, 2> &shown = m_sheet.view().netShown;
    return {shown[0] ? Image5->image() : QImage(), shown[1] ? Image4->image() : QImage()};
}

TraceSheet::Drawn TForm4::drawn() const
{
    const TraceSheet::View &view = m_sheet.view();
    return {{sheet::Placed{Image5->image(), Image5->pos(), view.netShown[0]},
             sheet::Placed{Image4->image(), Image4->pos(), view.netShown[1]}},
            {Image1->image(), Image1->pos(), view.thumbnailOnSheet}};
}

void TForm4::controlMoved(ImageControl *image)
{
    if (image == Image1)
        m_sheet.view().thumbnailTopLeft = image->pos();
    else
        textImageChanged(image);
}

void TForm4::textImageChanged(ImageControl *image)
{
    using Image = TraceSheet::TextImage;
    if (image == popis || image == nazev)
        m_sheet.textImage(image == popis ? Image::Popis : Image::Nazev)
                = {image->image(), image->pos(), !image->isHidden()};
}

PrintedSheet TForm4::sheetFor(bool answers) const
{
    return {[this, answers](bool withTexts) {
                return m_sheet.items(withTexts, drawn(), {logo->image(), logo->pos()}, answers,
                                     m_sheet.view().arrows);
            },
            Panel->width(), answers ? QStringLiteral("stopa-reseni.pdf") : QStringLiteral("stopa.pdf")};
}

void TForm4::setCaptionTexts()
{
    // One wording for both nets, as the window first shows it.
    m_captions[0] = m_context.language.text(Text::TraceUpperCaption);
    m_captions[1] = m_context.language.text(Text::TraceLowerCaption);
}
