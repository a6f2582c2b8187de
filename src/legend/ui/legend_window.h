#pragma once
// The Preview window: the legend sheet of a TYP, by day or by night at the flick of a switch.
// Thin: the sheet is drawn by the core (sheet_picture) and shown as a picture.
#include <QDialog>
#include <optional>
#include <string>

#include "legend/legend_sheet.h"
#include "typfile/typ_file.h"

class QLabel;
class QRadioButton;

namespace kestrel {

class UiPort;

namespace legend {

class LegendWindow : public QDialog {
    Q_OBJECT
  public:
    LegendWindow(Sheet sheet, std::string title, QWidget* parent = nullptr);

    // Shows the sheet by night (true) or by day.
    void showNight(bool night);

  private:
    Sheet sheet_;
    std::string title_;
    QLabel* picture_ = nullptr;
    QRadioButton* day_ = nullptr;
    QRadioButton* night_ = nullptr;
};

// Reads the TYP text, binary TYP or map's TYP at `path` and opens its Preview window (closed and
// deleted by the user). What cannot be shown is said through the port. Returns the TYP shown.
std::optional<typ::TypFile> previewTyp(const std::string& path, UiPort& ui, QWidget* parent);

} // namespace legend
} // namespace kestrel
