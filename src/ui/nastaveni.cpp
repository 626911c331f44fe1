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

// The 18 x 18 pictures of the Cancel and OK buttons: round-ended strokes.
QIcon strokeIcon(QColor colour, const QList<QPolygonF> &strokes)
{
    QPixmap pixmap(18, 18);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(colour, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (const QPolygonF &stroke : strokes)
        p.drawPolyline(stroke);
    return QIcon(pixmap);
}

template<typename T>
T *place(QWidget *parent, const char *name, int left, int top, int width, int height)
{
    auto *w = new T(parent);
    w->setObjectName(QLatin1String(name));
    w->setGeometry(left, top, width, height);
    return w;
}

} // namespace

TStranka::TStranka(AppContext &context, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                      | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                      | Qt::WindowCloseButtonHint),
      m_context(context)
{
    setObjectName(QStringLiteral("TStranka"));
    setWindowTitle(QStringLiteral("Nastavení polohy a velikosti obrázku"));
    setFont(uiFont(11));
    setFixedSize(436, 341);
    buildControls();
    FormCreate();
}

void TStranka::buildControls()
{
    m_list = place<ImageControl>(this, "List", 48, 8, 300, 300);
    connect(m_list, &ImageControl::mouseDown, this, &TStranka::ListMouseDown);
    connect(m_list, &ImageControl::mouseMove, this, &TStranka::ListMouseMove);
    connect(m_list, &ImageControl::mouseUp, this, &TStranka::ListMouseUp);

    // Sized to its text, as an auto-sized label: the font here is wider.
    auto *label1 = place<QLabel>(this, "Label1", 320, 8, 77, 13);
    label1->setText(QStringLiteral("aktuální měřítko"));
    label1->resize(std::max(77, label1->sizeHint().width()), 13);
    m_label2 = place<QLabel>(this, "Label2", 336, 24, 49, 13);
    m_label2->setAlignment(Qt::AlignCenter);
    m_label2->setText(QStringLiteral("10"));
    m_edit1 = place<QLineEdit>(this, "Edit1", 344, 48, 41, 21);
    m_edit1->setText(QStringLiteral("10"));

    auto *meritko = place<QPushButton>(this, "meritko", 320, 72, 81, 25);
    meritko->setText(QStringLiteral("nové měřítko"));
    meritko->setDefault(true);
    connect(meritko, &QPushButton::clicked, this, &TStranka::meritkoClick);

    // A frame only; the two radio buttons are the window's, laid over it.
    auto *radioGroup = place<QGroupBox>(this, "RadioGroup1", 320, 104, 81, 57);
    radioGroup->setTitle(QStringLiteral("Orientace"));
    m_navys = place<QRadioButton>(this, "navys", 328, 120, 70, 17);
    m_navys->setText(QStringLiteral("na výšku"));
    m_navys->setChecked(true);
    m_nasir = place<QRadioButton>(this, "nasir", 328, 136, 70, 17);
    m_nasir->setText(QStringLiteral("na šířku"));
    // Selected by the user or by the program: the handler runs once per change.
    for (QRadioButton *button : {m_navys, m_nasir})
        connect(button, &QRadioButton::toggled, this, [this](bool checked) {
            if (checked)
                navysClick();
        });

    auto *puvodni = place<QPushButton>(this, "puvodni", 320, 168, 81, 25);
    puvodni->setText(QStringLiteral("původní"));
    puvodni->setToolTip(QStringLiteral("Obnoví počáteční nastavení"));
    connect(puvodni, &QPushButton::clicked, this, &TStranka::puvodniClick);

    auto *bitBtn1 = place<QPushButton>(this, "BitBtn1", 320, 200, 81, 25);
    // The toolkit's own caption of a cancel button, in Qt's language ("Zrušit").
    bitBtn1->setText(QCoreApplication::translate("QPlatformTheme", "Cancel"));
    bitBtn1->setIcon(strokeIcon(QColor(0xD0, 0, 0), {{{4, 4}, {14, 14}}, {{14, 4}, {4, 14}}}));
    bitBtn1->setIconSize(QSize(18, 18));
    connect(bitBtn1, &QPushButton::clicked, this, &QDialog::reject);

    m_bitBtn2 = place<QPushButton>(this, "BitBtn2", 320, 232, 81, 25);
    m_bitBtn2->setText(QStringLiteral("OK"));
    m_bitBtn2->setIcon(strokeIcon(QColor(0, 0x90, 0), {{{3, 9}, {7, 14}, {15, 4}}}));
    m_bitBtn2->setIconSize(QSize(18, 18));
    connect(m_bitBtn2, &QPushButton::clicked, this, &TStranka::BitBtn2Click);

    auto *nic = place<QPushButton>(this, "nic", 360, 280, 33, 25);
    nic->setText(QStringLiteral("nic"));
    nic->setEnabled(false);
    nic->hide();
    connect(nic, &QPushButton::clicked, this, &TStranka::nicClick);

    m_nadpis = place<QCheckBox>(this, "Nadpis", 320, 288, 97, 17);
    m_nadpis->setText(QStringLiteral("s popisem"));
    m_nadpis->setFont(uiFont(13));
    m_nadpis->setChecked(true);
    connect(m_nadpis, &QCheckBox::toggled, this, &TStranka::NadpisClick);

    auto *panel1 = place<QLabel>(this, "Panel1", 0, 320, 436, 21);
    panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel1->setLineWidth(1);
    panel1->setAlignment(Qt::AlignCenter);
    panel1->setText(QStringLiteral(
            "Obrázek přetáhněte do požadované polohy myší, velikost - zadejte \"nové měřítko\""));
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
    fillPage();
    drawOutline(m_preview.corner());
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
