#pragma once

#include <QLoggingCategory>

// Diagnostics, off unless enabled (QT_LOGGING_RULES="vemtal.*.info=true"):
// "vemtal.start": the language file used and the files opened at start-up;
// "vemtal.messages": the text of every message, error and question box,
// before it is shown.
Q_DECLARE_LOGGING_CATEGORY(lcStart)
Q_DECLARE_LOGGING_CATEGORY(lcMessages)
