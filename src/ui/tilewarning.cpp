#include "tilewarning.h"

#include "appcontext.h"
#include "dialogs.h"

void warnAboutTiles(AppContext &context, QWidget *window, tilecheck::Warning &warning,
                    const tilecheck::Tiles &tiles)
{
    const LanguageTexts &l = context.language;
    const tilecheck::Texts texts{
        l.text(Text::TileTurnsOne),
        l.text(Text::TileTurnsMany),
        l.text(Text::TileMirrorOne),
        l.text(Text::TileMirrorMany),
        l.text(Text::TileAlike),
    };
    const QString text = warning.take(tiles, texts);
    if (!text.isEmpty() && context.dialogs)
        context.dialogs->message(window, text);
}
