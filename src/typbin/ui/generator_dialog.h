#pragma once
// The numbered-element generator dialog ("Create " + kind name): first type or ID, count, the
// boxes of the kind, line width, output file and the live range label. The input logic lives in
// GeneratorForm; this window shows it and hands key presses, box clicks and "Create TYP" to it.
#include <QDialog>
#include <optional>
#include <string>

#include "base/uiport.h"
#include "typbin/generator_form.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace kestrel {

class GeneratorDialog : public QDialog {
    Q_OBJECT
  public:
    // Messages and the overwrite question go through `ui`; the default output file is
    // `defaultFolder` + "untitled.typ".
    GeneratorDialog(GeneratorKind kind, const std::string& defaultFolder, UiPort& ui,
                    QWidget* parent = nullptr);

    const GeneratorForm& form() const { return form_; }
    // Set once "Create TYP" was accepted; empty after "Close".
    const std::optional<GeneratorRequest>& request() const { return request_; }

  public slots:
    // "Create TYP": validation, line width, overwrite question; closes with a request.
    void createTyp();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void fieldEdited(GeneratorField field, const QString& text);
    void hexBoxToggled(GeneratorField field, bool on);
    void showRange();

    UiPort& ui_;
    GeneratorForm form_;
    std::optional<GeneratorRequest> request_;
    QLineEdit* start_;
    QLineEdit* count_;
    QCheckBox* ignoreSubtypes_;
    QCheckBox* startHex_;
    QCheckBox* countHex_;
    QComboBox* lineWidth_;
    QLineEdit* path_;
    QLabel* range_;
};

} // namespace kestrel
