#include "placement.h"

#include <algorithm>
#include <cmath>

namespace placement {

namespace {
constexpr double coordinateLimit = 1 << 30;

bool isBlank(QChar c) { return c == QLatin1Char(' '); }
bool isSeparator(QChar c) { return c == QLatin1Char(',') || c == QLatin1Char('.'); }
bool isDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }
} // namespace

int roundEven(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= coordinateLimit)
        return int(coordinateLimit);
    if (value <= -coordinateLimit)
        return -int(coordinateLimit);
    // Explicit, so that the result does not depend on the FPU rounding mode.
    double whole = std::floor(value);
    const double rest = value - whole;
    if (rest > 0.5 || (rest == 0.5 && std::fmod(whole, 2.0) != 0.0))
        whole += 1.0;
    return int(whole);
}

ScaleReading readScale(const QString &text)
{
    ScaleReading result;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && isBlank(text.at(i)))
        ++i;
    if (i == n || !(isDigit(text.at(i)) || isSeparator(text.at(i))))
        return result;

    double digits = 0;
    int fractionDigits = 0;
    bool separator = false;
    while (i < n) {
        const QChar c = text.at(i);
        if (isDigit(c)) {
            digits = digits * 10 + c.digitValue();
            if (separator)
                ++fractionDigits;
        } else if (isSeparator(c) && !separator) {
            separator = true;
        } else {
            break;
        }
        ++i;
        while (i < n && isBlank(text.at(i)))
            ++i;
    }
    const double value = digits / std::pow(10.0, fractionDigits);
    if (!std::isfinite(value))
        return result;  // too many digits: not a usable number
    result.value = value;
    result.status = value < 0.1 ? ScaleReading::Status::TooSmall : ScaleReading::Status::Ok;
    return result;
}

QString formatNumber(double value, const QLocale &locale)
{
    QLocale plain = locale;
    plain.setNumberOptions(plain.numberOptions() | QLocale::OmitGroupSeparator);
    return plain.toString(value, 'g', QLocale::FloatingPointShortest);
}

UnitSize unitSize(double pageRatio)
{
    UnitSize unit;
    unit.width = 210.0 / pageRatio;
    unit.height = unit.width * 30.0 / 21.0;
    return unit;
}

QSize outlineSize(const UnitSize &unit, double scale)
{
    return QSize(roundEven(unit.width * scale), roundEven(unit.height * scale));
}

QSize previewPage(bool portrait)
{
    return portrait ? QSize(previewShort, previewLong) : QSize(previewLong, previewShort);
}

bool nearlyOffPage(QPoint topLeft, QSize outline, QSize page)
{
    return topLeft.x() > page.width() - 10 || topLeft.y() > page.height() - 10
            || topLeft.x() + outline.width() < -10 || topLeft.y() + outline.height() < -10;
}

PrintPlacement printPlacement(QSize page, int left, int top, double scale)
{
    PrintPlacement p;
    p.scale = scale;
    // Integer products (64-bit, so that no page size can overflow them),
    // divided in floating point.
    p.left = roundEven(double(qint64(page.width()) * left) / previewShort);
    p.top = roundEven(double(qint64(page.height()) * top) / previewLong);
    return p;
}

QRect destinationRect(const PrintPlacement &p)
{
    return QRect(p.left, p.top, roundEven(sheetWidth * p.scale), roundEven(sheetHeight * p.scale));
}

QRect drawnOutline(QPoint corner, QSize outline, QSize page)
{
    const int l = std::max(corner.x(), -1);
    const int t = std::max(corner.y(), -1);
    const int r = int(std::min<qint64>(qint64(corner.x()) + outline.width(), page.width() + 1));
    const int b = int(std::min<qint64>(qint64(corner.y()) + outline.height(), page.height() + 1));
    return r - l >= 1 && b - t >= 1 ? QRect(l, t, r - l, b - t) : QRect();
}

void Preview::setChoices(const Choices &choices)
{
    m_choices = choices;
    resize();
    m_dragging = false;
}

void Preview::setPageRatio(double ratio)
{
    if (ratio > 0 && std::isfinite(ratio))
        m_pageRatio = ratio;
}

void Preview::show()
{
    m_unit = unitSize(m_pageRatio);
    resize();
    m_dragging = false;
}

void Preview::setScale(double scale)
{
    m_choices.scale = scale;
    resize();
}

void Preview::restore()
{
    m_choices.scale = 1;
    m_choices.left = 1;
    m_choices.top = 1;
    resize();
    m_dragging = false;
}

void Preview::setPortrait(bool portrait)
{
    m_choices.portrait = portrait;
    if (nearlyOffPage(corner(), m_outline, previewPage(portrait)))
        m_choices.left = m_choices.top = 1;
}

void Preview::press(QPoint at)
{
    m_band = corner();
    m_grab = at - corner();
    m_dragging = true;
}

bool Preview::move(QPoint at)
{
    if (m_dragging)
        m_band = at - m_grab;
    return m_dragging;
}

bool Preview::release(QPoint at)
{
    if (!m_dragging)
        return false;
    m_dragging = false;
    m_choices.left = at.x() - m_grab.x();
    m_choices.top = at.y() - m_grab.y();
    return true;
}

} // namespace placement
