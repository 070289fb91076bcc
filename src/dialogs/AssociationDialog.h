#pragma once
// The association dialog: what an object, a card button or a card feature does in the
// player (go to a card, play or stop a medium, start a program, call the card again).

#include <array>
#include <filesystem>
#include <functional>

#include "core/Result.h"
#include "dialogs/PropertyDialog.h"
#include "model/BracedFields.h"
#include "model/Card.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace zepo {

class FileChooser;
class FileList;
class Launcher;
class MessageSink;
class RadioGroup;

// The programs behind the edit buttons, from the tool table.
struct EditTools {
    QString textEditor;  // MemoTool ExeName
    QString soundTool;   // SoundTool ExeName
    bool useTools = false;
};

class AssociationDialog : public PropertyDialog {
    Q_OBJECT
public:
    AssociationDialog(Launcher& launcher, FileChooser& chooser, QWidget* parent = nullptr);

    // The save folder, asked for at every activation (the main window may change it).
    void SetSaveFolderSource(std::function<std::filesystem::path()> source) { saveFolder_ = std::move(source); }
    void SetSaveFolder(std::filesystem::path folder) {
        saveFolder_ = [folder = std::move(folder)] { return folder; };
    }
    void SetEditTools(std::function<EditTools()> tools) { tools_ = std::move(tools); }

    // Clears the preselections, the selections, the stop flags, the track and the program.
    void Reset();
    // Resets, then takes the kind and its preselection, stop flag, track or program from a
    // stored association. Refused with a message when a CD track is not a number.
    Status Load(const Association& stored);
    // Whether the kind can be chosen; a card feature keeps its kind (and its file cannot hold a
    // comma: the lists leave such files out and a program line with one is refused).
    void SetKindChoice(bool offered);
    // Runs before each showing: enters the save folder, re-reads the lists and applies the
    // kind. False (after a message) when the save folder cannot be entered.
    bool Activate(MessageSink& messages);
    // The chosen association in Shift-JIS, or the message why the card cannot hold it: a
    // program line with characters the card cannot write or read back, a name over 20 or a
    // file over 50 bytes (cut to fit, it would name a card, a file or a program that does not
    // exist).
    Result<Association> Read() const;

    // The kind chosen (a card when nothing is), and a kind's place in the "種類" choice.
    AssociationKind kind() const;
    static int ChoiceOf(AssociationKind kind);

    static constexpr const char* kHelpTopic = "HID00000018";

private:
    // A kind chosen from a file list: a card, a sound, a MIDI piece, a movie. The media
    // have a stop flag (an empty file stops them); a card has none.
    struct Medium {
        AssociationKind kind;
        QGroupBox* box;
        FileList* list;
        QCheckBox* stop;
        QPushButton* edit;
        QString preselection;  // what the list selects when it is shown
    };
    // The list kind's row of `media_`, or null for the CD, a program and this card.
    Medium* MediumOf(AssociationKind kind);
    const Medium* MediumOf(AssociationKind kind) const;
    void setKind(AssociationKind kind);
    // Shows the current kind's box and sets OK and the edit buttons from its controls.
    void KindSwitch();
    bool eventFilter(QObject* watched, QEvent* event) override;
    void ListSelectionChanged(Medium& medium);
    void StopClicked(Medium& medium);
    void EditSelected(const Medium& medium);
    void BrowseProgram();

    RadioGroup* kindChoice_;
    std::array<Medium, 4> media_;
    QGroupBox* cdBox_;
    QSpinBox* cdTrack_;
    QCheckBox* cdStop_;
    QGroupBox* programBox_;
    QLineEdit* programEdit_;
    QPushButton* programBrowse_;
    QGroupBox* thisCardBox_;
    // The boxes in the order of the kind choice.
    std::array<QGroupBox*, 7> kindBoxes_;

    Launcher& launcher_;
    FileChooser& chooser_;
    std::filesystem::path SaveFolder() const { return saveFolder_ ? saveFolder_() : std::filesystem::path("."); }
    std::function<std::filesystem::path()> saveFolder_;
    std::function<EditTools()> tools_;
    CardField fileField_ = CardField::AssociationFile;  // where the chosen file is written
};

}  // namespace zepo
