#pragma once
// Every message and question the editor shows goes through here, so that tests can record
// them instead of blocking on a message box. Texts are Shift-JIS; a CR is a line break.

#include <string>
#include <string_view>

#include "model/Environment.h"

class QWidget;

namespace zepo {

enum class BeepKind { Exclamation, Question };

// The answer of a question with three buttons; Escape and closing the box are Cancel.
enum class Choice { Yes, No, Cancel };
// The captions of the three buttons, UTF-8.
struct ChoiceButtons {
    const char* yes;
    const char* no;
    const char* cancel;
};
inline constexpr ChoiceButtons kYesNoCancel{"はい", "いいえ", "キャンセル"};
inline constexpr ChoiceButtons kSaveDiscardCancel{"保存", "破棄", "キャンセル"};

class Prompts : public MessageSink {
public:
    virtual void Beep(BeepKind kind) = 0;
    // A message box with OK.
    virtual void Show(std::string_view text) = 0;
    // A message box with Yes and No; true for Yes.
    virtual bool YesNo(std::string_view text) = 0;
    // A message box with three buttons.
    virtual Choice Choose(std::string_view text, const ChoiceButtons& buttons) = 0;

    // Failures: exclamation beep, then the message.
    void Warn(std::string_view text) override {
        Beep(BeepKind::Exclamation);
        Show(text);
    }
    // Confirmations: question beep, then Yes/No.
    bool Ask(std::string_view text) override {
        Beep(BeepKind::Question);
        return YesNo(text);
    }
    // Reports after a success (saved, folder created) come with the question beep.
    void Inform(std::string_view text) {
        Beep(BeepKind::Question);
        Show(text);
    }
    // A question that warns: the exclamation beep before Yes/No.
    bool AskWarning(std::string_view text) {
        Beep(BeepKind::Exclamation);
        return YesNo(text);
    }
    // A question with three answers: the question beep, then the box.
    Choice AskChoice(std::string_view text, const ChoiceButtons& buttons) {
        Beep(BeepKind::Question);
        return Choose(text, buttons);
    }
};

// Message boxes over the main window. The platform offers a single beep for both kinds.
class QtPrompts : public Prompts {
public:
    explicit QtPrompts(QWidget* owner = nullptr) : owner_(owner) {}
    void SetOwner(QWidget* owner) { owner_ = owner; }
    void Beep(BeepKind kind) override;
    void Show(std::string_view text) override;
    bool YesNo(std::string_view text) override;
    Choice Choose(std::string_view text, const ChoiceButtons& buttons) override;

private:
    QWidget* owner_;
};

// The message box text: Shift-JIS to UTF-8 with the CR line breaks as newlines.
std::string MessageText(std::string_view sjis);

}  // namespace zepo
