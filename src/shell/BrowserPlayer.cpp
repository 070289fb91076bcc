#include "shell/BrowserPlayer.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>

#include <atomic>
#include <thread>

#include "core/TextCodec.h"
#include "document/CardFile.h"
#include "model/MacroFile.h"
#include "platform/CardFilesOnDisk.h"
#include "platform/UserFolders.h"
#include "publish/Exporter.h"
#include "publish/TerminalText.h"

namespace zepo {
namespace fs = std::filesystem;
namespace {

constexpr int kProgressAfterMs = 400;
constexpr int kPollMs = 30;

}  // namespace

fs::path PlayerCacheSite(const fs::path& saveFolder) {
    std::error_code ec;
    fs::path folder = fs::weakly_canonical(fs::absolute(saveFolder, ec), ec);
    if (ec) folder = saveFolder;
    const std::string full = folder.string();
    const QByteArray hash =
        QCryptographicHash::hash(QByteArray(full.data(), qsizetype(full.size())), QCryptographicHash::Sha256).toHex();
    std::string name = publish::ShownName(folder.filename().string());
    if (name.empty() || name == "." || name == "..") name = "folder";
    return CacheFolderOfThisUser() / (name + "-" + hash.left(16).toStdString());
}

bool SavedAsShown(const Card& card, const fs::path& file) {
    auto lines = CardLines(WithDefaultTitle(card));
    if (!lines) return false;
    // Bounded and plain files only, as every card is read.
    const std::optional<std::string> present = ReadFileBytes(file);
    return present && *present == JoinMacroLines(lines.value());
}

Result<fs::path> ExportForBrowser(const fs::path& saveFolder, const fs::path& cardFile, QSize screen, QWidget* parent,
                                  publish::ExportCaches* caches) {
    const fs::path site = PlayerCacheSite(saveFolder);
    // The pages are this user's alone, in folders no one else can plant links in or rename,
    // under a cache folder of the user's.
    Result<PrivateFolder> folder = PrivateFolder::Open(site, CacheFolderOfThisUser().parent_path());
    if (!folder) return folder.error();
    std::atomic<size_t> done{0}, total{0};
    std::atomic<bool> finished{false};
    publish::ExportReport report;
    // The export runs beside the event loop, so that the window keeps being drawn and the
    // dialog can show how far it is.
    std::thread worker([&] {
        report = publish::ExportSet(
            {saveFolder, site, screen, /*privateSite=*/true},
            [&](std::string_view, size_t d, size_t t) {
                done = d;
                total = t;
            },
            caches);
        finished = true;
    });
    QProgressDialog dialog(QString::fromUtf8("ページを作っています…"), QString(), 0, 0, parent);
    dialog.setWindowTitle(QString::fromUtf8("ゼポの実行"));
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setCancelButton(nullptr);
    dialog.setMinimumDuration(kProgressAfterMs);
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (finished) {
            loop.quit();
            return;
        }
        dialog.setMaximum(int(std::min<size_t>(total, INT_MAX)));
        dialog.setValue(int(std::min<size_t>(done, INT_MAX)));
    });
    poll.start(kPollMs);
    if (!finished) loop.exec();
    worker.join();
    dialog.reset();

    if (!report.failures.empty()) return Fail(report.failures.front());
    std::error_code ec;
    const fs::path card = fs::canonical(cardFile, ec);
    const auto page = ec ? report.pages.end() : report.pages.find(card);
    if (page == report.pages.end())
        return Fail(publish::ShownName(cardFile.filename().string()) + " のページがありません");
    const fs::path file = site / page->second;
    if (!fs::is_regular_file(file, ec)) return Fail(publish::ShownName(file.string()) + " がありません");
    return fs::absolute(file, ec);
}

}  // namespace zepo
