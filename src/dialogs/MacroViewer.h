#pragma once
// Shows the lines that saving would write, without writing them.

#include <QDialog>
#include <string>
#include <vector>

class QPlainTextEdit;

namespace zepo {

class MacroViewer : public QDialog {
    Q_OBJECT
public:
    explicit MacroViewer(QWidget* parent = nullptr);
    // The Shift-JIS lines, one per row.
    void Load(const std::vector<std::string>& lines);
    // Every showing is maximised, even where no window manager honours the state.
    void setVisible(bool visible) override;

private:
    QPlainTextEdit* Memo1;
};

}  // namespace zepo
