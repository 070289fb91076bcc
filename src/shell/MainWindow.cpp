#include "shell/MainWindow.h"

#include <QLabel>
#include <QMenu>
#include <QToolButton>
#include <QVBoxLayout>

#include "canvas/CardCanvas.h"
#include "core/TextCodec.h"
#include "dialogs/AssociationDialog.h"
#include "dialogs/FrameDialog.h"
#include "platform/Folders.h"
#include "platform/Scheduler.h"
#include "shell/CardFileCommands.h"
#include "shell/FeatureCommands.h"
#include "shell/HelpCommands.h"
#include "shell/ScreenPictureCommands.h"
#include "shell/PasteCommands.h"
#include "shell/Switches.h"
#include "shell/ToolCommands.h"
#include "shell/ViewCommands.h"
#include "shell/WindowSizeCommands.h"

namespace zepo {

namespace {
constexpr int kStartupDelayMs = 1000;
const QString kCaptionPrefix = "ＺＥＰＯエディタ - ";
}  // namespace

MainWindow::MainWindow(ShellServices& services, QWidget* parent) : QMainWindow(parent), services_(services) {
    setObjectName("FormZEPO");
    SetCaption("main");
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

    cardFile_ = std::make_unique<CardFileCommands>(*this);
    paste_ = std::make_unique<PasteCommands>(*this);
    view_ = std::make_unique<ViewCommands>(*this);
    features_ = std::make_unique<FeatureCommands>(*this);
    tools_ = std::make_unique<ToolCommands>(*this);
    help_ = std::make_unique<HelpCommands>(*this);
    windowSize_ = std::make_unique<WindowSizeCommands>(*this);
    screenPictures_ = std::make_unique<ScreenPictureCommands>(*this);

    connect(canvas, &CardCanvas::mousePosition, this,
            [this](int x, int y) { stbMouse->setText(QString::asprintf("%d:%d", x, y)); });
    connect(&document_, &CardDocument::changed, this, &MainWindow::UpdateChecks);
    connect(&document_, &CardDocument::saveFolderChanged, this, &MainWindow::ShowSaveFolder);

    FormCreate();
}

MainWindow::~MainWindow() = default;

void MainWindow::FormCreate() {
    document_.SetMacroLines({});
    // A blank canvas of the screen size and a card without objects; drawn once the save
    // folder is set below.
    canvas->ResetImage(services_.screen);
    zepo::ResetCardState(document_.card());
    settings_ = ReadSettings(ProfileFile::Load(services_.programFolder / kSettingsFileName));
    mnAuto256Color->setChecked(settings_.auto256Color);
    btnAuto256Color->setChecked(mnAuto256Color->isChecked());
    tools_->ApplyToolMenus();
    std::filesystem::path folder = WithoutTrailingSeparator(services_.programFolder);
    Switches switches = ParseSwitches(services_.arguments);
    if (switches.currentFolderAsSaveFolder) folder = WithoutTrailingSeparator(CurrentFolder());
    settingsWrite_ = switches.writeSettings;
    startupCard_ = switches.card;
    if (!startupCard_.empty()) folder = WithoutTrailingSeparator(startupCard_.parent_path());
    document_.SetSaveFolder(folder);
    services_.scheduler.After(kStartupDelayMs, [this] { cardFile_->RunStartupSequence(); });
}

void MainWindow::SaveSettings() {
    const std::filesystem::path file = services_.programFolder / kSettingsFileName;
    ProfileFile profile = ProfileFile::Load(file);
    WriteSettings(profile, settings_);
    // A failure to write is not reported: the settings stay in force until the editor ends.
    (void)profile.Save(file);
}

void MainWindow::SetSlotEditor(SlotKind kind, SlotEditor* editor) { paste_->SetSlotEditor(kind, editor); }

void MainWindow::ResetDialogs() {
    if (dialogs_.frame) dialogs_.frame->Reset();
    if (dialogs_.association) dialogs_.association->Reset();
}

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

void MainWindow::SetCaptionFromCard() { SetCaption(QString::fromStdString(SjisToUtf8(document_.card().settings.name))); }

void MainWindow::SetCaption(const QString& cardName) { setWindowTitle(kCaptionPrefix + cardName); }

void MainWindow::ShowSaveFolder() { stbFile->setText(QString::fromStdString(document_.saveFolder().string())); }

}  // namespace zepo
