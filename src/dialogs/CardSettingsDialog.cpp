#include "dialogs/CardSettingsDialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/TextCodec.h"
#include "dialogs/ColorGrid.h"
#include "dialogs/Named.h"
#include "dialogs/RadioGroup.h"
#include "dialogs/SjisLimit.h"
#include "model/BracedFields.h"
#include "model/Environment.h"
#include "platform/Folders.h"

namespace zepo {
namespace {

QGroupBox* Framed(const QString& title, QWidget* content, QWidget* parent) {
    auto* box = new QGroupBox(title, parent);
    auto* l = new QVBoxLayout(box);
    l->addWidget(content);
    return box;
}

QString Shown(const std::string& sjis) { return QString::fromStdString(SjisToUtf8(sjis)); }

}  // namespace

CardSettingsDialog::CardSettingsDialog(MessageSink& messages, QWidget* parent)
    : PropertyDialog(parent), messages_(messages) {
    setWindowTitle("カードの基本設定");
    nameEdit_ = Named(new QLineEdit(this), "edtCardName");
    titleEdit_ = Named(new QLineEdit(this), "edtCardTitle");
    LimitSjisBytes(nameEdit_, kCardNameMaxBytes);
    LimitSjisBytes(titleEdit_, kCardTitleMaxBytes);
    colorGrid_ = Named(new ColorGrid(this), "CardColor");
    const QStringList choices{"指定しない", "する", "しない"};
    editModeChoice_ = Named(new RadioGroup("編集モード", choices, this), "rdoEditMode");
    cursorModeChoice_ = Named(new RadioGroup("指カーソル", choices, this), "rdoCursorMode");
    QHBoxLayout* buttonRow = MakeButtonRow(kHelpTopic);
    okButton_->setToolTip("はい");
    cancelButton_->setToolTip("いいえ");

    auto* fields = new QGridLayout;
    fields->addWidget(Framed("カード名", nameEdit_, this), 0, 0);
    fields->addWidget(Framed("タイトル", titleEdit_, this), 1, 0);
    fields->addWidget(Framed("カード全体の色", colorGrid_, this), 0, 1, 2, 1);
    fields->addWidget(editModeChoice_, 2, 0);
    fields->addWidget(cursorModeChoice_, 2, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttonRow);

    connect(nameEdit_, &QLineEdit::textChanged, this, [this] { NameChanged(); });
    TabInReadingOrder({nameEdit_, titleEdit_, colorGrid_, editModeChoice_, cursorModeChoice_});

    // The form's own values before the first reset: edit mode "しない".
    Load(Card().settings);
}

void CardSettingsDialog::Load(const CardSettings& settings) {
    nameEdit_->setText(Shown(settings.name));
    titleEdit_->setText(Shown(settings.title));
    colorGrid_->setForegroundIndex(settings.color);
    editModeChoice_->setItemIndex(settings.editMode);
    cursorModeChoice_->setItemIndex(settings.fingerCursor);
    NameChanged();
    // Every showing starts where the user types: the card's name.
    nameEdit_->setFocus();
}

CardSettings CardSettingsDialog::Read() const {
    CardSettings s;
    s.name = Utf8ToSjis(nameEdit_->text().toStdString()).bytes;
    s.title = Utf8ToSjis(titleEdit_->text().toStdString()).bytes;
    s.color = colorGrid_->foregroundIndex();
    s.editMode = editModeChoice_->itemIndex();
    s.fingerCursor = cursorModeChoice_->itemIndex();
    return s;
}

void CardSettingsDialog::NameChanged() { okButton_->setEnabled(!nameEdit_->text().isEmpty()); }

void CardSettingsDialog::accept() {
    if (nameEdit_->text().isEmpty()) return;
    // A card's texts are Shift-JIS: a character without a Shift-JIS code would be lost on
    // the way into the card and its file name, so the dialog stays open instead. So would a
    // comma or a brace in the title, and in the name, which every association to the card holds.
    for (auto [edit, field] : {std::pair{nameEdit_, CardField::CardName}, std::pair{titleEdit_, CardField::Title}}) {
        const std::string typed = edit->text().toStdString();
        if (!UnwritableCharacterNames(typed, UnreadableCharacters(field)).empty()) {
            messages_.Warn(UnwritableCharactersMessage(typed, UnreadableCharacters(field)));
            edit->setFocus();
            return;
        }
    }
    // The name is the stem of the card's file: a folder separator in it could never be saved.
    const std::string name = Utf8ToSjis(nameEdit_->text().toStdString()).bytes;
    if (CheckCardFileName(name) == CardNameProblem::Separator) {
        messages_.Warn(name + "\r" + Sjis("カード名に「/」や「\\」は使えません"));
        nameEdit_->setFocus();
        return;
    }
    QDialog::accept();
}

}  // namespace zepo
