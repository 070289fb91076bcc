#pragma once
// The help menu and the dialogs' help buttons: the editor's own help window (made on first
// use), the player's help in the zepo folder of the drive root, and the three help documents
// of the tool table.

#include <QObject>
#include <QString>
#include <memory>

class QWidget;

namespace zepo {

class HelpWindow;
struct CommandContext;
enum class Tool;

class HelpCommands : public QObject {
    Q_OBJECT
public:
    explicit HelpCommands(const CommandContext& context);
    ~HelpCommands() override;

    void Contents();
    void Index();
    // The notes on using the editor on this desktop.
    void DesktopNotes();
    void PlayerHelp();
    void OpenHelpDocument(Tool entry);
    // The help window, made and registered on first use; null when the help file is missing.
    HelpWindow* window();
    // F1 (the desktop's help key) in `window` or any of its controls shows `topic`, the page of
    // that window: whichever window is in front answers.
    void ShowTopicOnHelpKey(QWidget& window, const QString& topic);

public slots:
    // A dialog's help button: its topic in the help window.
    void ShowTopic(const QString& id);

private:
    void ReportMissingHelp();

    const CommandContext& context_;
    std::unique_ptr<HelpWindow> help_;
};

// The documents looked for as the player's help, in order, inside the zepo folder.
inline constexpr const char* kPlayerHelpNames[] = {"zepo.html", "zepo.htm", "zepo.pdf", "index.html", "index.htm"};

}  // namespace zepo
