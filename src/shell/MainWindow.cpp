#include "shell/MainWindow.h"

#include <QCloseEvent>
#include <QDir>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLabel>
#include <QSessionManager>
#include <QMenu>
#include <QToolButton>
#include <QVBoxLayout>

#include "canvas/CardCanvas.h"
#include "core/TextCodec.h"
#include "platform/Folders.h"
#include "platform/ProfileFile.h"
#include "platform/Scheduler.h"
#include "shell/CardFileCommands.h"
#include "shell/CardListWindow.h"
#include "shell/CardRecovery.h"
#include "shell/FeatureCommands.h"
#include "shell/HelpCommands.h"
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
const QString kCaptionPrefix = "ＺＥＰＯエディタ - ";
}  // namespace

MainWindow::MainWindow(ShellServices& services, QWidget* parent) : QMainWindow(parent), services_(services) {
    setObjectName("FormZEPO");
    ShowCardName();
    BuildMenus();
    BuildButtonBar();
    canvas = new CardCanvas(document_, measurer_, this);
    canvas->setObjectName("ImgClient");
    BuildStatusBar();
    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(pnlButtonBar);
    column->addWidget(canvas, 1);
    column->addWidget(pnlStatasBar);
    setCentralWidget(central);
    setWindowState(Qt::WindowMaximized);
    setCursor(Qt::DragMoveCursor);

    ReadStartSettings();
    MakeCommands();

    connect(canvas, &CardCanvas::mousePosition, this,
            [this](int x, int y) { stbMouse->setText(QString::asprintf("%d:%d", x, y)); });
    connect(&document_, &CardDocument::changed, this, &MainWindow::UpdateChecks);
    connect(&document_, &CardDocument::changed, this, &MainWindow::ShowCardName);
    connect(&document_, &CardDocument::changed, this, [this] { closeSettled_ = false; });
    connect(&document_, &CardDocument::modifiedChanged, this, &QWidget::setWindowModified);
    connect(&document_, &CardDocument::saveFolderChanged, this, &MainWindow::ShowSaveFolder);
    // Logging out: the question comes while the session manager waits; without a chance to
    // ask, the copy of the card is written so that the next start offers it.
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& manager) {
        if (!document_.isModified()) return;
        if (!manager.allowsInteraction()) {
            recovery_->WriteCopy();
            return;
        }
        const bool settled = cardFile_->SettleUnsavedChanges();
        manager.release();
        if (settled) closeSettled_ = true;
        else manager.cancel();
    });
    // A click on a ticked item toggles its mark before its command runs; whatever the command
    // did (a cancelled dialog changes nothing), the marks show the card afterwards.
    for (QAction* item : findChildren<QAction*>())
        if (item->isCheckable() && !item->actionGroup() && item != mnAuto256Color)
            connect(item, &QAction::triggered, this, &MainWindow::UpdateChecks);

    connect(mnCardList, &QAction::triggered, this, &MainWindow::ShowCardList);
    connect(btnCardList, &QToolButton::clicked, this, &MainWindow::ShowCardList);
    FormCreate();
}

void MainWindow::ShowCardList() {
    if (!cardList_)
        cardList_ = new CardListWindow(
            document_, services_.screen, [this](const QString& card) { cardFile_->OpenHandedOver(card); },
            ThumbnailCacheFolder(), this);
    cardList_->ShowFolder();
}

MainWindow::~MainWindow() = default;

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!closeSettled_ && !cardFile_->SettleUnsavedChanges()) {
        event->ignore();
        return;
    }
    closeSettled_ = false;
    recovery_->Finish();
    event->accept();
}

void MainWindow::ReadStartSettings() {
    userSettings_ = std::make_unique<UserSettingsFile>(services_.prompts, services_.user.settingsFile,
                                                       services_.programFolder / kSettingsFileName);
    const StartSettings start = userSettings_->Load();
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

void MainWindow::MakeCommands() {
    cardFile_ = std::make_unique<CardFileCommands>(
        context_,
        CardFileCommands::Controls{mnNew, mnOpen, mnSave, mnSavePos, mnCardMake, mnViewMacro, mnUndo, mnRedo, mnExit,
                                   btnCard, btnOpen, btnSave},
        *this, measurer_);
    cardFile_->SetStartupCard(startupCard_);

    PasteCommands::Controls paste;
    paste.slotItems[int(SlotKind::OneLineText)].assign(mnYoko.begin(), mnYoko.end());
    paste.slotItems[int(SlotKind::TextBlock)].assign(mnTextFileN.begin(), mnTextFileN.end());
    paste.slotItems[int(SlotKind::Picture)].assign(mnBitmapN.begin(), mnBitmapN.end());
    paste.slotItems[int(SlotKind::Frame)].assign(mnFrameN.begin(), mnFrameN.end());
    paste.placeButtons = {btnTxtYoko, btnTextFile, btnBitmap, btnFrame};
    paste.canvas = canvas;
    paste_ = std::make_unique<PasteCommands>(document_, paste);

    view_ = std::make_unique<ViewCommands>(
        document_, ViewCommands::Controls{btnPaint, btnMove, btnFrontBack, btnStretch, canvas, this});

    FeatureCommands::Items features;
    features.buttons = mnButton;
    features.features = {mnWave, mnCD, mnMIDI, mnAVI, mnRun};
    features.movie2 = mnAvi2;
    features.marker = mnMarker;
    features.slide = mnSlide;
    features_ = std::make_unique<FeatureCommands>(context_, features);

    ToolCommands::Controls tools;
    tools.auto256Color = mnAuto256Color;
    tools.about = mnAboutZEPO;
    tools.player = mnZEPO;
    tools.setup = mnSetup;
    tools.openFolder = mnOpenDir;
    tools.colorController = mnQVcnt;
    tools.toolSettings = mnTlOption;
    tools.auto256Button = btnAuto256Color;
    tools.playerButton = btnZepo;
    tools.memo = mnMakeText;
    tools.paint = mnMakeBitmap;
    tools.sound = mnMakeWave;
    tools.movie = mnMovieMk;
    tools.tool1 = mnTool1;
    tools.tool2 = mnTool2;
    tools.tool3 = mnTool3;
    tools.filer = mnExplorer;
    tools.mediaPlayer = mnMPlayer;
    tools.viewer = mnQV;
    tools.help1 = mnHelp1;
    tools.help2 = mnHelp2;
    tools.help3 = mnHelp3;
    tools_ = std::make_unique<ToolCommands>(context_, tools, settingsWrite_);
    tools_->SetSaveCommand([this] { return cardFile_->Save(); });
    tools_->SetSettingsFile(userSettings_.get());
    recovery_ = std::make_unique<CardRecovery>(context_, *cardFile_);
    cardFile_->SetBeforeStartup([this] {
        userSettings_->TellStartProblem();
        return recovery_->OfferLeftCopies();
    });

    help_ = std::make_unique<HelpCommands>(context_, HelpCommands::Items{mnHelpMokuji, mnHelpKensaku, mnZepoXPHelp,
                                                                         mnZepoHelp, mnHelp1, mnHelp2, mnHelp3});
    windowSize_ = std::make_unique<WindowSizeCommands>(
        *this, services_.screen,
        WindowSizeCommands::Items{mnNomalScreen, mnFullScreen, mn1024_768, mn800_600, mn640_480});
    screenPictures_ = std::make_unique<ScreenPictureCommands>(
        context_, ScreenPictureCommands::Items{mnAllBMP, mnFix, mnCaptJPG}, canvas->renderer(), *view_);
}

void MainWindow::FormCreate() {
    document_.SetMacroLines({});
    // A blank canvas of the screen size and a card without objects; drawn once the save
    // folder is set below.
    canvas->ResetImage(services_.screen);
    Card start;
    zepo::ResetCardState(start);
    document_.Reset(std::move(start));
    tools_->ApplyToolMenus();
    document_.SetSaveFolder(startupFolder_);
    // Every later save folder (chosen, or a card's opened) is the one the next start begins in.
    connect(&document_, &CardDocument::saveFolderChanged, this,
            [this] { userSettings_->RememberSaveFolder(document_.saveFolder()); });
    services_.scheduler.After(kStartupDelayMs, [this] { cardFile_->RunStartupSequence(); });
    recovery_->Start();
}

void MainWindow::SetSlotEditor(SlotKind kind, SlotEditor* editor) { paste_->SetSlotEditor(kind, editor); }

void MainWindow::UpdateChecks() {
    const Card& card = document_.card();
    auto sync = [&card](auto& items, SlotKind kind) {
        for (size_t i = 0; i < items.size(); ++i) items[i]->setChecked(card.slot(kind, int(i) + 1).inUse);
    };
    sync(mnYoko, SlotKind::OneLineText);
    sync(mnTextFileN, SlotKind::TextBlock);
    sync(mnBitmapN, SlotKind::Picture);
    sync(mnFrameN, SlotKind::Frame);
    mnText1->menuAction()->setChecked(card.parentChecked[int(SlotKind::OneLineText)]);
    mnTextFile->menuAction()->setChecked(card.parentChecked[int(SlotKind::TextBlock)]);
    mnBitmap->menuAction()->setChecked(card.parentChecked[int(SlotKind::Picture)]);
    mnFrame->menuAction()->setChecked(card.parentChecked[int(SlotKind::Frame)]);
    for (int i = 0; i < kButtonCount; ++i) mnButton[i]->setChecked(card.buttonInUse[i]);
    mnWave->setChecked(card.featureInUse[int(Feature::Wave)]);
    mnCD->setChecked(card.featureInUse[int(Feature::CdAudio)]);
    mnMIDI->setChecked(card.featureInUse[int(Feature::Midi)]);
    mnAVI->setChecked(card.featureInUse[int(Feature::Avi)]);
    mnRun->setChecked(card.featureInUse[int(Feature::Run)]);
    mnAvi2->setChecked(card.movie2.inUse);
    mnMarker->setChecked(card.marker.inUse);
    mnSlide->setChecked(card.slide.inUse);
    mnUndo->setEnabled(document_.canUndo());
    mnRedo->setEnabled(document_.canRedo());
}

void MainWindow::ShowCardName() {
    // "[*]": the platform's mark of unsaved changes goes there (setWindowModified).
    setWindowTitle(kCaptionPrefix + QString::fromStdString(SjisToUtf8(document_.card().settings.name)) + "[*]");
}

void MainWindow::ShowSaveFolder() { stbFile->setText(QString::fromStdString(document_.saveFolder().string())); }

}  // namespace zepo
