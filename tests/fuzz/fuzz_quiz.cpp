// The quiz reader: whatever it accepts, the writer writes back and the
// reader reads to the same state.
#include "fuzzcheck.h"
#include "quizfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const quiz::ReadResult read = quiz::readQuiz(bytes);
    if (!read.ok())
        return 0;
    const QByteArray written = quiz::writeQuiz(read.state);
    const quiz::ReadResult again = quiz::readQuiz(written);
    FUZZ_CHECK(again.ok());
    FUZZ_CHECK(again.state == read.state);
    FUZZ_CHECK(quiz::writeQuiz(again.state) == written);
    return 0;
}
