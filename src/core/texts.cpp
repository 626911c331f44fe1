#include "texts.h"

namespace texts {

namespace {

const char *const czech[] = {
    "",
#define VEMTAL_TEXT_CZECH(name, text) text,
    VEMTAL_TEXT_LINES(VEMTAL_TEXT_CZECH)
#undef VEMTAL_TEXT_CZECH
};
static_assert(std::size(czech) == lineCount + 1);

} // namespace

QString builtin(Text text)
{
    const int n = line(text);
    return n >= 1 && n <= lineCount ? QString::fromUtf8(czech[n]) : QString();
}

} // namespace texts
