// What the window program keeps of its window between runs, in the user's settings.
#pragma once

class QSettings;
class QWidget;

namespace quorix::qt {

// Gives `window` the size, place and maximised state it had when last remembered; leaves it
// as it is when nothing was.
void RestoreWindowSize(const QSettings &settings, QWidget &window);
void RememberWindowSize(QSettings &settings, const QWidget &window);

} // namespace quorix::qt
