#pragma once

#include "tilecheck.h"

struct AppContext;
class QWidget;

// Tells the teacher, in one plain message, which face pictures cannot carry
// the sheet's task, once per set of tiles; the work goes on either way.
void warnAboutTiles(AppContext &context, QWidget *window, tilecheck::Warning &warning,
                    const tilecheck::Tiles &tiles);
