// The lesson reader: any input is refused or read whole; a lesson read is
// written again and reads back to the same file, so nothing it holds is
// lost or changed on the way.
#include "fuzzcheck.h"
#include "lesson.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const lesson::ReadResult read = lesson::read(bytes);
    if (!read.ok()) {
        FUZZ_CHECK(!read.lesson.quiz && !read.lesson.trace);
        return 0;
    }
    const QByteArray written = lesson::write(read.lesson);
    FUZZ_CHECK(!written.isEmpty());
    const lesson::ReadResult again = lesson::read(written);
    FUZZ_CHECK(again.ok());
    FUZZ_CHECK(again.lesson.faces == read.lesson.faces);
    FUZZ_CHECK(again.lesson.placement == read.lesson.placement);
    FUZZ_CHECK(lesson::write(again.lesson) == written);
    return 0;
}
