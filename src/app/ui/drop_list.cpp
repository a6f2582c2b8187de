#include "app/ui/drop_list.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include "app/messages.h"
#include "base/ui/qt_ui_port.h"

namespace kestrel {

DropList::DropList(QWidget* parent) : QListWidget(parent) {
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DropOnly);
    setToolTip(toQt(kDropTip));
}

QStringList DropList::droppedFiles(const QMimeData* mime) {
    QStringList paths;
    if (!mime || !mime->hasUrls()) return paths;
    for (const QUrl& url : mime->urls())
        if (url.isLocalFile()) paths << url.toLocalFile();
    return paths;
}

void DropList::dragEnterEvent(QDragEnterEvent* e) {
    if (e->mimeData()->hasUrls()) e->acceptProposedAction();
}

void DropList::dragMoveEvent(QDragMoveEvent* e) {
    if (e->mimeData()->hasUrls()) e->acceptProposedAction();
}

void DropList::dropEvent(QDropEvent* e) {
    const QStringList paths = droppedFiles(e->mimeData());
    if (paths.isEmpty()) return;
    e->acceptProposedAction();
    emit filesDropped(paths);
}

} // namespace kestrel
