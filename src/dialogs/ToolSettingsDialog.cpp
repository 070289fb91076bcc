#include "dialogs/ToolSettingsDialog.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/TextCodec.h"
#include "dialogs/FileChooser.h"
#include "dialogs/Named.h"

namespace zepo {
namespace {

struct Group {
    Tool tool;
    const char* caption;
    const char* prefix;  // field names: prefix + "Name", "Exe", "Opt"
    const char* button;
};

struct Page {
    const char* caption;
    std::array<Group, 4> groups;
    int count;
};

const Page kPages[] = {
    {"標準ツール",
     {{{Tool::Memo, "メモ帳", "Memo", "Button1"},
       {Tool::Paint, "ペイント", "Paint", "Button2"},
       {Tool::Sound, "サウンドレコーダ", "SRec", "Button3"},
       {Tool::Movie, "ムービーメーカー", "Movie", "Button13"}}},
     4},
    {"ビュワー系ツール",
     {{{Tool::Filer, "ファイラー", "Filer", "Button7"},
       {Tool::MediaPlayer, "メディアプレイヤー", "MPlay", "Button8"},
       {Tool::Viewer, "画像ビュワー", "QView", "Button9"}}},
     3},
    {"拡張ツール",
     {{{Tool::Exe1, "ツール１", "Tool1", "Button4"},
       {Tool::Exe2, "ツール２", "Tool2", "Button5"},
       {Tool::Exe3, "ツール３", "Tool3", "Button6"}}},
     3},
    {"追加ヘルプ",
     {{{Tool::Help1, "ヘルプ１", "Help1", "Button10"},
       {Tool::Help2, "ヘルプ２", "Help2", "Button11"},
       {Tool::Help3, "ヘルプ３", "Help3", "Button12"}}},
     3},
};

QString Shown(const std::string& sjis) { return QString::fromStdString(SjisToUtf8(sjis)); }
// The settings file is Shift-JIS: a character it cannot hold is refused, naming the field,
// rather than dropped from a name or a program's path.
Result<std::string> Stored(const QLineEdit* field, const QString& group, const char* label) {
    const std::string typed = field->text().toStdString();
    const std::string unwritable = UnwritableCharacterNames(typed);
    if (unwritable.empty()) return Utf8ToSjis(typed).bytes;
    return Fail(Sjis("「") + Utf8ToSjis(group.toStdString()).bytes + Sjis("」の") + Sjis(label) + Sjis("の") +
                unwritable + Sjis("は設定ファイルに書けません"));
}

QLineEdit* Field(QWidget* parent, const char* prefix, const char* suffix) {
    const QByteArray name = QByteArray(prefix) + suffix;
    return Named(new QLineEdit(parent), name.constData());
}

}  // namespace

// Programs here have any name, and those of the other desktop end in .exe; help documents
// may also be PDF files.
const QString ToolSettingsDialog::kProgramFilter = QStringLiteral("実行形式 (*);;実行形式(*.exe) (*.exe *.EXE)");
const QString ToolSettingsDialog::kHelpFilter = QStringLiteral(
    "ヘルプ(*.hlp/*.chm/*.htm/*.html/*.pdf) (*.hlp *.chm *.htm *.html *.pdf *.HLP *.CHM *.HTM *.HTML *.PDF)");

ToolSettingsDialog::ToolSettingsDialog(FileChooser& chooser, QWidget* parent) : QDialog(parent), chooser_(chooser) {
    setObjectName("ToolOptDlg");
    setWindowTitle("ツールの設定");
    pages_ = Named(new QTabWidget(this), "PageControl1");
    useToolsBox_ = Named(new QCheckBox("標準ツールを素材の[編集]ボタンに割り当てる", this), "cbUseTool");
    for (const Page& page : kPages) {
        auto* sheet = new QWidget(pages_);
        auto* column = new QVBoxLayout(sheet);
        for (int g = 0; g < page.count; ++g) {
            const Group& group = page.groups[g];
            auto* box = new QGroupBox(QString::fromUtf8(group.caption), sheet);
            auto* form = new QFormLayout(box);
            Row& r = rows_[static_cast<int>(group.tool)];
            r.name = Field(box, group.prefix, "Name");
            r.exe = Field(box, group.prefix, "Exe");
            r.browse = Named(new QPushButton("参照", box), group.button);
            r.caption = QString::fromUtf8(group.caption);
            r.page = sheet;
            auto* exeRow = new QHBoxLayout;
            exeRow->addWidget(r.exe, 1);
            exeRow->addWidget(r.browse);
            form->addRow("ツールの名前", r.name);
            form->addRow("実行ファイル", exeRow);
            if (HasOption(group.tool)) {
                r.option = Field(box, group.prefix, "Opt");
                form->addRow("オプション", r.option);
            }
            const Tool tool = group.tool;
            connect(r.browse, &QPushButton::clicked, this, [this, tool] { Browse(tool); });
            column->addWidget(box);
        }
        if (&page == &kPages[0]) column->addWidget(useToolsBox_);
        column->addStretch(1);
        pages_->addTab(sheet, QString::fromUtf8(page.caption));
    }

    auto* legend = new QGroupBox("＜オプション定数＞", this);
    auto* legendRows = new QVBoxLayout(legend);
    legendRows->addWidget(new QLabel("現在のフォルダ：$D", legend));
    legendRows->addWidget(new QLabel("編集ファイル名：$F", legend));
    okButton_ = Named(new QPushButton("設　　定", this), "btnOK");
    cancelButton_ = Named(new QPushButton("キャンセル", this), "btnCancel");
    okButton_->setDefault(true);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(legend, 1);
    bottom->addLayout(buttons);
    settingsFileLabel_ = Named(new QLabel(this), "lblSettingsFile");
    settingsFileLabel_->setTextFormat(Qt::PlainText);  // a path, whatever it looks like
    settingsFileLabel_->setWordWrap(true);
    settingsFileLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_, 1);
    layout->addWidget(settingsFileLabel_);
    layout->addLayout(bottom);
    setMinimumWidth(560);
}

void ToolSettingsDialog::ShowSettingsFile(const QString& file, bool written) {
    settingsFileLabel_->setText(written ? "設定ファイル：" + file
                                        : "設定ファイル：" + file +
                                              "\n（/a を付けて起動したときだけ書き込みます。"
                                              "いまの変更はエディタを終了するまで有効です）");
}

void ToolSettingsDialog::Load(const ShellSettings& settings) {
    loaded_ = settings;
    for (int i = 0; i < kToolCount; ++i) {
        const ToolEntry& e = settings.tools[i];
        rows_[i].name->setText(Shown(e.name));
        rows_[i].exe->setText(Shown(e.exe));
        if (rows_[i].option) rows_[i].option->setText(Shown(e.option));
    }
    useToolsBox_->setChecked(settings.useTools);
    pages_->setCurrentIndex(0);
}

Result<ShellSettings> ToolSettingsDialog::Read() const {
    ShellSettings s = loaded_;
    for (int i = 0; i < kToolCount; ++i) {
        const Row& r = rows_[i];
        ToolEntry& e = s.tools[i];
        struct Field {
            QLineEdit* edit;
            const char* label;
            std::string* value;
        };
        for (const Field& f : {Field{r.name, "ツールの名前", &e.name}, Field{r.exe, "実行ファイル", &e.exe},
                               Field{r.option, "オプション", &e.option}}) {
            if (!f.edit) continue;  // help entries have no option
            Result<std::string> stored = Stored(f.edit, r.caption, f.label);
            if (!stored) {
                pages_->setCurrentWidget(r.page);
                f.edit->setFocus();
                return stored.error();
            }
            *f.value = stored.value();
        }
    }
    s.useTools = useToolsBox_->isChecked();
    return s;
}

void ToolSettingsDialog::Browse(Tool tool) {
    QLineEdit* exe = rows_[static_cast<int>(tool)].exe;
    OpenFileRequest request;
    request.title = QStringLiteral("ファイルを開く");
    request.filter = HasOption(tool) ? kProgramFilter : kHelpFilter;
    request.lastFile = exe->text();
    const QFileInfo current(exe->text());
    if (current.isAbsolute()) request.folder = current.absolutePath();
    const QString chosen = chooser_.ChooseOpenFile(request);
    if (!chosen.isEmpty()) exe->setText(chosen);
}

}  // namespace zepo
