// Opening and saving a card file as the editor and zepocard both do.

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <variant>

#include "CardBuilder.h"
#include "TempFolder.h"
#include "core/TextCodec.h"
#include "document/CardDocument.h"
#include "document/CardFile.h"
#include "model/MacroFile.h"

namespace zepo {
namespace {
namespace fs = std::filesystem;
using namespace test;

TEST(CardFile, ReadingTellsWhatWentWrongOrWhatTheFileHolds) {
    TempFolder t;
    const std::string marked = HeaderMarkerLine() + "\r\ncard {a}\r\nend\r\n";
    WriteBytes(t.path() / "marked.zep", marked);
    WriteBytes(t.path() / "hand.zep", "card {b}\nend\n");
    WriteBytes(t.path() / "カード.zep", marked);
    WriteBytes(t.path() / "a😀.zep", marked);
    fs::create_directory(t.path() / "folder.zep");
    const struct {
        const char* name;
        std::variant<bool, OpenProblem> expected;  // hasHeader, or the problem
        size_t lines;
    } cases[] = {
        {"marked.zep", true, 3},
        {"hand.zep", false, 2},
        {"カード.zep", true, 3},
        {"a😀.zep", OpenProblem::NameNotShiftJis, 0},
        {"missing.zep", OpenProblem::Unreadable, 0},
        {"folder.zep", OpenProblem::Unreadable, 0},
    };
    for (const auto& c : cases) {
        auto read = ReadCardFileText(t.path() / c.name);
        if (const OpenProblem* expected = std::get_if<OpenProblem>(&c.expected)) {
            ASSERT_TRUE(std::holds_alternative<OpenProblem>(read)) << c.name;
            EXPECT_EQ(std::get<OpenProblem>(read), *expected) << c.name;
            continue;
        }
        ASSERT_TRUE(std::holds_alternative<CardFileText>(read)) << c.name;
        const CardFileText& text = std::get<CardFileText>(read);
        EXPECT_EQ(text.hasHeader, std::get<bool>(c.expected)) << c.name;
        EXPECT_EQ(text.lines.size(), c.lines) << c.name;
        EXPECT_EQ(text.sjisName, Utf8ToSjis(c.name).bytes) << c.name;
        EXPECT_EQ(text.folder, t.path()) << c.name;
        EXPECT_TRUE(text.file.is_absolute()) << c.name;
    }
}

TEST(CardFile, SavedLinesReadBackIntoTheSameCardAndTheMainCardGetsItsTitle) {
    TempFolder t;
    Card card = NewCard();
    card.settings.name = "main";
    card.settings.title.clear();
    card = WithDefaultTitle(std::move(card));
    auto lines = CardLines(card);
    ASSERT_TRUE(lines);
    EXPECT_EQ(card.settings.title, DefaultCardTitle()) << "saving names an untitled main card";
    ASSERT_TRUE(WriteCardFile(t.path() / "main.zep", lines.value()));

    auto read = ReadCardFileText(t.path() / "main.zep");
    ASSERT_TRUE(std::holds_alternative<CardFileText>(read));
    RecordingMessages messages;
    GridMeasurer measurer;
    Card back;
    EXPECT_TRUE(LoadCardText(back, std::get<CardFileText>(read), messages, measurer).completed);
    auto again = CardLines(back);
    ASSERT_TRUE(again);
    EXPECT_EQ(again.value(), lines.value());
    EXPECT_TRUE(messages.warnings.empty());
}

TEST(CardDocument, EveryChangeThatTheViewsShowIsSignalled) {
    CardDocument doc;
    QSignalSpy changed(&doc, &CardDocument::changed), folder(&doc, &CardDocument::saveFolderChanged);
    doc.SetSaveFolder("/tmp");
    Card renamed = doc.card();
    renamed.settings.name = "renamed";
    EXPECT_TRUE(doc.Apply(renamed));
    EXPECT_FALSE(doc.Apply(renamed));  // the card as it is: no step, no signal
    EXPECT_EQ(changed.count(), 2);
    EXPECT_TRUE(doc.canUndo());
    EXPECT_TRUE(doc.Undo());
    EXPECT_FALSE(doc.canUndo());
    EXPECT_EQ(folder.count(), 1);
}

}  // namespace
}  // namespace zepo
