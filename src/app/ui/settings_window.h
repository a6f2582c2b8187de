#pragma once
// "All Settings": editor paths, style modes, colour slots, POI widths and two options, on four
// pages. "Apply" takes the fields over (and stays open while a width is out of range); "Cancel"
// takes nothing, except colour slots already changed through their swatches.
#include <QDialog>
#include <array>
#include <string>

#include "app/settings.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QStackedWidget;

namespace kestrel {

class UiPort;
struct SettingsForm;

class SettingsWindow : public QDialog {
    Q_OBJECT
  public:
    enum Page { Colours, Advanced, Software, Elements };

    SettingsWindow(Settings& settings, UiPort& ui, QWidget* parent = nullptr);

    void showPage(Page page);
    // The browse buttons' second half: takes a chosen file when it passes the rules.
    void takeTdbEditor(const std::string& chosen);
    void takeTinker(const std::string& chosen);
    // Repaints the swatch from its slot.
    void paintSwatch(int slot);

  public slots:
    void apply();

  private:
    QWidget* coloursPage();
    QWidget* advancedPage();
    QWidget* softwarePage();
    QWidget* elementsPage();
    QWidget* pathRow(const QString& label, QLineEdit*& field, const char* name,
                     void (SettingsWindow::*browse)());
    void browseTdbEditor();
    void browseTinker();
    void editSlot(int slot);
    SettingsForm form() const;

    Settings& settings_;
    UiPort& ui_;
    std::array<QPushButton*, 4> tabs_{};
    QStackedWidget* pages_;
    std::array<QPushButton*, 4> swatches_{};
    QCheckBox* include4b4a_ = nullptr;
    QCheckBox* variousIcons_ = nullptr;
    QLineEdit* poiWidth_ = nullptr;
    QLineEdit* cityPoiWidth_ = nullptr;
    QLineEdit* tdbEditor_ = nullptr;
    QLineEdit* tinker_ = nullptr;
    std::array<QCheckBox*, 3> typeOnBmp_{};
    std::array<QCheckBox*, 3> colorPicker_{};
};

} // namespace kestrel
