// The language file parser: at least 124 texts, none with a line end in it.
#include "fuzzcheck.h"
#include "langfile.h"
#include "textfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QStringList texts = langfile::parse(bytes);
    FUZZ_CHECK(texts.size() >= langfile::lineCount && texts.size() <= langfile::maxLineCount);
    for (const QString &text : texts)
        FUZZ_CHECK(!text.contains(u'\n') && !text.contains(u'\r'));
    // Lines after the 124th never change the first 124 texts.
    if (bytes.count('\n') >= langfile::lineCount) {
        const qsizetype cut = [&] {
            qsizetype at = -1;
            for (int i = 0; i < langfile::lineCount; ++i)
                at = bytes.indexOf('\n', at + 1);
            return at;
        }();
        const QByteArray head = bytes.left(cut + 1);
        if (textfile::isValidUtf8(head) == textfile::isValidUtf8(bytes))
            FUZZ_CHECK(langfile::parse(head) == texts.mid(0, langfile::lineCount));
    }
    return 0;
}
