#pragma once

#include <QString>

// Where the program finds its shared data (viewer files, language files, the
// guide): <folder of the executable>/../share/vemtal. The build tree has the
// same layout as an installed program, so both find their data alike.
namespace appdata {

QString dataDir();
// A file or folder inside the data folder ("xite/x_ite.min.js").
QString path(const QString &relative);

// The Czech guide page, the one the built-in texts name.
inline constexpr char builtinGuidePage[] = "navody.html";

// The guide page in <dataDir>/docs that the language file names (its file
// name only, such as "navody-en.html", blanks around it ignored). A name that
// is not a plain ".html" file name, or a page that is not there, gives the
// Czech page.
QString guidePage(const QString &dataDir, const QString &name);

} // namespace appdata
