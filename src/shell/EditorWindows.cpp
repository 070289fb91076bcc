#include "shell/EditorWindows.h"

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
#include "shell/HelpCommands.h"
#include "shell/MainWindow.h"

namespace zepo {

EditorWindows::EditorWindows(ShellServices& services) : main_(std::make_unique<MainWindow>(services)) {
    MainWindow* owner = main_.get();
    EditorDialogs attached;
    attached.about = new AboutDialog(owner);
    dialogs_.push_back(attached.about);
    auto* picture = new PictureDialog(services.launcher, owner);
    dialogs_.push_back(picture);
    attached.cardSettings = new CardSettingsDialog(services.prompts, owner);
    dialogs_.push_back(attached.cardSettings);
    attached.frame = new FrameDialog(owner);
    dialogs_.push_back(attached.frame);
    auto* oneLineText = new OneLineTextDialog(owner);
    dialogs_.push_back(oneLineText);
    auto* textFile = new TextFileDialog(services.launcher, owner);
    dialogs_.push_back(textFile);
    attached.association = new AssociationDialog(services.launcher, services.files, owner);
    dialogs_.push_back(attached.association);
    attached.button = new ButtonDialog(owner);
    dialogs_.push_back(attached.button);
    attached.saveFolder = new SaveFolderDialog(services.prompts, owner);
    dialogs_.push_back(attached.saveFolder);
    attached.marker = new MarkerDialog(owner);
    dialogs_.push_back(attached.marker);
    attached.movie2 = new Movie2Dialog(services.prompts, owner);
    dialogs_.push_back(attached.movie2);
    attached.slide = new SlideDialog(services.prompts, owner);
    dialogs_.push_back(attached.slide);
    attached.toolSettings = new ToolSettingsDialog(services.files, owner);
    dialogs_.push_back(attached.toolSettings);
    attached.macroViewer = new MacroViewer(owner);
    dialogs_.push_back(attached.macroViewer);
    cardLevel_ = std::make_unique<CardLevelEditor>(
        CardLevelEditor::Dialogs{*attached.cardSettings, *attached.button, *attached.movie2, *attached.marker,
                                 *attached.slide},
        services.dialogs, services.prompts, [owner] { return owner->document().saveFolder(); });
    attached.cardLevel = cardLevel_.get();
    main_->AttachDialogs(attached);
    // Every dialog with a help button asks for its topic through the same signal.
    for (QDialog* dialog : dialogs_)
        if (auto* property = qobject_cast<PropertyDialog*>(dialog))
            QObject::connect(property, &PropertyDialog::helpRequested, &main_->help(), &HelpCommands::ShowTopic);
    // F1 shows the page of the window in front: a dialog's is its help button's topic.
    for (QDialog* dialog : dialogs_) {
        QString topic;
        if (auto* property = qobject_cast<PropertyDialog*>(dialog)) topic = property->helpTopic();
        else if (dialog == attached.macroViewer) topic = QStringLiteral("macroviewer");
        else if (dialog == attached.toolSettings) topic = QStringLiteral("toolsettings");
        else if (dialog == attached.about) topic = QStringLiteral("about");
        if (!topic.isEmpty()) main_->help().ShowTopicOnHelpKey(*dialog, topic);
    }
    main_->help().ShowTopicOnHelpKey(*main_, QStringLiteral("main"));

    // Associations are chosen in the save folder the main window holds at that moment,
    // with the tools of its tool table.
    attached.association->SetSaveFolderSource([owner] { return owner->document().saveFolder(); });
    auto editTools = [owner] {
        const ShellSettings& s = owner->settings();
        auto exe = [&](Tool t) { return QString::fromStdString(SjisToUtf8(s.tools[static_cast<int>(t)].exe)); };
        return EditTools{exe(Tool::Memo), exe(Tool::Sound), s.useTools};
    };
    attached.association->SetEditTools(editTools);
    chooser_ = std::make_unique<AssociationChooser>(*attached.association, services.dialogs, services.prompts);
    attached.frame->SetChooser(chooser_.get());
    attached.button->SetChooser(chooser_.get());
    frameEditor_ = std::make_unique<FrameEditor>(*attached.frame, services.dialogs, services.prompts);
    main_->SetSlotEditor(SlotKind::Frame, frameEditor_.get());

    auto saveFolder = [owner] { return owner->document().saveFolder(); };
    oneLineText->SetChooser(chooser_.get());
    textEditor_ =
        std::make_unique<OneLineTextEditor>(*oneLineText, services.dialogs, services.prompts, main_->measurer());
    main_->SetSlotEditor(SlotKind::OneLineText, textEditor_.get());
    textFile->SetSaveFolderSource(saveFolder);
    textFile->SetEditTools(editTools);
    blockEditor_ =
        std::make_unique<TextBlockEditor>(*textFile, services.dialogs, services.prompts, main_->measurer(), saveFolder);
    main_->SetSlotEditor(SlotKind::TextBlock, blockEditor_.get());
    picture->SetChooser(chooser_.get());
    picture->SetPaintTool([owner] {
        const ShellSettings& s = owner->settings();
        return PaintTool{QString::fromStdString(SjisToUtf8(s.tools[static_cast<int>(Tool::Paint)].exe)), s.useTools};
    });
    pictureEditor_ = std::make_unique<PictureEditor>(
        *picture, services.dialogs, services.prompts,
        PictureEditor::Sources{saveFolder, [owner] { return owner->settings().auto256Color; }});
    main_->SetSlotEditor(SlotKind::Picture, pictureEditor_.get());
}

EditorWindows::~EditorWindows() = default;

}  // namespace zepo
