#pragma once
// The pictures of the editor icons and the program's own icon, drawn in code so that they scale.
#include <QIcon>
#include <QPixmap>

namespace kestrel {

// "Edit Current File": a page of text with a pencil. `active` draws it in colour, else greyed.
QPixmap editorPicture(int size, bool active);
// "Launch TDB Editor": a stack of discs (a database).
QPixmap tdbPicture(int size, bool active);
// The program's icon (from the installed picture when there is one).
QIcon programIcon();

} // namespace kestrel
