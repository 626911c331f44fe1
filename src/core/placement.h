#pragma once

#include <QLocale>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

// Arithmetic of the page placement dialog and of the printed sheet.
// Preview units are preview pixels: the portrait preview page is 210 x 300.
// Printer units are device pixels of the printable area.
namespace placement {

// What the teacher chose in the placement dialog: the scale, the outline's
// corner on the preview page (preview pixels), the orientation and whether
// the sheet is printed with its texts.
struct Choices
{
    double scale = 10;
    int left = 1;
    int top = 1;
    bool portrait = true;
    bool withTexts = true;
    bool operator==(const Choices &) const = default;
};

constexpr int sheetWidth = 440;
constexpr int sheetHeight = 600;
constexpr int previewShort = 210;  // preview page width in portrait
constexpr int previewLong = 300;   // preview page height in portrait

// Nearest integer, halves to the even neighbour. NaN gives 0; values beyond
// +-2^30 are clamped so that sums of coordinates cannot overflow.
int roundEven(double value);

// Result of reading a typed scale.
struct ScaleReading
{
    enum class Status { Ok, NotANumber, TooSmall };
    Status status = Status::NotANumber;
    double value = 0;  // the number read (also for TooSmall)
};

// Reads a scale: leading blanks, then digits with at most one "," or ".";
// blanks after any character read are skipped; reading stops at any other
// character. NotANumber when the first character is not a digit, "," or "."
// (or the digits overflow a double), TooSmall when the value is below 0.1.
ScaleReading readScale(const QString &text);

// Shortest general decimal form with the locale's decimal separator and no
// group separators: 10 -> "10", 2.5 -> "2,5" in Czech.
QString formatNumber(double value, const QLocale &locale = QLocale());

// Size of the sheet's outline at scale 1, in preview pixels.
struct UnitSize
{
    double width = 0;
    double height = 0;
};
// pageRatio = printer page width in device pixels / 442.
UnitSize unitSize(double pageRatio);
// round(unit width * scale) x round(unit height * scale).
QSize outlineSize(const UnitSize &unit, double scale);

// The preview page: 210 x 300 in portrait, 300 x 210 in landscape.
QSize previewPage(bool portrait);

// True when an outline at topLeft is (nearly) off a page of this size.
bool nearlyOffPage(QPoint topLeft, QSize outline, QSize page);

// Where and how large the sheet is printed, in printer pixels.
struct PrintPlacement
{
    double scale = 0;
    int left = 0;
    int top = 0;
};

// left, top: outline corner on the preview page; page: printable area in
// device pixels, read before the orientation is changed. The divisors are
// 210 and 300 whatever the orientation.
PrintPlacement printPlacement(QSize page, int left, int top, double scale);

// The destination rectangle of the 440 x 600 sheet on the printed page.
QRect destinationRect(const PrintPlacement &placement);

// The placement dialog without its widgets: the choices, the size of the
// sheet's outline and a drag of it, in preview pixels.
class Preview
{
public:
    const Choices &choices() const { return m_choices; }
    // Choices made earlier: the outline recomputed, a drag ended.
    void setChoices(const Choices &choices);
    QPoint corner() const { return QPoint(m_choices.left, m_choices.top); }
    QSize outline() const { return m_outline; }

    // Printer page width in device pixels / 442; values that are not
    // positive and finite are ignored.
    void setPageRatio(double ratio);
    double pageRatio() const { return m_pageRatio; }
    // A showing begins: the outline sized from the page ratio; a drag ends.
    void show();
    void setScale(double scale);
    // Scale 1 at (1, 1).
    void restore();
    // An outline (nearly) off the new page goes back to (1, 1).
    void setPortrait(bool portrait);
    void setWithTexts(bool withTexts) { m_choices.withTexts = withTexts; }

    // A press grabs the outline wherever it is; the band's corner keeps the
    // grab offset from the pointer; the release puts the outline there.
    // A move or a release without a press does nothing and returns false.
    void press(QPoint at);
    bool move(QPoint at);
    bool release(QPoint at);
    bool dragging() const { return m_dragging; }
    QPoint band() const { return m_band; }

private:
    void resize() { m_outline = outlineSize(m_unit, m_choices.scale); }

    Choices m_choices;
    double m_pageRatio = 2480.0 / 442.0;  // A4 at 300 dpi until a printer tells
    UnitSize m_unit;
    QSize m_outline{0, 0};
    bool m_dragging = false;
    QPoint m_band;
    QPoint m_grab;   // pointer minus outline corner at the press
};

// An outline at `corner` as drawn on a page of this size: edges more than a
// pixel off the page are cut there, so that a huge scale stays cheap to
// draw. Empty when nothing of it is left.
QRect drawnOutline(QPoint corner, QSize outline, QSize page);

} // namespace placement
