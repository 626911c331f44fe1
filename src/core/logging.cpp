#include "logging.h"

Q_LOGGING_CATEGORY(lcStart, "vemtal.start", QtWarningMsg)
Q_LOGGING_CATEGORY(lcMessages, "vemtal.messages", QtWarningMsg)
