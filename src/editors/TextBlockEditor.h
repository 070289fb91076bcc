#pragma once
// Text blocks in the editor: their menu items, the placing button and the right press run the
// text-file dialog round trip, which reads the chosen file of the save folder once per
// confirmation.

#include <filesystem>
#include <functional>

#include "dialogs/TextFileDialog.h"
#include "editors/RoundTrip.h"

namespace zepo {

class TextMeasurer;

// A position field that is not a whole number brings the dialog back with what was typed. No
// file chosen, or a file that cannot be read (not a plain file, too large, gone): a message,
// and the card is left as it was.
class TextBlockEditor : public SlotRoundTrip<TextFileDialog, TextBlockValues> {
public:
    TextBlockEditor(TextFileDialog& dialog, DialogRunner& runner, MessageSink& messages, TextMeasurer& measurer,
                    std::function<std::filesystem::path()> saveFolder)
        : SlotRoundTrip(SlotKind::TextBlock, "文字（ファイル）", dialog, runner, messages),
          measurer_(measurer),
          saveFolder_(std::move(saveFolder)) {}

protected:
    void StartNew(Slot& slot) override;
    void Show(const Slot& slot, bool isNew) override;
    Applied WriteInto(Slot& slot, TextBlockValues values, bool isNew) override;

private:
    TextMeasurer& measurer_;
    std::function<std::filesystem::path()> saveFolder_;
};

}  // namespace zepo
