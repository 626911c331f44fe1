// The scale text of the placement dialog: an accepted value is finite and
// at least 0.1, and the number shown for it reads back to the same value.
#include "fuzzcheck.h"
#include "placement.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const placement::ScaleReading reading = placement::readScale(text);
    using Status = placement::ScaleReading::Status;
    if (reading.status == Status::NotANumber)
        return 0;
    FUZZ_CHECK(std::isfinite(reading.value) && reading.value >= 0);
    if (reading.status == Status::TooSmall) {
        FUZZ_CHECK(reading.value < 0.1);
        return 0;
    }
    FUZZ_CHECK(reading.value >= 0.1);
    static const QLocale czech(QLocale::Czech);
    const QString shown = placement::formatNumber(reading.value, czech);
    // Exponent forms ("1E+23") are not scale texts.
    if (!shown.contains(u'e', Qt::CaseInsensitive)) {
        const placement::ScaleReading again = placement::readScale(shown);
        FUZZ_CHECK(again.status == Status::Ok);
        FUZZ_CHECK(std::fabs(again.value - reading.value) <= 1e-12 * reading.value);
    }
    return 0;
}
