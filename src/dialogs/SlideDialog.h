#pragma once
// The slide dialog: the cards the player shows one after another, and the interval.

#include <filesystem>
#include <string>
#include <vector>

#include "dialogs/PropertyDialog.h"
#include "model/Card.h"

class QCheckBox;
class QListWidget;
class QPushButton;
class QSpinBox;

namespace zepo {

class FileList;
class Prompts;

class SlideDialog : public PropertyDialog {
    Q_OBJECT
public:
    SlideDialog(Prompts& prompts, QWidget* parent = nullptr);

    // Shows the settings with "設定解除" unticked and the cards of the save folder. A folder
    // that cannot be read is reported and leaves the card list empty.
    void Load(const SlideSettings& settings, const std::filesystem::path& saveFolder);
    // The settings as confirmed; the feature is on unless "設定解除" is ticked.
    SlideSettings Read() const;

    static constexpr const char* kHelpTopic = "HID00000040";

private:
    void AddSelected();
    void AddAll();
    void RemoveSelected();
    void RemoveAll();
    void SwitchOffClicked();
    // Adds an entry when there is room; false when the list is full.
    bool Append(const QString& card);
    void ShowEntries();

    Prompts& prompts_;
    // The entries as the card holds them: the list widget only shows them, so that bytes a
    // widget cannot show survive a showing unchanged.
    std::vector<std::string> entries_;
    FileList* cardList_;
    QListWidget* slideList_;
    QPushButton* addButton_;
    QPushButton* addAllButton_;
    QPushButton* removeButton_;
    QPushButton* removeAllButton_;
    QSpinBox* intervalSpin_;
    QCheckBox* switchOffBox_;
};

}  // namespace zepo
