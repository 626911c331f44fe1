// xdg-mime's answer for the default application: an accepted id is one plain
// desktop file name, reads back as itself, and the program's own entry never
// gets the preview file.
#include "fuzzcheck.h"
#include "viewerchoice.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray output(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString id = viewerchoice::desktopEntryId(output);
    using viewerchoice::Viewer;
    if (id.isEmpty()) {
        FUZZ_CHECK(viewerchoice::choose(true, id) == Viewer::WebNoDesktopViewer);
        return 0;
    }
    FUZZ_CHECK(id.endsWith(QLatin1String(".desktop")) && id.size() <= 208);
    for (const QChar c : id)
        FUZZ_CHECK(c.unicode() < 128 && (c.isLetterOrNumber() || c == u'_' || c == u'.' || c == u'+' || c == u'-'));
    FUZZ_CHECK(viewerchoice::desktopEntryId(id.toUtf8() + "\n") == id);
    const Viewer viewer = viewerchoice::choose(true, id);
    FUZZ_CHECK((viewer == Viewer::Desktop) == (id != QLatin1String(viewerchoice::ownDesktopEntry)));
    FUZZ_CHECK(viewerchoice::choose(false, id) == Viewer::Web);
    return 0;
}
