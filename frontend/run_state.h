#pragma once
// How the window shows whether the machine runs: stopped, the picture carries
// a short hint on how to start it and the title says "detenido"; the play
// button shows what pressing it will do.

class QAction;
class QString;
class QWidget;

namespace tarvolinde {

class PictureView;

// The title of the main window while the machine runs or is stopped.
QString RunStateTitle(bool running);

// Brings the title, the picture's hint and the play button into line with
// `running`, and again after each change of language.
void ShowRunState(QWidget& window, PictureView& picture, QAction& play, bool running);

}  // namespace tarvolinde
