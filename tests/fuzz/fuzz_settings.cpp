// The settings file's bytes as appsettings reads them (through QSettings,
// from a private copy). What it can use, it can also write back: the merged
// bytes read again give the change and every key that was there.
#include "appsettings.h"
#include "fuzzcheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > appsettings::maxFileSize)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const appsettings::Settings read = appsettings::parse(bytes);
    if (!read.usable)
        return 0;
    const std::optional<QByteArray> written
            = appsettings::merged(bytes, {{QStringLiteral("vystrihovanka/sit"), 7}});
    if (!written)
        return 0;
    const appsettings::Settings again = appsettings::parse(*written);
    FUZZ_CHECK(again.usable);
    FUZZ_CHECK(again.value(QStringLiteral("vystrihovanka/sit")).toInt() == 7);
    for (auto it = read.values.cbegin(); it != read.values.cend(); ++it)
        FUZZ_CHECK(again.values.contains(it.key()));
    return 0;
}
