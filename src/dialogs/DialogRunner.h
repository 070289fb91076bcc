#pragma once
// Shows a dialog modally. The editor's commands never call exec() themselves, so that tests
// can script a dialog (fill its fields, press its buttons) without a modal loop.

class QDialog;

namespace zepo {

class DialogRunner {
public:
    virtual ~DialogRunner() = default;
    // True when the dialog was closed with OK.
    virtual bool Run(QDialog& dialog) = 0;
};

class ModalDialogRunner : public DialogRunner {
public:
    bool Run(QDialog& dialog) override;
};

}  // namespace zepo
