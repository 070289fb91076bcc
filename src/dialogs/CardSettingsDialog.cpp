#include "dialogs/CardSettingsDialog.h"

#include "dialogs/DialogButtons.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/ColorGrid.h"
#include "dialogs/Named.h"
#include "dialogs/RadioGroup.h"
#include "dialogs/SjisLimit.h"
#include "model/BracedFields.h"
#include "model/Environment.h"
#include "platform/Folders.h"
#include "core/TextCodec.h"

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

CardSettingsDialog::CardSettingsDialog(MessageSink& messages, QWidget* parent) : PropertyDialog(parent), messages_(messages) {
    setWindowTitle("カードの基本設定");
    edtCardName = Named(new QLineEdit(this), "edtCardName");
    edtCardTitle = Named(new QLineEdit(this), "edtCardTitle");
    LimitSjisBytes(edtCardName, kCardNameMaxBytes);
    LimitSjisBytes(edtCardTitle, kCardTitleMaxBytes);
    CardColor = Named(new ColorGrid(this), "CardColor");
    const QStringList choices{"指定しない", "する", "しない"};
    rdoEditMode = Named(new RadioGroup("編集モード", choices, this), "rdoEditMode");
    rdoCursorMode = Named(new RadioGroup("指カーソル", choices, this), "rdoCursorMode");
    DialogButtons buttons = MakeButtons(kHelpTopic);
    OKBtn = buttons.ok;
    CancelBtn = buttons.cancel;
    HelpBtn = buttons.help;
    OKBtn->setToolTip("はい");
    CancelBtn->setToolTip("いいえ");

    auto* fields = new QGridLayout;
    fields->addWidget(Framed("カード名", edtCardName, this), 0, 0);
    fields->addWidget(Framed("タイトル", edtCardTitle, this), 1, 0);
    fields->addWidget(Framed("カード全体の色", CardColor, this), 0, 1, 2, 1);
    fields->addWidget(rdoEditMode, 2, 0);
    fields->addWidget(rdoCursorMode, 2, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons.row);

    connect(edtCardName, &QLineEdit::textChanged, this, [this] { edtCardNameChange(); });
    TabInReadingOrder({edtCardName, edtCardTitle, CardColor, rdoEditMode, rdoCursorMode}, buttons);

    // The form's own values before the first reset: edit mode "しない".
    Load(Card().settings);
}

void CardSettingsDialog::Load(const CardSettings& settings) {
    edtCardName->setText(Shown(settings.name));
    edtCardTitle->setText(Shown(settings.title));
    CardColor->setForegroundIndex(settings.color);
    rdoEditMode->setItemIndex(settings.editMode);
    rdoCursorMode->setItemIndex(settings.fingerCursor);
    edtCardNameChange();
    // Every showing starts where the user types: the card's name.
    edtCardName->setFocus();
}

CardSettings CardSettingsDialog::Read() const {
    CardSettings s;
    s.name = Utf8ToSjis(edtCardName->text().toStdString()).bytes;
    s.title = Utf8ToSjis(edtCardTitle->text().toStdString()).bytes;
    s.color = CardColor->foregroundIndex();
    s.editMode = rdoEditMode->itemIndex();
    s.fingerCursor = rdoCursorMode->itemIndex();
    return s;
}

void CardSettingsDialog::edtCardNameChange() { OKBtn->setEnabled(!edtCardName->text().isEmpty()); }

void CardSettingsDialog::accept() {
    if (edtCardName->text().isEmpty()) return;
    // A card's texts are Shift-JIS: a character without a Shift-JIS code would be lost on
    // the way into the card and its file name, so the dialog stays open instead. So would a
    // comma or a brace in the title, and in the name, which every association to the card holds.
    for (auto [edit, field] : {std::pair{edtCardName, CardField::CardName}, std::pair{edtCardTitle, CardField::Title}}) {
        const std::string typed = edit->text().toStdString();
        if (!UnwritableCharacterNames(typed, UnreadableCharacters(field)).empty()) {
            messages_.Warn(UnwritableCharactersMessage(typed, UnreadableCharacters(field)));
            edit->setFocus();
            return;
        }
    }
    // The name is the stem of the card's file: a folder separator in it could never be saved.
    const std::string name = Utf8ToSjis(edtCardName->text().toStdString()).bytes;
    if (CheckCardFileName(name) == CardNameProblem::Separator) {
        messages_.Warn(name + "\r" + Sjis("カード名に「/」や「\\」は使えません"));
        edtCardName->setFocus();
        return;
    }
    QDialog::accept();
}

}  // namespace zepo
