#pragma once
// The picture dialog: which picture of the save folder, where, how large, its border, its
// association, and an edit button that opens the picture in the paint tool.

#include <filesystem>
#include <functional>
#include <string>

#include "core/Result.h"
#include "dialogs/PropertyDialog.h"
#include "model/Card.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace zepo {

class AssociationChooser;
class AssociationPanel;
class FileList;
class Launcher;
class RadioGroup;

// What the dialog shows and gives back. `file` is a bare Shift-JIS name: on Load the picture
// to select when it is in the folder, from Read the selected one (empty for none).
struct PictureValues {
    int x = 10, y = 10;
    std::string file;
    long double percent = 100;  // the scale field, 100 = natural size
    int frame = 0;              // FrameColumn::PictureFrame index
    Association association;
    bool toFront = false;  // "画像を前へ"
    bool remove = false;   // "画像を消す"
};

// The program behind the edit button.
struct PaintTool {
    QString program;  // PaintTool ExeName
    bool useTools = false;
};

class PictureDialog : public PropertyDialog {
    Q_OBJECT
public:
    PictureDialog(Launcher& launcher, QWidget* parent = nullptr);

    // Position 10, 10, no picture, scale "100.0", no border, association and removal unticked.
    // "画像を前へ" is left alone.
    void Reset();

    // Lists the pictures of `saveFolder` and selects `values.file` when it is there; OK and
    // the edit button wait for a selection (OK not while "画像を消す" is ticked: removal needs
    // no file). The scale shows with one decimal.
    void Load(const PictureValues& values, const std::filesystem::path& saveFolder);
    // The fields as values, or the message naming the first field that cannot be applied (the
    // focus then goes to it): a file name over 50 bytes, a field that is not a number. With
    // "画像を消す" ticked nothing is checked.
    Result<PictureValues> Read() const;

    void SetChooser(AssociationChooser* chooser);
    void SetPaintTool(std::function<PaintTool()> tool) { paintTool_ = std::move(tool); }

    static constexpr const char* kHelpTopic = "HID00000029";

private:
    void SelectionChanged();
    void EditPictureFile();

    Launcher& launcher_;
    std::function<PaintTool()> paintTool_;
    std::filesystem::path folder_;

    QLineEdit* xEdit_;
    QLineEdit* yEdit_;
    FileList* fileList_;
    QPushButton* editButton_;
    QLineEdit* scaleEdit_;
    RadioGroup* frameChoice_;
    AssociationPanel* associationPanel_;
    QCheckBox* bringForwardBox_;
    QCheckBox* removeBox_;
};

}  // namespace zepo
