#pragma once
// Pictures of the program's windows for the documentation: the main window as it stands, the
// settings window and the file-name window, saved as PNG files.
#include <QString>

namespace kestrel {

class MainWindow;
class QtUiPort;
struct Settings;

// Saves "main.png", "settings.png" and "filename.png" into the folder. False when one could not
// be written.
bool saveScreenshots(MainWindow& window, Settings& settings, QtUiPort& ui, const QString& folder);

} // namespace kestrel
