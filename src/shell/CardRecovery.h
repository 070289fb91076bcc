#pragma once
// Copies of the card while it has unsaved changes: written every 30 seconds into the user's
// recovery folder, removed when the card is saved (or back as saved) and at a normal end, and
// offered at the next start when a crash left one.

#include <QObject>
#include <filesystem>
#include <memory>

#include "platform/Recovery.h"

namespace zepo {

class CardFileCommands;
struct CommandContext;

class CardRecovery : public QObject {
    Q_OBJECT
public:
    static constexpr int kCopyIntervalMs = 30000;

    CardRecovery(const CommandContext& context, CardFileCommands& cardFile);

    // Prepares the folder and asks the scheduler for the first copy. Nothing is said yet: a
    // folder that cannot be used is told by OfferLeftCopies.
    void Start();
    // Offers each copy a crash left (newest first) until one is opened; true when one was.
    // A copy that cannot be read is offered to be kept aside.
    bool OfferLeftCopies();
    // Writes the copy now when the card has unsaved changes (the timer's work; also before
    // the session ends).
    void WriteCopy();
    // A normal end: the copy goes.
    void Finish();

private:
    void ScheduleNext();

    const CommandContext& context_;
    CardFileCommands& cardFile_;
    RecoveryFolder folder_;
    std::string folderProblem_;  // UTF-8, said once
    bool toldWriteFailure_ = false;
};

}  // namespace zepo
