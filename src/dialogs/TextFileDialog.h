#pragma once
// The text-file dialog: which text file of the save folder a text block shows, and where,
// in which direction, typeface, style, size, line spacing and colour.

#include <filesystem>
#include <functional>

#include "core/Result.h"
#include "dialogs/AssociationDialog.h"
#include "dialogs/PropertyDialog.h"
#include "model/Card.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace zepo {

class ColorGrid;
class FileList;
class Launcher;
class RadioGroup;

// What the dialog shows and gives back. For a vertical block x is its right edge.
struct TextBlockValues {
    std::string file;  // Shift-JIS bare name: preselected when loaded, the selection when read
    int direction = 0;
    int x = 10, y = 10;
    int typeface = 0;
    bool bold = false, italic = false;
    int height = 20;
    int linePitch = 0;
    int color = kBlack;
    bool toFront = false;  // "文字を前へ"
    bool remove = false;   // "文字を消す"
    bool operator==(const TextBlockValues&) const = default;
};

class TextFileDialog : public PropertyDialog {
    Q_OBJECT
public:
    explicit TextFileDialog(Launcher& launcher, QWidget* parent = nullptr);

    // The save folder, asked for at every activation; the edit tools, asked for at every edit.
    void SetSaveFolderSource(std::function<std::filesystem::path()> source) { saveFolder_ = std::move(source); }
    void SetSaveFolder(std::filesystem::path folder) {
        saveFolder_ = [folder = std::move(folder)] { return folder; };
    }
    void SetEditTools(std::function<EditTools()> tools) { tools_ = std::move(tools); }

    // The form's initial values; no preselected file.
    void Reset();
    // Fills the fields; `values.file` becomes the preselected file.
    void Load(const TextBlockValues& values);
    // Lists the save folder's "*.txt" files again and selects the preselected one if it is
    // there; "編集" is enabled exactly when a file is selected, OK also while "文字を消す" is
    // ticked (a block whose file is gone can still be removed).
    void Activate();
    // The fields as values, or a message naming the first field that cannot be applied: a file
    // name over 50 bytes, a position that is not a whole number, a size or line spacing out of
    // range. `file` is empty when nothing is selected. With "文字を消す" ticked nothing is checked.
    Result<TextBlockValues> Read() const;

    static constexpr const char* kHelpTopic = "HID00000028";

private:
    void SelectionChanged();
    void EditSelected();
    std::filesystem::path SaveFolder() const { return saveFolder_ ? saveFolder_() : std::filesystem::path("."); }

    Launcher& launcher_;
    std::function<std::filesystem::path()> saveFolder_;
    std::function<EditTools()> tools_;
    QString preselected_;

    FileList* fileList_;
    QPushButton* editButton_;
    QLineEdit* xEdit_;
    QLineEdit* yEdit_;
    RadioGroup* directionChoice_;
    RadioGroup* fontChoice_;
    QCheckBox* boldBox_;
    QCheckBox* italicBox_;
    QSpinBox* sizeSpin_;
    QSpinBox* lineSpacingSpin_;
    ColorGrid* colorGrid_;
    QCheckBox* bringForwardBox_;
    QCheckBox* removeBox_;
};

}  // namespace zepo
