#pragma once

#include <QString>

// Where "Zobrazit krychli" (F4) shows the cube: in the program's own web
// viewer, or, when the teacher has chosen so, in the desktop's VRML viewer,
// which is never this program itself.
namespace viewerchoice {

// The desktop entry this program installs; it opens .wrl files to load them.
inline constexpr char ownDesktopEntry[] = "vemtal.desktop";
inline constexpr char vrmlType[] = "model/vrml";

enum class Viewer {
    Web,                  // the program's web viewer
    Desktop,              // the desktop's default application for .wrl files
    WebNoDesktopViewer,   // the web viewer, after saying there is no other
};

// `defaultApplication` is the desktop's default for .wrl files (a desktop
// file id, empty when there is none).
Viewer choose(bool desktopViewerChosen, const QString &defaultApplication);

// The desktop file id that `xdg-mime query default` names for the type;
// empty when there is none or xdg-mime gives no answer in time.
QString defaultApplication(const QString &mimeType);
// The id in xdg-mime's output: one desktop file name on its line, or empty
// for anything else.
QString desktopEntryId(const QByteArray &output);

// The teacher's choice, kept between runs (false until chosen).
bool desktopViewerChosen();
void setDesktopViewerChosen(bool chosen);

} // namespace viewerchoice
