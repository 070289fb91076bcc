#include "shell/HelpCommands.h"

#include <QAction>
#include <QFileInfo>

#include "core/TextCodec.h"
#include "dialogs/HelpWindow.h"
#include "dialogs/Prompts.h"
#include "platform/Launcher.h"
#include "platform/ProgramResolver.h"
#include "shell/MainWindow.h"

namespace zepo {
namespace {

std::string SjisOf(const QString& text) { return Utf8ToSjis(text.toStdString()).bytes; }

}  // namespace

HelpCommands::HelpCommands(MainWindow& window) : main_(window) {
    connect(window.mnHelpMokuji, &QAction::triggered, this, [this] { Contents(); });
    connect(window.mnHelpKensaku, &QAction::triggered, this, [this] { Index(); });
    connect(window.mnZepoXPHelp, &QAction::triggered, this, [this] { DesktopNotes(); });
    connect(window.mnZepoHelp, &QAction::triggered, this, [this] { PlayerHelp(); });
    connect(window.mnHelp1, &QAction::triggered, this, [this] { OpenHelpDocument(Tool::Help1); });
    connect(window.mnHelp2, &QAction::triggered, this, [this] { OpenHelpDocument(Tool::Help2); });
    connect(window.mnHelp3, &QAction::triggered, this, [this] { OpenHelpDocument(Tool::Help3); });
}

HelpCommands::~HelpCommands() = default;

HelpWindow* HelpCommands::window() {
    if (!help_) {
        const ShellServices& s = main_.services();
        const QString file = s.helpFile.isEmpty()
                                 ? FindHelpFile(QString::fromStdString(s.programFolder.string()))
                                 : s.helpFile;
        const QString collection = s.helpCollection.isEmpty() ? DefaultHelpCollection() : s.helpCollection;
        help_ = std::make_unique<HelpWindow>(file, collection);
    }
    return help_->ready() ? help_.get() : nullptr;
}

void HelpCommands::ReportMissingHelp() {
    const QString file = help_ ? help_->helpFile() : QString();
    main_.services().prompts.Warn(Sjis("ヘルプファイル[") + SjisOf(file) + Sjis("]が開けませんでした。"));
}

void HelpCommands::Contents() {
    if (HelpWindow* help = window()) help->ShowContents();
    else ReportMissingHelp();
}

void HelpCommands::Index() {
    if (HelpWindow* help = window()) help->ShowIndex();
    else ReportMissingHelp();
}

void HelpCommands::DesktopNotes() { ShowTopic(QStringLiteral("linux")); }

void HelpCommands::ShowTopic(const QString& id) {
    HelpWindow* help = window();
    if (!help) {
        ReportMissingHelp();
    } else if (!help->ShowTopic(id)) {
        main_.services().prompts.Warn(Sjis("ヘルプの項目[") + SjisOf(id) + Sjis("]が見つかりませんでした。"));
    }
}

void HelpCommands::PlayerHelp() {
    const QString folder = QString::fromStdString(main_.document().saveFolder().string());
    const QString zepoFolder = LocalPathOf(QStringLiteral("\\zepo"), DriveRootOf(folder));
    for (const char* name : kPlayerHelpNames) {
        const QString candidate = zepoFolder + '/' + QLatin1String(name);
        if (QFileInfo(candidate).isFile() && main_.services().launcher.OpenDocument(candidate)) return;
    }
    main_.services().prompts.Warn(Sjis("ゼポのヘルプが見つかりませんでした。\r次のフォルダに zepo.html または zepo.pdf を置いてください。\r") +
                                  SjisOf(zepoFolder));
}

void HelpCommands::OpenHelpDocument(Tool entry) {
    const std::string& stored = main_.settings().tools[int(entry)].exe;
    const QString folder = QString::fromStdString(main_.document().saveFolder().string());
    QString path = LocalPathOf(QString::fromStdString(SjisToUtf8(stored)), DriveRootOf(folder));
    if (!path.isEmpty() && QFileInfo(path).isRelative()) path = folder + '/' + path;
    if (path.isEmpty() || !main_.services().launcher.OpenDocument(path))
        main_.services().prompts.Warn(Sjis("ヘルプファイル[") + stored + Sjis("]が開けませんでした。"));
}

}  // namespace zepo
