#pragma once
// The tool settings dialog: name, program and option of the ten tools, name and document of
// the three extra help entries, and whether the edit buttons use the standard tools. It
// holds a copy of the table only while shown; the caller applies what Read returns.

#include <QDialog>
#include <array>

#include "core/Result.h"
#include "platform/Settings.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QLabel;

namespace zepo {

class FileChooser;

class ToolSettingsDialog : public QDialog {
    Q_OBJECT
public:
    explicit ToolSettingsDialog(FileChooser& chooser, QWidget* parent = nullptr);

    void Load(const ShellSettings& settings);
    // Where confirmed settings are kept (`written`), or that they last only until the end.
    void ShowSettingsFile(const QString& file, bool written);
    // The settings with the fields as typed (no trimming); values the dialog does not show come
    // from the last Load. A field with a character the Shift-JIS settings file cannot hold is
    // refused with a message naming it, and its page comes to the front.
    Result<ShellSettings> Read() const;

    // The file dialog filters of the browse buttons.
    static const QString kProgramFilter;
    static const QString kHelpFilter;

    struct Row {
        QLineEdit* name = nullptr;
        QLineEdit* exe = nullptr;
        QLineEdit* option = nullptr;  // none for help entries
        QPushButton* browse = nullptr;
        QString caption;          // the group's, for messages
        QWidget* page = nullptr;  // the tab it is on
    };
    const Row& row(Tool tool) const { return rows_[static_cast<int>(tool)]; }

private:
    void Browse(Tool tool);

    QTabWidget* pages_;
    QCheckBox* useToolsBox_;
    QPushButton *okButton_, *cancelButton_;
    QLabel* settingsFileLabel_;

    FileChooser& chooser_;
    std::array<Row, kToolCount> rows_{};
    ShellSettings loaded_;
};

}  // namespace zepo
