#pragma once
// 「カード一覧」: every card of the save folder at a glance, as a list of thumbnails (name,
// title, what `zepocard check` finds) and as a map of the links between them. The folder is
// read and the thumbnails drawn beside the event loop; the window follows the folder as cards
// are saved, here or by another program. Opening a card goes through the open command's own
// steps (the question about unsaved changes first).

#include <QAbstractListModel>
#include <QImage>
#include <QWidget>

#include <atomic>
#include <filesystem>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "publish/CardMap.h"
#include "publish/CardSet.h"
#include "publish/MapLayout.h"
#include "shell/CardThumbnails.h"

class QComboBox;
class QFileSystemWatcher;
class QGraphicsScene;
class QGraphicsView;
class QLabel;
class QLineEdit;
class QListView;
class QTabWidget;
class QTimer;

namespace zepo {

class CardDocument;

// One card of the list as the window shows it.
struct ListedCard {
    std::filesystem::path file;
    QString name, title;
    QString search;    // name, title and texts, NFKC and case folded, for the filter
    QString error;     // why the card could not be read
    QString problems;  // what check finds, one finding a line
    bool read = false, unreachable = false, start = false;
    QString thumbnailKey;
};

class CardListModel : public QAbstractListModel {
    Q_OBJECT
public:
    enum Role { FileRole = Qt::UserRole + 1, ProblemRole, UnreachableRole, ErrorRole };
    explicit CardListModel(CardThumbnails& thumbnails, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // Every card, the order they are listed in when sorted by links, and the filter.
    void SetCards(std::vector<ListedCard> cards, std::vector<size_t> linkOrder);
    void SetSortByLinks(bool byLinks);
    void SetFilter(const QString& text);
    // The thumbnail of the card at `card` (in the order SetCards was given) is there.
    void ThumbnailReady(size_t card, const QString& key);
    const std::vector<ListedCard>& cards() const { return cards_; }
    // Whether a filter is typed, and whether the card at `card` fits it.
    bool filtering() const { return !filter_.isEmpty(); }
    bool fits(size_t card) const { return card < rowOf_.size() && rowOf_[card] >= 0; }
    const ListedCard& shown(int row) const { return cards_.at(rows_.at(size_t(row))); }

private:
    void Arrange();

    CardThumbnails& thumbnails_;
    std::vector<ListedCard> cards_;
    std::vector<size_t> linkOrder_;
    std::vector<size_t> rows_;  // the cards shown, in order
    std::vector<int> rowOf_;    // card by card: its row, or -1 when filtered out
    bool byLinks_ = false;
    QString filter_;
    QImage waiting_;
};

class CardListWindow : public QWidget {
    Q_OBJECT
public:
    // `open` opens a card file as the open command does. Thumbnails are kept in
    // `thumbnailFolder` (empty: memory only) and in memory up to `maxThumbnailBytes`. Made
    // with the main window as `parent`, it is a tool window that stays over it.
    CardListWindow(CardDocument& document, QSize screen, std::function<void(const QString&)> open,
                   std::filesystem::path thumbnailFolder, QWidget* parent = nullptr,
                   qint64 maxThumbnailBytes = qint64(32) << 20);
    ~CardListWindow() override;

    // Shows the window over the save folder's cards, read anew.
    void ShowFolder();
    // Reads the folder again (what the folder watcher does after a change).
    void Rescan();

    CardListModel& model() { return *model_; }
    CardThumbnails& thumbnails() { return thumbnails_; }
    QGraphicsScene& mapScene() { return *scene_; }
    // True once the cards of the last reading are listed and the map is drawn.
    bool settled() const { return settled_; }
    // Thumbnails drawn or found since the last reading started.
    int thumbnailsDone() const { return thumbnailsDone_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Reading;
    void Stop();
    void Listed(std::shared_ptr<Reading> reading);
    void Mapped(std::shared_ptr<Reading> reading);
    void BuildMap(const publish::CardMap& map, const publish::MapLayout& layout);
    void OpenRow(const QModelIndex& index);
    QString CurrentCardName() const;
    // The zoom at which the whole map fits the view, at most 1, and never below the zoom at
    // which the cards' names stay readable (the map scrolls instead).
    double FitScale() const;
    // The count, and how many fit the filter while one is typed: 「5 / 64 枚」.
    void ShowCount();
    // The map's cards marked as fitting the filter or not.
    void MarkMatches();
    void FitMapOnce();

    CardDocument& document_;
    QSize screen_;
    std::function<void(const QString&)> open_;
    CardThumbnails thumbnails_;
    publish::CardReadCache readCache_;
    CardListModel* model_;
    QLineEdit* filter_;
    QComboBox* sort_;
    QTabWidget* tabs_;
    QListView* list_;
    QGraphicsView* mapView_;
    QGraphicsScene* scene_;
    QLabel* status_;
    QFileSystemWatcher* watcher_;
    QTimer* settle_;
    std::filesystem::path folder_;
    std::shared_ptr<std::atomic<bool>> cancel_;
    std::thread worker_;
    bool settled_ = false;
    bool mapFitted_ = false;     // the map drawn last was fitted to the view
    bool mapZoomed_ = false;     // the user zoomed since the window was opened
    bool namesOnlyMap_ = false;  // a map of many cards: names without thumbnails
    size_t unreadable_ = 0;
    int thumbnailsDone_ = 0;
};

}  // namespace zepo
