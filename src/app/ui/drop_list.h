#pragma once
// A list that takes files dropped from the desktop and hands over their local paths, in order.
#include <QListWidget>
#include <QStringList>

class QMimeData;

namespace kestrel {

class DropList : public QListWidget {
    Q_OBJECT
  public:
    explicit DropList(QWidget* parent = nullptr);

    // The local files of a drop, in order; web addresses are left out.
    static QStringList droppedFiles(const QMimeData* mime);

  signals:
    void filesDropped(const QStringList& paths);

  protected:
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dropEvent(QDropEvent* e) override;
};

} // namespace kestrel
