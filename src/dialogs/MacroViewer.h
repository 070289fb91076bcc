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

private:
    QPlainTextEdit* Memo1;
};

}  // namespace zepo
