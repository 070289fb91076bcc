#include "shell/EditorWindows.h"

#include <QDir>

#include "canvas/CardCanvas.h"
#include "core/TextCodec.h"
#include "dialogs/AboutDialog.h"
#include "dialogs/AssociationChooser.h"
#include "dialogs/AssociationDialog.h"
#include "dialogs/AssociationPanel.h"
#include "dialogs/ButtonDialog.h"
#include "dialogs/CardSettingsDialog.h"
#include "dialogs/FrameDialog.h"
#include "dialogs/MacroViewer.h"
#include "dialogs/MarkerDialog.h"
#include "dialogs/Movie2Dialog.h"
#include "dialogs/OneLineTextDialog.h"
#include "dialogs/PictureDialog.h"
#include "dialogs/Prompts.h"
#include "dialogs/PropertyDialog.h"
#include "dialogs/SaveFolderDialog.h"
#include "dialogs/SlideDialog.h"
#include "dialogs/TextFileDialog.h"
#include "dialogs/ToolSettingsDialog.h"
#include "editors/CardLevelEditor.h"
#include "editors/FrameEditor.h"
#include "editors/OneLineTextEditor.h"
#include "editors/PictureEditor.h"
#include "editors/TextBlockEditor.h"
#include "platform/Folders.h"
#include "platform/Scheduler.h"
#include "publish/Exporter.h"
#include "shell/CardFileCommands.h"
#include "shell/CardRecovery.h"
#include "shell/DropCommands.h"
#include "shell/FeatureCommands.h"
#include "shell/HelpCommands.h"
#include "shell/MainWindow.h"
#include "shell/PasteCommands.h"
#include "shell/ScreenPictureCommands.h"
#include "shell/Switches.h"
#include "shell/ToolCommands.h"
#include "shell/UserSettingsFile.h"
#include "shell/ViewCommands.h"
#include "shell/WindowSizeCommands.h"

namespace zepo {
namespace {
constexpr int kStartupDelayMs = 1000;
}  // namespace

EditorWindows::EditorWindows(ShellServices& services) : services_(services) {
    ReadStartSettings();
    MakeDialogs();
    MakeEditors();
    main_ = std::make_unique<MainWindow>(document_, settings_, measurer_);
    // The dialogs stay windows of their own, over the main window.
    for (QDialog* dialog : dialogs_) dialog->setParent(main_.get(), dialog->windowFlags());
    MakeCommands();
    main_->Connect(*commands_, *recovery_);
    ConnectHelp();
    Begin();
}

EditorWindows::~EditorWindows() = default;

void EditorWindows::ReadStartSettings() {
    settingsFile_ = std::make_unique<UserSettingsFile>(services_.prompts, services_.user.settingsFile,
                                                       services_.programFolder / kSettingsFileName);
    const StartSettings start = settingsFile_->Load();
    settings_ = start.settings;
    const Switches switches = ParseSwitches(services_.arguments);
    settingsWrite_ = switches.writeSettings;
    startupCard_ = switches.card;
    // The folder used last, else the home folder: never the program's folder, which a user
    // cannot write to once the editor is installed.
    std::error_code ec;
    std::filesystem::path home = services_.user.home;
    if (home.empty()) home = QDir::homePath().toStdString();
    startupFolder_ = WithoutTrailingSeparator(
        !start.saveFolder.empty() && std::filesystem::is_directory(start.saveFolder, ec) ? start.saveFolder : home);
    if (switches.currentFolderAsSaveFolder) startupFolder_ = WithoutTrailingSeparator(CurrentFolder());
    if (!startupCard_.empty()) startupFolder_ = WithoutTrailingSeparator(startupCard_.parent_path());
}

void EditorWindows::MakeDialogs() {
    auto keep = [this](auto* dialog) {
        dialogs_.push_back(dialog);
        return dialog;
    };
    shared_.about = keep(new AboutDialog());
    picture_ = keep(new PictureDialog(services_.launcher));
    shared_.cardSettings = keep(new CardSettingsDialog(services_.prompts));
    shared_.frame = keep(new FrameDialog());
    oneLineText_ = keep(new OneLineTextDialog());
    textFile_ = keep(new TextFileDialog(services_.launcher));
    shared_.association = keep(new AssociationDialog(services_.launcher, services_.files));
    shared_.button = keep(new ButtonDialog());
    shared_.saveFolder = keep(new SaveFolderDialog(services_.prompts));
    shared_.marker = keep(new MarkerDialog());
    shared_.movie2 = keep(new Movie2Dialog(services_.prompts));
    shared_.slide = keep(new SlideDialog(services_.prompts));
    shared_.toolSettings = keep(new ToolSettingsDialog(services_.files));
    shared_.macroViewer = keep(new MacroViewer());
}

void EditorWindows::MakeEditors() {
    // Files are chosen in the save folder of the moment, with the tools of the tool table.
    auto saveFolder = [this] { return document_.saveFolder(); };
    auto editTools = [this] {
        auto exe = [&](Tool t) { return QString::fromStdString(SjisToUtf8(settings_.tools[int(t)].exe)); };
        return EditTools{exe(Tool::Memo), exe(Tool::Sound), settings_.useTools};
    };
    DialogRunner& runner = services_.dialogs;
    Prompts& prompts = services_.prompts;
    shared_.association->SetSaveFolderSource(saveFolder);
    shared_.association->SetEditTools(editTools);
    chooser_ = std::make_unique<AssociationChooser>(*shared_.association, runner, prompts);
    shared_.frame->SetChooser(chooser_.get());
    shared_.button->SetChooser(chooser_.get());
    oneLineText_->SetChooser(chooser_.get());
    textFile_->SetSaveFolderSource(saveFolder);
    textFile_->SetEditTools(editTools);
    picture_->SetChooser(chooser_.get());
    picture_->SetPaintTool([this] {
        return PaintTool{QString::fromStdString(SjisToUtf8(settings_.tools[int(Tool::Paint)].exe)), settings_.useTools};
    });

    cardLevel_ =
        std::make_unique<CardLevelEditor>(CardLevelEditor::Dialogs{*shared_.cardSettings, *shared_.button,
                                                                   *shared_.movie2, *shared_.marker, *shared_.slide},
                                          runner, prompts, saveFolder);
    frameEditor_ = std::make_unique<FrameEditor>(*shared_.frame, runner, prompts);
    textEditor_ = std::make_unique<OneLineTextEditor>(*oneLineText_, runner, prompts, measurer_);
    blockEditor_ = std::make_unique<TextBlockEditor>(*textFile_, runner, prompts, measurer_, saveFolder);
    pictureEditor_ = std::make_unique<PictureEditor>(
        *picture_, runner, prompts, PictureEditor::Sources{saveFolder, [this] { return settings_.auto256Color; }});
}

void EditorWindows::MakeCommands() {
    MainWindow& window = *main_;
    cardFile_ = std::make_unique<CardFileCommands>(context_, *cardLevel_, window, measurer_);
    cardFile_->SetStartupCard(startupCard_);
    paste_ = std::make_unique<PasteCommands>(document_);
    drops_ = std::make_unique<DropCommands>(context_);
    QObject::connect(&window.canvas(), &CardCanvas::filesDropped, drops_.get(), &DropCommands::DropFiles);
    paste_->SetSlotEditor(SlotKind::Frame, frameEditor_.get());
    paste_->SetSlotEditor(SlotKind::OneLineText, textEditor_.get());
    paste_->SetSlotEditor(SlotKind::TextBlock, blockEditor_.get());
    paste_->SetSlotEditor(SlotKind::Picture, pictureEditor_.get());
    view_ = std::make_unique<ViewCommands>(window.canvas(), window);
    features_ = std::make_unique<FeatureCommands>(context_, *cardLevel_);
    tools_ = std::make_unique<ToolCommands>(context_, window, settingsWrite_);
    tools_->SetSaveCommand([this] { return cardFile_->Save(); });
    tools_->SetSettingsFile(settingsFile_.get());
    exportCaches_ = std::make_unique<publish::ExportCaches>();
    tools_->SetExportCaches(exportCaches_.get());
    help_ = std::make_unique<HelpCommands>(context_);
    windowSize_ = std::make_unique<WindowSizeCommands>(window, services_.screen);
    screenPictures_ = std::make_unique<ScreenPictureCommands>(context_, window.canvas().renderer(), *view_);
    recovery_ = std::make_unique<CardRecovery>(context_, *cardFile_);
    cardFile_->SetBeforeStartup([this] {
        settingsFile_->TellStartProblem();
        return recovery_->OfferLeftCopies();
    });
    commands_ = std::make_unique<Commands>(Commands{document_, settings_, *cardFile_, *paste_, *view_, *features_,
                                                    *tools_, *help_, *windowSize_, *screenPictures_});
}

void EditorWindows::ConnectHelp() {
    // Every dialog with a help button asks for its topic through the same signal.
    for (QDialog* dialog : dialogs_)
        if (auto* property = qobject_cast<PropertyDialog*>(dialog))
            QObject::connect(property, &PropertyDialog::helpRequested, help_.get(), &HelpCommands::ShowTopic);
    // F1 shows the page of the window in front: a dialog's is its help button's topic.
    for (QDialog* dialog : dialogs_) {
        QString topic;
        if (auto* property = qobject_cast<PropertyDialog*>(dialog)) topic = property->helpTopic();
        else if (dialog == shared_.macroViewer) topic = QStringLiteral("macroviewer");
        else if (dialog == shared_.toolSettings) topic = QStringLiteral("toolsettings");
        else if (dialog == shared_.about) topic = QStringLiteral("about");
        if (!topic.isEmpty()) help_->ShowTopicOnHelpKey(*dialog, topic);
    }
    help_->ShowTopicOnHelpKey(*main_, QStringLiteral("main"));
    cardFile_->SetCardListMade([this](QWidget& list) { help_->ShowTopicOnHelpKey(list, QStringLiteral("cardlist")); });
}

void EditorWindows::Begin() {
    // A blank canvas of the screen size and a card without objects; drawn once the save
    // folder is set below.
    main_->canvas().ResetImage(services_.screen);
    Card start;
    ResetCardState(start);
    document_.Reset(std::move(start));
    document_.SetSaveFolder(startupFolder_);
    // Every later save folder (chosen, or a card's opened) is the one the next start begins in.
    QObject::connect(&document_, &CardDocument::saveFolderChanged, main_.get(),
                     [this] { settingsFile_->RememberSaveFolder(document_.saveFolder()); });
    services_.scheduler.After(kStartupDelayMs, [this] { cardFile_->RunStartupSequence(); });
    recovery_->Start();
}

}  // namespace zepo
