#pragma once
// The editor's fifteen windows, created once in a fixed order (the main window first) and
// kept for the whole run: dialogs are shown and hidden, never re-created, so each keeps
// its fields between uses.

#include <QDialog>
#include <memory>
#include <vector>

#include "shell/ShellServices.h"

namespace zepo {

class AssociationChooser;
class CardLevelEditor;
class FrameEditor;
class OneLineTextEditor;
class TextBlockEditor;
class PictureEditor;
class MainWindow;

class EditorWindows {
public:
    explicit EditorWindows(ShellServices& services);
    ~EditorWindows();

    MainWindow& main() { return *main_; }
    // Windows 2 … 15 in creation order.
    const std::vector<QDialog*>& dialogs() const { return dialogs_; }

private:
    std::unique_ptr<MainWindow> main_;
    std::vector<QDialog*> dialogs_;  // owned by the main window
    std::unique_ptr<AssociationChooser> chooser_;
    std::unique_ptr<CardLevelEditor> cardLevel_;
    std::unique_ptr<FrameEditor> frameEditor_;
    std::unique_ptr<OneLineTextEditor> textEditor_;
    std::unique_ptr<TextBlockEditor> blockEditor_;
    std::unique_ptr<PictureEditor> pictureEditor_;
};

}  // namespace zepo
