#include "nastaveni.h"

#include "dialogs.h"
#include "uifont.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPolygonF>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QSignalBlocker>

#include <algorithm>

namespace {

using texts::builtin;

// The Cancel and OK buttons: their 18 x 18 pictures are round-ended strokes.
QPushButton *strokeButton(QWidget *parent, const char *name, QRect geometry, const QString &caption,
                          QColor colour, const QList<QPolygonF> &strokes)
{
    QPixmap pixmap(18, 18);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(colour, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (const QPolygonF &stroke : strokes)
        p.drawPolyline(stroke);
    auto *button = makeControl<QPushButton>(parent, name, geometry, caption);
    button->setIcon(QIcon(pixmap));
    button->setIconSize(QSize(18, 18));
    return button;
}

} // namespace

TStranka::TStranka(AppContext &context, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                      | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                      | Qt::WindowCloseButtonHint),
      m_context(context)
{
    setObjectName(QStringLiteral("TStranka"));
    setWindowTitle(builtin(Text::PlacementTitle));
    setFont(uiFont(11));
    setFixedSize(436, 341);
    buildControls();
    FormCreate();
}

void TStranka::buildControls()
{
    m_list = makeControl<ImageControl>(this, "List", {48, 8, 300, 300});
    connect(m_list, &ImageControl::mouseDown, this, &TStranka::ListMouseDown);
    connect(m_list, &ImageControl::mouseMove, this, &TStranka::ListMouseMove);
    connect(m_list, &ImageControl::mouseUp, this, &TStranka::ListMouseUp);

    // Sized to its text, as an auto-sized label: the font here is wider.
    auto *label1 = makeControl<QLabel>(this, "Label1", {320, 8, 77, 13}, builtin(Text::PlacementLabel1));
    label1->resize(std::max(77, label1->sizeHint().width()), 13);
    m_label2 = makeControl<QLabel>(this, "Label2", {336, 24, 49, 13}, QStringLiteral("10"));
    m_label2->setAlignment(Qt::AlignCenter);
    m_edit1 = makeControl<QLineEdit>(this, "Edit1", {344, 48, 41, 21}, QStringLiteral("10"));

    auto *meritko = makeButton(this, "meritko", builtin(Text::PlacementMeritko), {320, 72, 81, 25});
    meritko->setDefault(true);
    connect(meritko, &QPushButton::clicked, this, &TStranka::meritkoClick);

    // A frame only; the two radio buttons are the window's, laid over it.
    makeControl<QGroupBox>(this, "RadioGroup1", {320, 104, 81, 57}, builtin(Text::PlacementOrientation));
    m_navys = makeControl<QRadioButton>(this, "navys", {328, 120, 70, 17}, builtin(Text::PlacementPortrait));
    m_navys->setChecked(true);
    m_nasir = makeControl<QRadioButton>(this, "nasir", {328, 136, 70, 17}, builtin(Text::PlacementLandscape));
    // Selected by the user or by the program: the handler runs once per change.
    for (QRadioButton *button : {m_navys, m_nasir})
        connect(button, &QRadioButton::toggled, this, [this](bool checked) {
            if (checked)
                navysClick();
        });

    auto *puvodni = makeButton(this, "puvodni", builtin(Text::PlacementPuvodni), {320, 168, 81, 25});
    puvodni->setToolTip(QStringLiteral("Obnoví počáteční nastavení"));
    connect(puvodni, &QPushButton::clicked, this, &TStranka::puvodniClick);

    // The toolkit's own caption of a cancel button, in Qt's language ("Zrušit").
    auto *bitBtn1 = strokeButton(this, "BitBtn1", {320, 200, 81, 25},
                                 QCoreApplication::translate("QPlatformTheme", "Cancel"),
                                 QColor(0xD0, 0, 0), {{{4, 4}, {14, 14}}, {{14, 4}, {4, 14}}});
    connect(bitBtn1, &QPushButton::clicked, this, &QDialog::reject);
    m_bitBtn2 = strokeButton(this, "BitBtn2", {320, 232, 81, 25}, QStringLiteral("OK"),
                             QColor(0, 0x90, 0), {{{3, 9}, {7, 14}, {15, 4}}});
    connect(m_bitBtn2, &QPushButton::clicked, this, &TStranka::BitBtn2Click);

    auto *nic = makeButton(this, "nic", QStringLiteral("nic"), {360, 280, 33, 25});
    nic->setEnabled(false);
    nic->hide();
    connect(nic, &QPushButton::clicked, this, &TStranka::nicClick);

    m_nadpis = makeControl<QCheckBox>(this, "Nadpis", {320, 288, 97, 17}, builtin(Text::PlacementNadpis));
    m_nadpis->setFont(uiFont(13));
    m_nadpis->setChecked(true);
    connect(m_nadpis, &QCheckBox::toggled, this, &TStranka::NadpisClick);

    auto *panel1 = makeControl<QLabel>(this, "Panel1", {0, 320, 436, 21}, builtin(Text::PlacementPanel));
    panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel1->setLineWidth(1);
    panel1->setAlignment(Qt::AlignCenter);
}

void TStranka::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TStranka::setPen(bool band)
{
    // The rubber band: drawn again at the same place, it erases itself.
    Canvas &c = m_list->canvas();
    c.penMode = band ? Canvas::PenMode::Invert : Canvas::PenMode::Copy;
    c.penStyle = band ? Canvas::PenStyle::Dot : Canvas::PenStyle::Solid;
    c.brushStyle = band ? Canvas::BrushStyle::Clear : Canvas::BrushStyle::Solid;
}

// The page: white with a black border over the whole control.
void TStranka::fillPage()
{
    // A control resized while the dialog is hidden gets its resize event only
    // when shown; the page is drawn at its new size at once.
    if (m_list->image().size() != m_list->size()) {
        QImage image(m_list->size(), QImage::Format_RGB32);
        image.fill(Qt::white);
        m_list->setImage(image);
    }
    setPen(false);
    m_list->canvas().rectangle(0, 0, m_list->width(), m_list->height());
    m_list->update();
}

// The outline at `corner` with the canvas's current pen and brush.
void TStranka::drawOutline(QPoint corner)
{
    const QRect r = placement::drawnOutline(corner, m_preview.outline(), m_list->size());
    if (!r.isEmpty())
        m_list->canvas().rectangle(r.left(), r.top(), r.right() + 1, r.bottom() + 1);
    m_list->update();
}

void TStranka::redraw()
{
    fillPage();
    drawOutline(m_preview.corner());
}

void TStranka::placeList()
{
    if (portrait())
        m_list->setGeometry(8, 8, placement::previewShort, placement::previewLong);
    else
        m_list->setGeometry(8, 48, placement::previewLong, placement::previewShort);
}

void TStranka::setChoices(const placement::Choices &choices)
{
    const bool turned = choices.portrait != portrait();
    m_preview.setChoices(choices);
    if (turned) {
        // Not the handler: a restored corner stays where it was saved.
        const QSignalBlocker navys(m_navys), nasir(m_nasir);
        (choices.portrait ? m_navys : m_nasir)->setChecked(true);
        placeList();
    }
    m_nadpis->setChecked(choices.withTexts);
    m_label2->setText(placement::formatNumber(choices.scale));
    if (isVisible())
        redraw();
}

void TStranka::FormCreate()
{
    m_preview.setChoices({});
    fillPage();
    m_edit1->setText(QStringLiteral("10"));
    nicClick();  // `nic` is disabled: its handler is called directly
}

void TStranka::FormShow()
{
    m_preview.show();
    redraw();
    m_edit1->setText(QStringLiteral("1"));
    m_label2->setText(placement::formatNumber(scale()));
    m_nadpis->setChecked(withTexts());
}

void TStranka::meritkoClick()
{
    const placement::ScaleReading reading = placement::readScale(m_edit1->text());
    if (reading.status == placement::ScaleReading::Status::NotANumber) {
        m_context.dialogs->error(this, text(Text::ScaleNotPositive));
        return;
    }
    m_edit1->setText(placement::formatNumber(reading.value));
    if (reading.status == placement::ScaleReading::Status::TooSmall) {
        m_context.dialogs->error(this, text(Text::ScaleTooSmall));
        return;
    }
    m_preview.setScale(reading.value);
    m_label2->setText(m_edit1->text());
    redraw();
    m_bitBtn2->setFocus();
}

void TStranka::ListMouseDown(const ImageControl::Mouse &mouse)
{
    m_preview.press(mouse.pos);
    fillPage();
    setPen(true);
    drawOutline(m_preview.band());
}

void TStranka::ListMouseMove(const ImageControl::Mouse &mouse)
{
    const QPoint band = m_preview.band();
    if (!m_preview.move(mouse.pos))
        return;
    drawOutline(band);
    drawOutline(m_preview.band());
}

void TStranka::ListMouseUp(const ImageControl::Mouse &mouse)
{
    // A release that ends no drag (the second button of a two-button press)
    // would otherwise move the outline by a stale grab offset.
    const QPoint band = m_preview.band();
    if (!m_preview.release(mouse.pos))
        return;
    drawOutline(band);
    setPen(false);
    drawOutline(m_preview.corner());
}

void TStranka::navysClick()
{
    m_preview.setPortrait(!m_nasir->isChecked());
    placeList();
    redraw();
}

void TStranka::puvodniClick()
{
    m_preview.restore();
    redraw();
    m_edit1->setText(QStringLiteral("1"));
    m_label2->setText(QStringLiteral("1"));
}

void TStranka::NadpisClick()
{
    m_preview.setWithTexts(m_nadpis->isChecked());
}

void TStranka::BitBtn2Click()
{
    if (m_context.dialogs->question(this, text(Text::UsePlacement)))
        accept();
}

void TStranka::nicClick()
{
    m_list->setGeometry(m_list->x(), m_list->y(), placement::previewShort, m_list->height());
}
