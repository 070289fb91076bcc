#pragma once
// The second-movie dialog: a movie of the save folder shown when the card opens, in a window
// of its own or on the card at a place, magnification and frame; with a player to try it.

#include <filesystem>

#include "core/Result.h"
#include "dialogs/PropertyDialog.h"
#include "model/Card.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace zepo {

class FileList;
class MoviePlayer;
class Prompts;
class RadioGroup;

class Movie2Dialog : public PropertyDialog {
    Q_OBJECT
public:
    Movie2Dialog(Prompts& prompts, QWidget* parent = nullptr);

    // Shows the settings and the movies of the save folder, selecting the chosen movie when it
    // is listed, and opens it in the player. A folder that cannot be read is reported and
    // leaves the list empty.
    void Load(const Movie2Settings& settings, const std::filesystem::path& saveFolder);
    // The settings as confirmed. "設定解除" or no selected movie switch the feature off;
    // otherwise the selected movie (full path) is chosen and the magnification brought into
    // 20.0..1000.0. A magnification that is not a number is refused with a message.
    Result<Movie2Settings> Read() const;

    MoviePlayer& player() { return *player_; }

    static constexpr const char* kHelpTopic = "HID00000031";

private:
    void PlacementRule();
    void OpenSelected();
    void FileChosen();
    void SwitchOffClicked();
    void done(int result) override;

    Prompts& prompts_;
    std::filesystem::path folder_;
    RadioGroup* placeChoice_;
    QSpinBox* xSpin_;
    QSpinBox* ySpin_;
    RadioGroup* frameChoice_;
    QLineEdit* magnificationEdit_;
    FileList* fileList_;
    MoviePlayer* player_;
    QCheckBox* switchOffBox_;
};

// The magnification kept at OK: below 20 (or not a number at least 20) "20.0", above 1000
// "1000.0", otherwise the text as typed. Empty when the text is no number at all.
std::optional<std::string> ClampedMagnification(const std::string& text);

}  // namespace zepo
