// Where the cursor starts in a dialog and where Tab takes it: the order the dialog is read in.

#include <gtest/gtest.h>

#include <QLineEdit>

#include "ModelFakes.h"
#include "ShellFakes.h"
#include "dialogs/CardSettingsDialog.h"
#include "dialogs/FrameDialog.h"

namespace zepo {
namespace {
using namespace test;

// The named controls in the order Tab reaches them from `first`, each once.
std::vector<std::string> TabOrder(QWidget& dialog, QWidget* first, const std::vector<std::string>& names) {
    std::vector<std::string> order;
    QWidget* w = first;
    for (int steps = 0; steps < 500; ++steps, w = w->nextInFocusChain()) {
        if (!(w->focusPolicy() & Qt::TabFocus)) continue;
        for (QWidget* up = w; up && up != &dialog; up = up->parentWidget()) {
            const std::string name = up->objectName().toStdString();
            if (std::find(names.begin(), names.end(), name) == names.end()) continue;
            if (order.empty() || order.back() != name) {
                if (std::find(order.begin(), order.end(), name) != order.end()) return order;  // round again
                order.push_back(name);
            }
            break;
        }
    }
    return order;
}

TEST(FocusOrder, DialogsStartWhereTheUserTypesAndTabFollowsTheLayout) {
    App();
    RecordingMessages messages;
    CardSettingsDialog settings(messages);
    FrameDialog frame;
    const struct {
        QDialog& dialog;
        std::function<void()> load;
        std::vector<std::string> order;  // the first one has the focus after loading
    } cases[] = {
        {settings,
         [&] { settings.Load({}); },
         {"edtCardName", "edtCardTitle", "CardColor", "rdoEditMode", "rdoCursorMode", "OKBtn", "CancelBtn", "HelpBtn"}},
        {frame,
         [&] { frame.Load({}); },
         {"edtFrmX1", "edtFrmY1", "edtFrmX2", "edtFrmY2", "FrmColor", "chkFrmUp", "chkFrmCut", "panel", "rdoFrmType",
          "OKBtn", "CancelBtn", "HelpBtn"}},
    };
    for (const auto& c : cases) {
        c.dialog.findChild<QWidget*>(QString::fromStdString(c.order.back()))->setFocus();  // as left by a last use
        c.load();
        ASSERT_NE(c.dialog.focusWidget(), nullptr);
        EXPECT_EQ(c.dialog.focusWidget()->objectName().toStdString(), c.order.front());
        EXPECT_EQ(TabOrder(c.dialog, c.dialog.focusWidget(), c.order), c.order);
    }
}

}  // namespace
}  // namespace zepo
