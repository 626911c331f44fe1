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

} // namespace placement
