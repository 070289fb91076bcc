#pragma once
// The association dialog: what an object, a card button or a card feature does in the
// player (go to a card, play or stop a medium, start a program, call the card again).


#include <filesystem>
#include <functional>

#include "core/Result.h"
#include "model/BracedFields.h"
#include "model/Card.h"
#include "dialogs/PropertyDialog.h"

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
    enum Kind { Card = 0, Wave = 1, CdAudio = 2, Midi = 3, Movie = 4, Run = 5, This = 6 };

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

    int kind() const;

    static constexpr const char* kHelpTopic = "HID00000018";

private:
    struct MediaKind {
        QGroupBox* box;
        FileList* list;
        QCheckBox* stop;
        QPushButton* edit;
        QString* preselection;
    };
    MediaKind Media(int kind);
    QGroupBox* BoxOf(int kind) const;
    void setKind(int kind);
    // Shows the current kind's box and sets OK and the edit buttons from its controls.
    void KindSwitch();
    bool eventFilter(QObject* watched, QEvent* event) override;
    void ListSelectionChanged(int kind);
    void StopClicked(int kind);
    void EditSelected(int kind);
    void BrowseProgram();

    // The four preselections: what a list selects when it is shown.
    QString cardPreselection, wavePreselection, midiPreselection, moviePreselection;

    RadioGroup* CardKind;
    QGroupBox* MacroBox;
    FileList* Macro;
    QPushButton* btnEditZep;
    QGroupBox* WaveBox;
    FileList* Wave_;
    QCheckBox* StopWave;
    QPushButton* btnEditWav;
    QGroupBox* CDBox;
    QSpinBox* CDNo;
    QCheckBox* StopCD;
    QGroupBox* MIDIBox;
    FileList* Midi_;
    QCheckBox* StopMidi;
    QPushButton* btnEditMid;
    QGroupBox* AviBox;
    FileList* Avi;
    QCheckBox* StopAvi;
    QPushButton* btnEditAvi;
    QGroupBox* RunBox;
    QLineEdit* edtRunExe;
    QPushButton* btnOpenRunExe;
    QGroupBox* thisBox;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QPushButton* HelpBtn;

    Launcher& launcher_;
    FileChooser& chooser_;
    std::filesystem::path SaveFolder() const { return saveFolder_ ? saveFolder_() : std::filesystem::path("."); }
    std::function<std::filesystem::path()> saveFolder_;
    std::function<EditTools()> tools_;
    CardField fileField_ = CardField::AssociationFile;  // where the chosen file is written
};

}  // namespace zepo
