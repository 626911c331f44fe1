#include "tilewarning.h"

#include "appcontext.h"
#include "dialogs.h"

void warnAboutTiles(AppContext &context, QWidget *window, tilecheck::Warning &warning,
                    const tilecheck::Tiles &tiles)
{
    const LanguageTexts &l = context.language;
    const tilecheck::Texts texts{
        l.text(145, QStringLiteral("Stěna %1 vypadá po otočení stejně: nepůjde poznat, jak je otočená.")),
        l.text(146, QStringLiteral("Stěny %1 vypadají po otočení stejně: nepůjde poznat, jak jsou otočené.")),
        l.text(147, QStringLiteral("Stěna %1 vypadá v zrcadle stejně: na otiscích nepůjde poznat zrcadlení.")),
        l.text(148, QStringLiteral("Stěny %1 vypadají v zrcadle stejně: na otiscích nepůjde poznat zrcadlení.")),
        l.text(149, QStringLiteral("Stěny %1 vypadají stejně: nepůjde poznat, která je která.")),
    };
    const QString text = warning.take(tiles, texts);
    if (!text.isEmpty() && context.dialogs)
        context.dialogs->message(window, text);
}
