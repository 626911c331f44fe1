// The trace reader: an accepted file is written back and read to the same
// grid and history; writing is stable from then on.
#include "fuzzcheck.h"
#include "tracefile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QString error;
    const auto read = tracefile::read(bytes, &error);
    if (!read) {
        FUZZ_CHECK(!error.isEmpty());
        return 0;
    }
    FUZZ_CHECK(read->history.count >= 0 && read->history.count <= trace::maxMoves);
    const QByteArray written = tracefile::write(read->picture, read->history);
    const auto again = tracefile::read(written);
    FUZZ_CHECK(again.has_value());
    FUZZ_CHECK(again->picture == read->picture);
    FUZZ_CHECK(again->history == read->history);
    FUZZ_CHECK(tracefile::write(again->picture, again->history) == written);
    return 0;
}
