#include "shell/MainWindow.h"

#include <QAbstractButton>
#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QSessionManager>
#include <QToolButton>
#include <QVBoxLayout>

#include "canvas/CardCanvas.h"
#include "core/TextCodec.h"
#include "platform/Settings.h"
#include "shell/CardFileCommands.h"
#include "shell/CardRecovery.h"
#include "shell/PasteCommands.h"
#include "shell/ToolCommands.h"
#include "shell/ViewCommands.h"

namespace zepo {

namespace {
const QString kCaptionPrefix = "ＺＥＰＯエディタ - ";
}  // namespace

MainWindow::MainWindow(CardDocument& document, ShellSettings& settings, TextMeasurer& measurer, QWidget* parent)
    : QMainWindow(parent), document_(document), settings_(settings) {
    setObjectName("FormZEPO");
    ShowCardName();
    BuildMenus();
    BuildButtonBar();
    canvas_ = new CardCanvas(document_, measurer, this);
    canvas_->setObjectName("ImgClient");
    BuildStatusBar();
    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(buttonBar_);
    column->addWidget(canvas_, 1);
    column->addWidget(statusBar_);
    setCentralWidget(central);
    setWindowState(Qt::WindowMaximized);
    setCursor(Qt::DragMoveCursor);

    connect(canvas_, &CardCanvas::mousePosition, this,
            [this](int x, int y) { mouseLabel_->setText(QString::asprintf("%d:%d", x, y)); });
    connect(&document_, &CardDocument::changed, this, &MainWindow::ShowCardName);
    connect(&document_, &CardDocument::changed, this, [this] { closeSettled_ = false; });
    connect(&document_, &CardDocument::modifiedChanged, this, &QWidget::setWindowModified);
    connect(&document_, &CardDocument::saveFolderChanged, this, &MainWindow::ShowSaveFolder);
}

MainWindow::~MainWindow() = default;

void MainWindow::Connect(Commands& commands, CardRecovery& recovery) {
    commands_ = &commands;
    recovery_ = &recovery;
    // A click toggles a ticked control before its command runs; whatever the command did (a
    // cancelled dialog changes nothing, 最大化 frees the size that 標準 ticks), the marks
    // show the state afterwards.
    for (auto [row, action] : items_) {
        if (row->run) connect(action, &QAction::triggered, this, [this, row = row] { row->run(*commands_); });
        connect(action, &QAction::triggered, this, &MainWindow::ShowState);
    }
    for (auto [row, button] : buttons_) {
        connect(button, &QAbstractButton::clicked, this, [this, row = row] { row->run(*commands_); });
        connect(button, &QAbstractButton::clicked, this, &MainWindow::ShowState);
    }
    connect(canvas_, &CardCanvas::slotRequested, &commands.paste, &PasteCommands::EditSlot);
    connect(&document_, &CardDocument::changed, this, &MainWindow::ShowState);
    connect(&commands.view, &ViewCommands::modeChanged, this, &MainWindow::ShowState);
    connect(&commands.tools, &ToolCommands::settingsChanged, this, &MainWindow::ShowState);
    // Logging out: the question comes while the session manager waits; without a chance to
    // ask, the copy of the card is written so that the next start offers it.
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& manager) {
        if (!document_.isModified()) return;
        if (!manager.allowsInteraction()) {
            recovery_->WriteCopy();
            return;
        }
        const bool settled = commands_->cardFile.SettleUnsavedChanges();
        manager.release();
        if (settled) closeSettled_ = true;
        else manager.cancel();
    });
    ShowState();
}

void MainWindow::SetSlotEditor(SlotKind kind, SlotEditor* editor) { commands_->paste.SetSlotEditor(kind, editor); }

bool MainWindow::settingsWriteAllowed() const { return commands_->tools.writesSettings(); }

void MainWindow::closeEvent(QCloseEvent* event) {
    if (commands_ && !closeSettled_ && !commands_->cardFile.SettleUnsavedChanges()) {
        event->ignore();
        return;
    }
    closeSettled_ = false;
    // The user chose to end: a card handed over during the question does not undo that.
    if (commands_) commands_->cardFile.DropWaitingHandOvers();
    if (recovery_) recovery_->Finish();
    event->accept();
}

void MainWindow::ShowState() {
    if (!commands_) return;
    const Commands& state = *commands_;
    for (auto [row, action] : items_) {
        if (row->ticked) action->setChecked(row->ticked(state));
        if (row->enabled) action->setEnabled(row->enabled(state));
        if (row->toolCaption) {
            const QString name =
                QString::fromStdString(SjisToUtf8(settings_.tools[static_cast<int>(*row->toolCaption)].name));
            // An optional item without a name is hidden and keeps the caption it had.
            action->setVisible(!row->hideUnnamed || !name.isEmpty());
            if (!name.isEmpty() || !row->hideUnnamed) action->setText(name);
        }
    }
    for (auto [row, button] : buttons_)
        if (row->ticked) button->setChecked(row->ticked(state));
}

void MainWindow::ShowCardName() {
    // "[*]": the platform's mark of unsaved changes goes there (setWindowModified).
    setWindowTitle(kCaptionPrefix + QString::fromStdString(SjisToUtf8(document_.card().settings.name)) + "[*]");
}

void MainWindow::ShowSaveFolder() { folderLabel_->setText(QString::fromStdString(document_.saveFolder().string())); }

}  // namespace zepo
