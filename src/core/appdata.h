#pragma once

#include <QString>

// Where the program finds its shared data (viewer files, language files, the
// guide): <folder of the executable>/../share/vemtal. The build tree has the
// same layout as an installed program, so both find their data alike.
namespace appdata {

QString dataDir();
// A file or folder inside the data folder ("xite/x_ite.min.js").
QString path(const QString &relative);

} // namespace appdata
