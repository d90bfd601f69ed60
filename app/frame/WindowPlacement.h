#pragma once

#include <string>

#include <QRect>
#include <QSize>

class Profile;
class QMainWindow;

// Where the main window was left, kept in the settings under the edition's sections: its
// placement (or that it was maximized) with the size of the screen it was on, and the layout of
// its toolbars and status bar.
namespace WindowPlacement {

// The placement `saved` had on a screen of `savedScreen`, scaled to `currentScreen`: the
// vertical values by the height ratio, the horizontal ones by the width ratio, rounded to the
// nearest pixel. A saved screen size that is not positive counts as the current one.
QRect Scale(const QRect& saved, const QSize& savedScreen, const QSize& currentScreen);

// Shows the window where it was last closed (maximized, or at its saved placement scaled to its
// screen), or at a default placement on the first run; damaged values give the default.
void Show(QMainWindow& window, const Profile& profile, const std::string& section);
void Save(const QMainWindow& window, Profile& profile, const std::string& section);

// The toolbars' layout and whether the status bar shows. A layout that cannot be restored leaves
// the default one.
void RestoreBars(QMainWindow& window, const Profile& profile, const std::string& key);
void SaveBars(const QMainWindow& window, Profile& profile, const std::string& key);

} // namespace WindowPlacement
