#include "shell/HelpCommands.h"

#include <QFileInfo>
#include <QKeyEvent>
#include <QWidget>

#include <functional>

#include "core/TextCodec.h"
#include "dialogs/HelpWindow.h"
#include "dialogs/Prompts.h"
#include "platform/Launcher.h"
#include "platform/ProgramResolver.h"
#include "shell/CommandContext.h"

namespace zepo {
namespace {

std::string SjisOf(const QString& text) { return Utf8ToSjis(text.toStdString()).bytes; }

}  // namespace

HelpCommands::HelpCommands(const CommandContext& context) : context_(context) {}

HelpCommands::~HelpCommands() = default;

namespace {

// Sees the key presses a window's controls leave unanswered on their way up to the window.
class HelpKey : public QObject {
public:
    HelpKey(QWidget& window, std::function<void()> show) : QObject(&window), show_(std::move(show)) {
        window.installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress || !static_cast<QKeyEvent*>(event)->matches(QKeySequence::HelpContents))
            return false;
        show_();
        return true;
    }

private:
    std::function<void()> show_;
};

}  // namespace

void HelpCommands::ShowTopicOnHelpKey(QWidget& window, const QString& topic) {
    new HelpKey(window, [this, topic] { ShowTopic(topic); });
}

HelpWindow* HelpCommands::window() {
    if (!help_) {
        const ShellServices& s = context_.services;
        const QString file =
            s.helpFile.isEmpty() ? FindHelpFile(QString::fromStdString(s.programFolder.string())) : s.helpFile;
        const QString collection = s.helpCollection.isEmpty() ? DefaultHelpCollection() : s.helpCollection;
        help_ = std::make_unique<HelpWindow>(file, collection);
    }
    return help_->ready() ? help_.get() : nullptr;
}

void HelpCommands::ReportMissingHelp() {
    const QString file = help_ ? help_->helpFile() : QString();
    context_.services.prompts.Warn(Sjis("ヘルプファイル[") + SjisOf(file) + Sjis("]が開けませんでした。"));
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
        context_.services.prompts.Warn(Sjis("ヘルプの項目[") + SjisOf(id) + Sjis("]が見つかりませんでした。"));
    }
}

void HelpCommands::PlayerHelp() {
    const QString folder = QString::fromStdString(context_.document.saveFolder().string());
    const QString zepoFolder = LocalPathOf(QStringLiteral("\\zepo"), DriveRootOf(folder));
    for (const char* name : kPlayerHelpNames) {
        const QString candidate = zepoFolder + '/' + QLatin1String(name);
        if (QFileInfo(candidate).isFile() && context_.services.launcher.OpenDocument(candidate)) return;
    }
    context_.services.prompts.Warn(
        Sjis("ゼポのヘルプが見つかりませんでした。\r次のフォルダに zepo.html または zepo.pdf を置いてください。\r") +
        SjisOf(zepoFolder));
}

void HelpCommands::OpenHelpDocument(Tool entry) {
    const std::string& stored = context_.settings.tools[int(entry)].exe;
    const QString folder = QString::fromStdString(context_.document.saveFolder().string());
    QString path = LocalPathOf(QString::fromStdString(SjisToUtf8(stored)), DriveRootOf(folder));
    if (!path.isEmpty() && QFileInfo(path).isRelative()) path = folder + '/' + path;
    if (path.isEmpty() || !context_.services.launcher.OpenDocument(path))
        context_.services.prompts.Warn(Sjis("ヘルプファイル[") + stored + Sjis("]が開けませんでした。"));
}

}  // namespace zepo
