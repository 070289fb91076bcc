#include "shell/MainWindow.h"

#include <QButtonGroup>
#include <QLabel>
#include <QMenu>
#include <QToolButton>
#include <QVBoxLayout>

#include "shell/Switches.h"
#include "canvas/CardCanvas.h"
#include "dialogs/AssociationDialog.h"
#include "dialogs/FrameDialog.h"
#include "platform/Folders.h"
#include "dialogs/Prompts.h"
#include "platform/Scheduler.h"
#include "core/TextCodec.h"

namespace zepo {

namespace {
constexpr int kStartupDelayMs = 1000;
const QString kCaptionPrefix = "ＺＥＰＯエディタ - ";
}  // namespace

MainWindow::MainWindow(ShellServices& services, QWidget* parent) : QMainWindow(parent), services_(services) {
    setObjectName("FormZEPO");
    setWindowTitle(kCaptionPrefix + "main");
    BuildMenus();
    BuildButtonBar();
    canvas = new CardCanvas(card_, measurer_, this);
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

    connect(canvas, &CardCanvas::mousePosition, this,
            [this](int x, int y) { stbMouse->setText(QString::asprintf("%d:%d", x, y)); });
    connect(canvas, &CardCanvas::slotRequested, this, [this](int id) { EditSlot(id); });
    connect(canvas, &CardCanvas::cardEdited, this, [this] { SyncFromModel(); });

    FormCreate();
}

MainWindow::~MainWindow() = default;

void MainWindow::FormCreate() {
    macroLines_.clear();
    ResetCardState();
    settings_ = ReadSettings(ProfileFile::Load(services_.programFolder / kSettingsFileName));
    mnAuto256Color->setChecked(settings_.auto256Color);
    btnAuto256Color->setChecked(mnAuto256Color->isChecked());
    ApplyToolMenus();
    saveFolder_ = WithoutTrailingSeparator(services_.programFolder);
    Switches switches = ParseSwitches(services_.arguments);
    if (switches.currentFolderAsSaveFolder) saveFolder_ = WithoutTrailingSeparator(CurrentFolder());
    settingsWrite_ = switches.writeSettings;
    ShowSaveFolder();
    canvas->ClearCanvas();
    SyncFromModel();
    services_.scheduler.After(kStartupDelayMs, [this] { Timer1Timer(); });
}

void MainWindow::Timer1Timer() {
    if (startupDone_) return;  // the sequence runs once per process
    startupDone_ = true;
    mnSavePosClick();
    mnOpenClick();
    if (!openFileName_.isEmpty()) return;
    mnCardMakeClick();
    NameUnnamedCard();
}

void MainWindow::NameUnnamedCard() {
    // The card settings were cancelled with the name still empty.
    if (!card_.settings.name.empty()) return;
    card_.settings.name = "zepo";
    card_.settings.title = Sjis("マクロ");
    SetCaptionFromCard();
}

void MainWindow::ResetCardState() {
    canvas->ResetImage(services_.screen);
    zepo::ResetCardState(card_);
    canvas->ClearDragging();
}

void MainWindow::NewCardReset() {
    ResetCard(card_);
    ResetDialogs();
    canvas->ClearDragging();
    setWindowTitle(kCaptionPrefix + "main");
    // The mode stays as it is; a preview shows the empty card.
    canvas->ClearCanvas();
    SyncFromModel();
}

void MainWindow::ResetDialogs() {
    // The dialogs that remember choices between uses start over with a new card.
    if (dialogs_.frame) dialogs_.frame->Reset();
    if (dialogs_.association) dialogs_.association->Reset();
}

void MainWindow::ApplyToolMenus() {
    auto name = [this](Tool t) { return QString::fromStdString(SjisToUtf8(settings_.tools[int(t)].name)); };
    const std::pair<QAction*, Tool> optional[] = {{mnTool1, Tool::Exe1}, {mnTool2, Tool::Exe2}, {mnTool3, Tool::Exe3},
                                                  {mnHelp1, Tool::Help1}, {mnHelp2, Tool::Help2}, {mnHelp3, Tool::Help3}};
    for (auto [item, tool] : optional) {
        if (name(tool).isEmpty()) {
            item->setVisible(false);  // the caption stays as it was
        } else {
            item->setText(name(tool));
            item->setVisible(true);
        }
    }
    const std::pair<QAction*, Tool> fixed[] = {{mnMakeText, Tool::Memo},    {mnMakeBitmap, Tool::Paint},
                                               {mnMakeWave, Tool::Sound},   {mnMovieMk, Tool::Movie},
                                               {mnExplorer, Tool::Filer},   {mnMPlayer, Tool::MediaPlayer},
                                               {mnQV, Tool::Viewer}};
    for (auto [item, tool] : fixed) item->setText(name(tool));
}

void MainWindow::SyncFromModel() {
    auto sync = [this](auto& items, SlotKind kind) {
        for (size_t i = 0; i < items.size(); ++i) items[i]->setChecked(card_.slot(kind, int(i) + 1).inUse);
    };
    sync(mnYoko, SlotKind::OneLineText);
    sync(mnTextFileN, SlotKind::TextBlock);
    sync(mnBitmapN, SlotKind::Picture);
    sync(mnFrameN, SlotKind::Frame);
    mnText1->menuAction()->setChecked(card_.parentChecked[int(SlotKind::OneLineText)]);
    mnTextFile->menuAction()->setChecked(card_.parentChecked[int(SlotKind::TextBlock)]);
    mnBitmap->menuAction()->setChecked(card_.parentChecked[int(SlotKind::Picture)]);
    mnFrame->menuAction()->setChecked(card_.parentChecked[int(SlotKind::Frame)]);
    for (int i = 0; i < kButtonCount; ++i) mnButton[i]->setChecked(card_.buttonInUse[i]);
    mnWave->setChecked(card_.featureInUse[int(Feature::Wave)]);
    mnCD->setChecked(card_.featureInUse[int(Feature::CdAudio)]);
    mnMIDI->setChecked(card_.featureInUse[int(Feature::Midi)]);
    mnAVI->setChecked(card_.featureInUse[int(Feature::Avi)]);
    mnRun->setChecked(card_.featureInUse[int(Feature::Run)]);
    mnAvi2->setChecked(card_.movie2.inUse);
    mnMarker->setChecked(card_.marker.inUse);
    mnSlide->setChecked(card_.slide.inUse);
}

void MainWindow::SetCaptionFromCard() {
    setWindowTitle(kCaptionPrefix + QString::fromStdString(SjisToUtf8(card_.settings.name)));
}

void MainWindow::ShowSaveFolder() {
    stbFile->setText(QString::fromStdString(saveFolder_.string()));
    canvas->SetSaveFolder(saveFolder_);
}

void MainWindow::ReportFolder(const std::filesystem::path& folder) {
    services_.prompts.Warn(Utf8ToSjis(folder.string()).bytes + "\r" + Sjis("フォルダに移動できません"));
}

void MainWindow::SetMode(int mode, Qt::CursorShape cursor) {
    canvas->SetMode(static_cast<EditMode>(mode));
    setCursor(cursor);
}

void MainWindow::LeavePreview() {
    if (!preview_) return;
    preview_ = false;
    canvas->ClearCanvas();
}

void MainWindow::btnMoveClick() {
    btnMove->setChecked(true);
    SetMode(int(EditMode::Move), Qt::DragMoveCursor);
    LeavePreview();
}

void MainWindow::btnFrontBackClick() {
    btnFrontBack->setChecked(true);
    SetMode(int(EditMode::FrontBack), Qt::UpArrowCursor);
    LeavePreview();
}

void MainWindow::btnStretchClick() {
    btnStretch->setChecked(true);
    SetMode(int(EditMode::Stretch), Qt::SizeHorCursor);
    LeavePreview();
}

void MainWindow::btnPaintClick() {
    // The composed card as the player shows it: the canvas already draws every object from
    // the model, so the preview is that drawing with editing switched off.
    btnPaint->setChecked(true);
    SetMode(int(EditMode::Preview), Qt::ArrowCursor);
    preview_ = true;
    canvas->ClearCanvas();
}

void MainWindow::PlaceObject(SlotKind kind) {
    int id = card_.FreeSlot(kind);
    if (id < 0) return;  // every slot of the kind is in use
    EditSlot(id);
}

void MainWindow::EditSlot(int id) {
    SlotEditor* editor = editors_[static_cast<int>(KindOfSlot(id))];
    if (editor) editor->Edit(id);
    canvas->ClearCanvas();
    SyncFromModel();
}

void MainWindow::mnAuto256ColorClick() {
    // Bound to the menu item and to the button, which both toggle themselves when clicked:
    // the switch is toggled here once and both are set from it, so they end in step.
    bool on = !settings_.auto256Color;
    settings_.auto256Color = on;
    mnAuto256Color->setChecked(on);
    btnAuto256Color->setChecked(on);
}

void MainWindow::mnExitClick() { close(); }

}  // namespace zepo
