#include "nastaveni.h"

#include "dialogs.h"
#include "imagecontrol.h"
#include "uifont.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QSignalBlocker>

#include <algorithm>
#include <cmath>

namespace {

// The 18 x 18 pictures of the Cancel and OK buttons.
QIcon crossIcon()
{
    QPixmap pixmap(18, 18);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0xD0, 0, 0), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(4, 4), QPointF(14, 14));
    p.drawLine(QPointF(14, 4), QPointF(4, 14));
    return QIcon(pixmap);
}

QIcon tickIcon()
{
    QPixmap pixmap(18, 18);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 0x90, 0), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const QPointF tick[] = {QPointF(3, 9), QPointF(7, 14), QPointF(15, 4)};
    p.drawPolyline(tick, 3);
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

    m_meritko = place<QPushButton>(this, "meritko", 320, 72, 81, 25);
    m_meritko->setText(QStringLiteral("nové měřítko"));
    m_meritko->setDefault(true);
    connect(m_meritko, &QPushButton::clicked, this, &TStranka::meritkoClick);

    // A frame only; the two radio buttons are the window's, laid over it.
    m_radioGroup = place<QGroupBox>(this, "RadioGroup1", 320, 104, 81, 57);
    m_radioGroup->setTitle(QStringLiteral("Orientace"));
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

    m_puvodni = place<QPushButton>(this, "puvodni", 320, 168, 81, 25);
    m_puvodni->setText(QStringLiteral("původní"));
    m_puvodni->setToolTip(QStringLiteral("Obnoví počáteční nastavení"));
    connect(m_puvodni, &QPushButton::clicked, this, &TStranka::puvodniClick);

    m_bitBtn1 = place<QPushButton>(this, "BitBtn1", 320, 200, 81, 25);
    // The toolkit's own caption of a cancel button, in Qt's language ("Zrušit").
    m_bitBtn1->setText(QCoreApplication::translate("QPlatformTheme", "Cancel"));
    m_bitBtn1->setIcon(crossIcon());
    m_bitBtn1->setIconSize(QSize(18, 18));
    connect(m_bitBtn1, &QPushButton::clicked, this, &QDialog::reject);

    m_bitBtn2 = place<QPushButton>(this, "BitBtn2", 320, 232, 81, 25);
    m_bitBtn2->setText(QStringLiteral("OK"));
    m_bitBtn2->setIcon(tickIcon());
    m_bitBtn2->setIconSize(QSize(18, 18));
    connect(m_bitBtn2, &QPushButton::clicked, this, &TStranka::BitBtn2Click);

    m_nic = place<QPushButton>(this, "nic", 360, 280, 33, 25);
    m_nic->setText(QStringLiteral("nic"));
    m_nic->setEnabled(false);
    m_nic->hide();
    connect(m_nic, &QPushButton::clicked, this, &TStranka::nicClick);

    m_nadpis = place<QCheckBox>(this, "Nadpis", 320, 288, 97, 17);
    m_nadpis->setText(QStringLiteral("s popisem"));
    m_nadpis->setFont(uiFont(13));
    m_nadpis->setChecked(true);
    connect(m_nadpis, &QCheckBox::toggled, this, &TStranka::NadpisClick);

    m_panel1 = place<QLabel>(this, "Panel1", 0, 320, 436, 21);
    m_panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_panel1->setLineWidth(1);
    m_panel1->setAlignment(Qt::AlignCenter);
    m_panel1->setText(QStringLiteral(
            "Obrázek přetáhněte do požadované polohy myší, velikost - zadejte \"nové měřítko\""));
}

void TStranka::setPageRatio(double ratio)
{
    if (ratio > 0 && std::isfinite(ratio))
        m_pageRatio = ratio;
}

void TStranka::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
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
    Canvas &c = m_list->canvas();
    c.penMode = Canvas::PenMode::Copy;
    c.penStyle = Canvas::PenStyle::Solid;
    c.brushStyle = Canvas::BrushStyle::Solid;
    c.rectangle(0, 0, m_list->width(), m_list->height());
    m_list->update();
}

// The outline at (left, top) with the canvas's current pen and brush.
void TStranka::drawOutline(int left, int top)
{
    // Edges more than a pixel off the page are never seen: cut them there so
    // that the outline of a huge scale stays cheap to draw.
    const int l = std::max(left, -1);
    const int t = std::max(top, -1);
    const int r = int(std::min<qint64>(qint64(left) + m_outlineWidth, m_list->width() + 1));
    const int b = int(std::min<qint64>(qint64(top) + m_outlineHeight, m_list->height() + 1));
    if (r - l >= 1 && b - t >= 1)
        m_list->canvas().rectangle(l, t, r, b);
    m_list->update();
}

void TStranka::redraw()
{
    fillPage();
    drawOutline(m_choices.left, m_choices.top);
}

void TStranka::recomputeOutline()
{
    const QSize size = placement::outlineSize(m_unit, m_choices.scale);
    m_outlineWidth = size.width();
    m_outlineHeight = size.height();
}

void TStranka::FormCreate()
{
    m_choices.scale = 10;
    m_choices.left = 1;
    m_choices.top = 1;
    m_choices.portrait = true;
    fillPage();
    m_dragging = false;
    m_edit1->setText(QStringLiteral("10"));
    nicClick();  // `nic` is disabled: its handler is called directly
    m_choices.withTexts = true;
}

void TStranka::FormShow()
{
    m_unit = placement::unitSize(m_pageRatio);
    recomputeOutline();
    redraw();
    m_dragging = false;
    m_edit1->setText(QStringLiteral("1"));
    m_label2->setText(placement::formatNumber(m_choices.scale));
    m_nadpis->setChecked(m_choices.withTexts);
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
    m_choices.scale = reading.value;
    m_label2->setText(m_edit1->text());
    recomputeOutline();
    redraw();
    m_bitBtn2->setFocus();
}

void TStranka::ListMouseDown(Qt::MouseButton, Qt::MouseButtons, Qt::KeyboardModifiers, int x, int y)
{
    m_dragLeft = m_choices.left;
    m_dragTop = m_choices.top;
    m_grabX = x - m_choices.left;
    m_grabY = y - m_choices.top;
    fillPage();
    // The rubber band: drawn again at the same place, it erases itself.
    Canvas &c = m_list->canvas();
    c.penMode = Canvas::PenMode::Invert;
    c.penStyle = Canvas::PenStyle::Dot;
    c.brushStyle = Canvas::BrushStyle::Clear;
    drawOutline(m_dragLeft, m_dragTop);
    m_dragging = true;
}

void TStranka::ListMouseMove(Qt::MouseButtons, Qt::KeyboardModifiers, int x, int y)
{
    if (!m_dragging)
        return;
    drawOutline(m_dragLeft, m_dragTop);
    m_dragLeft = x - m_grabX;
    m_dragTop = y - m_grabY;
    drawOutline(m_dragLeft, m_dragTop);
}

void TStranka::ListMouseUp(Qt::MouseButton, Qt::MouseButtons, Qt::KeyboardModifiers, int x, int y)
{
    // A release that ends no drag (the second button of a two-button press)
    // would otherwise move the outline by a stale grab offset.
    if (!m_dragging)
        return;
    drawOutline(m_dragLeft, m_dragTop);
    m_dragging = false;
    Canvas &c = m_list->canvas();
    c.penMode = Canvas::PenMode::Copy;
    c.penStyle = Canvas::PenStyle::Solid;
    c.brushStyle = Canvas::BrushStyle::Solid;
    m_choices.left = x - m_grabX;
    m_choices.top = y - m_grabY;
    drawOutline(m_choices.left, m_choices.top);
}

void TStranka::placeList()
{
    if (m_choices.portrait)
        m_list->setGeometry(8, 8, placement::previewShort, placement::previewLong);
    else
        m_list->setGeometry(8, 48, placement::previewLong, placement::previewShort);
}

void TStranka::setChoices(const placement::Choices &choices)
{
    const bool turned = choices.portrait != m_choices.portrait;
    m_choices = choices;
    if (turned) {
        // Not the handler: a restored corner stays where it was saved.
        const QSignalBlocker navys(m_navys), nasir(m_nasir);
        (choices.portrait ? m_navys : m_nasir)->setChecked(true);
        placeList();
    }
    m_nadpis->setChecked(choices.withTexts);
    m_label2->setText(placement::formatNumber(choices.scale));
    recomputeOutline();
    m_dragging = false;
    if (isVisible())
        redraw();
}

void TStranka::navysClick()
{
    m_choices.portrait = !m_nasir->isChecked();
    placeList();
    fillPage();
    if (placement::nearlyOffPage(QPoint(m_choices.left, m_choices.top), outlineSize(),
                                 placement::previewPage(m_choices.portrait))) {
        m_choices.left = 1;
        m_choices.top = 1;
    }
    drawOutline(m_choices.left, m_choices.top);
}

void TStranka::puvodniClick()
{
    const QSize size = placement::outlineSize(m_unit, 1);
    m_outlineWidth = size.width();
    m_outlineHeight = size.height();
    m_choices.scale = 1;
    m_choices.left = 1;
    m_choices.top = 1;
    redraw();
    m_dragging = false;
    m_edit1->setText(QStringLiteral("1"));
    m_label2->setText(QStringLiteral("1"));
}

void TStranka::NadpisClick()
{
    m_choices.withTexts = m_nadpis->isChecked();
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
