// The model loader as the main window calls it (bytes, decode, lines, load).
// What it loads, written as a tail, loads back to the same labels and
// rotations (empty entries included); relative entries end up inside the
// model's folder.
#include "faceset.h"
#include "fuzzcheck.h"
#include "model.h"
#include "textfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString folder = QStringLiteral("/modely");
    const QStringList lines = textfile::splitLines(textfile::decodeText(bytes));
    model::Loaded loaded;
    if (!model::load(lines, folder, loaded))
        return 0;

    QStringList labels;
    QStringList rotations;
    for (int slot = 0; slot < 6; ++slot) {
        const QString &label = loaded.labels[slot];
        FUZZ_CHECK(label.isEmpty() || (label.size() >= 2 && label.startsWith(u'"') && label.endsWith(u'"')));
        FUZZ_CHECK(faceset::isRotationText(loaded.rotations[slot]));
        // Relative entries were joined to the folder: every path is absolute.
        const QString path = faceset::unquoted(label);
        FUZZ_CHECK(label.isEmpty() || path.startsWith(u'/') || path.startsWith(u'\\')
                   || (path.size() >= 2 && path[1] == u':' && path[0].isLetter()));
        labels << label;
        rotations << loaded.rotations[slot];
    }

    static const QStringList head = model::builtinTemplate().mid(0, 3);
    QStringList written = head;
    written << model::tail(faceset::rotationLine(rotations), labels, QStringLiteral("]}"));
    const QByteArray file = model::fileBytes(written);
    model::Loaded again;
    FUZZ_CHECK(model::load(textfile::splitLines(textfile::decodeText(file)), folder, again));
    FUZZ_CHECK(again.labels == loaded.labels);
    FUZZ_CHECK(again.rotations == loaded.rotations);
    return 0;
}
