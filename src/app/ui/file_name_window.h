#pragma once
// The file-name window of "Create TYP file": the TYP text's path, checked before it is taken.
#include <QDialog>
#include <string>

class QLineEdit;

namespace kestrel {

class UiPort;

class FileNameWindow : public QDialog {
    Q_OBJECT
  public:
    FileNameWindow(const std::string& typfile, UiPort& ui, QWidget* parent = nullptr);

    std::string fileName() const;
    void setFileName(const std::string& path);

  public slots:
    // "Create TYP": closes reporting "create" when the name ends in ".txt" and may be replaced.
    void create();

  private:
    UiPort& ui_;
    QLineEdit* name_;
};

} // namespace kestrel
