#pragma once
// What every file dialog of the window starts with: room enough for its list
// beside a preview panel, and the user's home folder until a folder of that
// kind has been remembered.

#include <string>

class QFileDialog;
class QString;

namespace tarvolinde {

// programDir: the program's own folder, the settings' stand-in for "nothing
// remembered yet"; a remembered folder that has gone counts as nothing too.
void PrepareFileDialog(QFileDialog& dialog, const std::string& programDir);

// The folder a dialog of the toolkit's own starts in: `lastDir`, or home when
// nothing is remembered.
QString StartDirectory(const std::string& lastDir, const std::string& programDir);

}  // namespace tarvolinde
