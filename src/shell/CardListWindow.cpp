#include "shell/CardListWindow.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFileSystemWatcher>
#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QGraphicsSceneMouseEvent>
#include <QGraphicsView>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionGraphicsItem>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>
#include <map>
#include <optional>

#include "core/TextCodec.h"
#include "dialogs/PlainText.h"
#include "dialogs/SearchText.h"
#include "document/CardDocument.h"
#include "publish/Parallel.h"
#include "publish/TerminalText.h"

namespace zepo {
namespace fs = std::filesystem;
using publish::MapNodeState;

namespace {

constexpr size_t kReadChunk = 64;                // cards read between looks at the cancel flag
constexpr int kSettleMs = 300;                   // a burst of changes in the folder is read once
constexpr int kMaxWatchedFiles = 1000;           // inotify watches are a shared, limited resource
constexpr qsizetype kMaxSearchChars = 8 * 1024;  // per card: the filter's memory stays bounded
constexpr int kTextLines = 2;                    // name and title under each thumbnail

QString Utf8(const std::string& text) { return QString::fromStdString(text); }

QString SearchTextOf(const QString& name, const publish::SetCard& card) {
    QString text = name;
    if (card.read) {
        const Card& c = card.read->card;
        text += "\n" + Utf8(SjisToUtf8(c.settings.title));
        for (const Slot& slot : c.slotList) {
            if (!slot.inUse || text.size() > kMaxSearchChars) continue;
            if (!slot.caption.empty()) text += "\n" + Utf8(SjisToUtf8(slot.caption));
            for (const std::string& line : slot.lines.get()) {
                if (text.size() > kMaxSearchChars) break;
                text += "\n" + Utf8(SjisToUtf8(line));
            }
        }
    }
    return SearchFolded(text.left(kMaxSearchChars));
}

// The marks of the list and the map, in one place.
const QColor kMarkRed(0xd0, 0x20, 0x20), kMarkOrange(0xe0, 0x80, 0x00), kMarkBlue(0x20, 0x50, 0xc0),
    kMarkGrey(0x90, 0x90, 0x90), kMarkDark(0x40, 0x40, 0x40), kMarkGreen(0x20, 0x90, 0x40),
    kMarkCurrent(0xff, 0xf0, 0x90), kMarkMatch(0xc0, 0x00, 0xc0);

void PaintProblemMark(QPainter& p, QPointF topRight) {
    const QRectF badge(topRight.x() - 18, topRight.y() + 2, 16, 16);
    p.setPen(Qt::NoPen);
    p.setBrush(kMarkRed);
    p.drawEllipse(badge);
    p.setPen(Qt::white);
    QFont bold = p.font();
    bold.setBold(true);
    p.setFont(bold);
    p.drawText(badge, Qt::AlignCenter, "!");
}

// The list's cell: the thumbnail, the name and the title (or why the card could not be read)
// under it, a red "!" for a card with problems and a dashed orange frame for one no link
// reaches from the first card.
class CardCellDelegate : public QStyledItemDelegate {
public:
    CardCellDelegate(QSize cell, QObject* parent) : QStyledItemDelegate(parent), cell_(cell) {}
    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override { return cell_; }
    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        p->save();
        const QRect r = option.rect.adjusted(2, 2, -2, -2);
        if (option.state & QStyle::State_Selected) p->fillRect(r, option.palette.highlight().color().lighter(160));
        const QImage image = index.data(Qt::DecorationRole).value<QImage>();
        const QRect picture(r.center().x() - image.width() / 2, r.top() + 4, image.width(), image.height());
        p->drawImage(picture, image);
        p->setPen(QPen(kMarkGrey, 1));
        p->drawRect(picture.adjusted(0, 0, -1, -1));
        const QStringList lines = index.data(Qt::DisplayRole).toString().split('\n');
        const QFontMetrics metrics(option.font);
        QRect line(r.left() + 2, picture.bottom() + 4, r.width() - 4, metrics.height());
        for (int i = 0; i < lines.size() && i < kTextLines; ++i) {
            const QVariant colour = index.data(Qt::ForegroundRole);
            p->setPen(i == 1 && colour.isValid() ? colour.value<QColor>() : option.palette.text().color());
            p->drawText(line, Qt::AlignHCenter | Qt::AlignVCenter,
                        metrics.elidedText(lines[i], i == 0 ? Qt::ElideMiddle : Qt::ElideRight, line.width()));
            line.translate(0, metrics.height());
        }
        if (index.data(CardListModel::UnreachableRole).toBool()) {
            p->setPen(QPen(kMarkOrange, 2, Qt::DashLine));
            p->setBrush(Qt::NoBrush);
            p->drawRect(r);
        }
        if (index.data(CardListModel::ProblemRole).toBool()) PaintProblemMark(*p, picture.topRight() + QPoint(4, -4));
        p->restore();
    }

private:
    QSize cell_;
};

}  // namespace

// ---- the list ----

CardListModel::CardListModel(CardThumbnails& thumbnails, QObject* parent)
    : QAbstractListModel(parent), thumbnails_(thumbnails), waiting_(thumbnails.size(), QImage::Format_RGB32) {
    waiting_.fill(QColor(0xe8, 0xe8, 0xe8));
}

int CardListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(rows_.size()); }

QVariant CardListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || size_t(index.row()) >= rows_.size()) return {};
    const ListedCard& card = cards_[rows_[size_t(index.row())]];
    switch (role) {
        case Qt::DisplayRole: return card.name + "\n" + (card.error.isEmpty() ? card.title : card.error);
        case Qt::DecorationRole: {
            // Only the rows on screen ask: the memory holds those, the disk the rest.
            const QImage image = const_cast<CardThumbnails&>(thumbnails_).Find(card.thumbnailKey);
            return image.isNull() ? waiting_ : image;
        }
        case Qt::ToolTipRole: {
            QString tip = card.name;
            if (!card.title.isEmpty()) tip += "  " + card.title;
            if (!card.error.isEmpty()) tip += "\n" + card.error;
            if (!card.problems.isEmpty()) tip += "\n" + card.problems;
            return PlainTip(tip);
        }
        case Qt::ForegroundRole: return card.error.isEmpty() ? QVariant() : QVariant(kMarkRed);
        case FileRole: return Utf8(card.file.string());
        case ProblemRole: return !card.problems.isEmpty() || !card.error.isEmpty();
        case UnreachableRole: return card.unreachable;
        case ErrorRole: return card.error;
        default: return {};
    }
}

void CardListModel::SetCards(std::vector<ListedCard> cards, std::vector<size_t> linkOrder) {
    cards_ = std::move(cards);
    linkOrder_ = std::move(linkOrder);
    Arrange();
}

void CardListModel::SetSortByLinks(bool byLinks) {
    byLinks_ = byLinks;
    Arrange();
}

void CardListModel::SetFilter(const QString& text) {
    filter_ = SearchFolded(text).simplified();
    Arrange();
}

void CardListModel::ThumbnailReady(size_t card, const QString& key) {
    if (card >= cards_.size()) return;
    cards_[card].thumbnailKey = key;
    if (const int row = rowOf_[card]; row >= 0) emit dataChanged(index(row), index(row), {Qt::DecorationRole});
}

void CardListModel::Arrange() {
    beginResetModel();
    std::vector<size_t> order;
    if (byLinks_ && linkOrder_.size() == cards_.size()) {
        order = linkOrder_;
    } else {
        order.resize(cards_.size());
        for (size_t i = 0; i < order.size(); ++i) order[i] = i;
        std::stable_sort(order.begin(), order.end(), [this](size_t a, size_t b) {
            return cards_[a].name.compare(cards_[b].name, Qt::CaseInsensitive) < 0;
        });
    }
    const QStringList terms = filter_.split(' ', Qt::SkipEmptyParts);
    rows_.clear();
    rowOf_.assign(cards_.size(), -1);
    for (size_t i : order) {
        const ListedCard& card = cards_[i];
        const QString& text = card.search.isEmpty() ? card.name : card.search;
        const bool fits = std::all_of(terms.begin(), terms.end(), [&](const QString& t) {
            return text.contains(t) || SearchFolded(card.name).contains(t);
        });
        if (!fits) continue;
        rowOf_[i] = int(rows_.size());
        rows_.push_back(i);
    }
    endResetModel();
}

// ---- the map ----

namespace {

constexpr double kNodeWidth = 150, kNodeTextHeight = 34;
// Beyond this many cards the map shows names without thumbnails, in letters big enough to be
// read at the smallest zoom the fitting allows.
constexpr size_t kThumbnailsOnMapUpTo = 24;
constexpr double kNamesOnlyHeight = 46, kBigNamePx = 26, kTitlePx = 12;
constexpr double kReadablePx = 9;  // the smallest name on screen, in pixels
enum ItemData { kNameData = 0, kStateData, kUnreachableData, kBorderData, kMatchData, kNamePxData, kCardData };

// A card of the map: its thumbnail, name and title in a box whose border tells its state.
class MapNodeItem : public QGraphicsItem {
public:
    MapNodeItem(const publish::MapNode& node, QRectF box, std::function<QString()> key, CardThumbnails& thumbnails,
                std::function<bool(const QString&)> current, std::function<void()> open, bool namesOnly)
        : namesOnly_(namesOnly),
          box_(box),
          key_(std::move(key)),
          name_(Utf8(node.name)),
          title_(Utf8(node.title)),
          thumbnails_(thumbnails),
          current_(std::move(current)),
          open_(std::move(open)),
          problem_(node.HasErrors()) {
        if (node.state == MapNodeState::Missing) why_ = Utf8(node.error);
        if (node.state == MapNodeState::Unreadable) why_ = "読めません";
        const bool broken = node.state == MapNodeState::Missing || node.state == MapNodeState::Unreadable;
        border_ = broken                                  ? QPen(kMarkRed, 3)
                  : node.start                            ? QPen(kMarkBlue, 4)
                  : node.unreachable                      ? QPen(kMarkOrange, 3, Qt::DashLine)
                  : node.state == MapNodeState::Elsewhere ? QPen(kMarkGrey, 1)
                                                          : QPen(kMarkDark, 1);
        static const char* const kStates[] = {"card", "unreadable", "missing", "elsewhere"};
        setData(kNameData, name_);
        setData(kStateData, kStates[int(node.state)]);
        setData(kUnreachableData, node.unreachable);
        setData(kBorderData, border_.color());
        setData(kNamePxData, namesOnly_ ? kBigNamePx : double(QFontInfo(QFont()).pixelSize()));
        QString tip = name_ + (title_.isEmpty() ? "" : "  " + title_);
        if (!node.error.empty()) tip += "\n" + Utf8(node.error);
        for (const publish::Finding& f : node.findings)
            if (f.severity != publish::Severity::Note) tip += "\n" + Utf8(publish::FindingLine(f));
        if (node.unreachable) tip += "\n最初のカードからどのリンクでもたどれません";
        setToolTip(PlainTip(tip));
        if (open_) setCursor(Qt::PointingHandCursor);
    }
    QRectF boundingRect() const override { return box_.adjusted(-6, -6, 6, 6); }
    // While a filter is typed: a card that fits it is ringed, the others fade.
    void SetMatch(std::optional<bool> match) {
        match_ = match;
        setData(kMatchData, match ? QVariant(*match) : QVariant());
        update();
    }
    void paint(QPainter* p, const QStyleOptionGraphicsItem* option, QWidget*) override {
        if (match_ == false) p->setOpacity(0.25);
        if (namesOnly_) PaintNameOnly(*p);
        else PaintWithThumbnail(*p, option);
        if (match_ == true) {
            p->setPen(QPen(kMarkMatch, 4));
            p->setBrush(Qt::NoBrush);
            p->drawRect(box_.adjusted(-5, -5, 5, 5));
        }
    }

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent* event) override {
        // Taken, so that the double click that opens the card comes here.
        if (event->button() == Qt::LeftButton && open_) event->accept();
        else event->ignore();
    }
    void mouseDoubleClickEvent(QGraphicsSceneMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && open_) open_();
    }

private:
    // Many cards: the name big enough to be read at the smallest fitting zoom, the title under it.
    void PaintNameOnly(QPainter& p) {
        const bool current = current_ && current_(name_);
        p.setPen(border_);
        p.setBrush(current ? kMarkCurrent : QColor(Qt::white));
        p.drawRect(box_);
        QFont font = p.font();
        font.setPixelSize(int(kBigNamePx));
        p.setFont(font);
        p.setPen(why_.isEmpty() ? kMarkDark : kMarkRed);
        const QRectF nameBox(box_.left() + 3, box_.top() + 1, box_.width() - 6, kBigNamePx + 4);
        const QString stem = name_.endsWith(".zep", Qt::CaseInsensitive) ? name_.chopped(4) : name_;
        p.drawText(nameBox, Qt::AlignCenter, QFontMetricsF(font).elidedText(stem, Qt::ElideMiddle, nameBox.width()));
        font.setPixelSize(int(kTitlePx));
        p.setFont(font);
        const QRectF titleBox(box_.left() + 3, nameBox.bottom(), box_.width() - 6, box_.bottom() - nameBox.bottom());
        const QString under = why_.isEmpty() ? title_ : why_;
        p.drawText(titleBox, Qt::AlignCenter, QFontMetricsF(font).elidedText(under, Qt::ElideRight, titleBox.width()));
        if (current) {
            p.setPen(QPen(kMarkOrange, 2));
            p.setBrush(Qt::NoBrush);
            p.drawRect(box_.adjusted(-3, -3, 3, 3));
        }
        if (problem_) PaintProblemMark(p, box_.topRight());
    }
    void PaintWithThumbnail(QPainter& painter, const QStyleOptionGraphicsItem* option) {
        QPainter* p = &painter;
        const bool current = current_ && current_(name_);
        // Seen from far, a whole large map: boxes only, so that a repaint reads no thumbnails.
        const bool detailed = option->levelOfDetailFromTransform(p->worldTransform()) >= 0.3;
        p->setPen(Qt::NoPen);
        p->setBrush(current ? kMarkCurrent : QColor(Qt::white));
        p->drawRect(box_);
        const QSize size = thumbnails_.size();
        const QRectF picture(box_.center().x() - size.width() / 2.0, box_.top() + 4, size.width(), size.height());
        const QImage image = detailed ? thumbnails_.Find(key_()) : QImage();
        if (!image.isNull()) p->drawImage(picture, image);
        else p->fillRect(picture, QColor(0xe8, 0xe8, 0xe8));
        if (!why_.isEmpty()) {
            p->setPen(kMarkRed);
            p->drawText(picture.adjusted(4, 4, -4, -4), Qt::AlignCenter | Qt::TextWordWrap, why_);
        }
        p->setPen(kMarkGrey);
        p->setBrush(Qt::NoBrush);
        p->drawRect(picture);
        p->setPen(kMarkDark);
        const QRectF text(box_.left() + 3, picture.bottom() + 2, box_.width() - 6, kNodeTextHeight);
        const QFontMetricsF metrics(p->font());
        p->drawText(text, Qt::AlignHCenter | Qt::AlignTop,
                    metrics.elidedText(name_, Qt::ElideMiddle, text.width()) + "\n" +
                        metrics.elidedText(title_, Qt::ElideRight, text.width()));
        p->setBrush(Qt::NoBrush);
        p->setPen(border_);
        p->drawRect(box_);
        if (current) {
            p->setPen(QPen(kMarkOrange, 2));
            p->drawRect(box_.adjusted(-3, -3, 3, 3));
        }
        if (problem_) PaintProblemMark(*p, box_.topRight());
    }

    bool namesOnly_;
    std::optional<bool> match_;
    QRectF box_;
    std::function<QString()> key_;
    QString name_, title_, why_;
    CardThumbnails& thumbnails_;
    std::function<bool(const QString&)> current_;
    std::function<void()> open_;
    bool problem_;
    QPen border_;
};

QPainterPath CurveOf(const publish::EdgePath& path) {
    QPainterPath curve;
    if (path.curve.empty()) return curve;
    curve.moveTo(path.curve[0].x, path.curve[0].y);
    for (size_t i = 1; i + 2 < path.curve.size(); i += 3)
        curve.cubicTo(path.curve[i].x, path.curve[i].y, path.curve[i + 1].x, path.curve[i + 1].y, path.curve[i + 2].x,
                      path.curve[i + 2].y);
    return curve;
}

}  // namespace

void CardListWindow::BuildMap(const publish::CardMap& map, const publish::MapLayout& layout) {
    scene_->clear();
    if (layout.nodes.size() != map.nodes.size() || layout.edges.size() != map.edges.size()) return;
    for (size_t e = 0; e < map.edges.size(); ++e) {
        const publish::MapEdge& edge = map.edges[e];
        const publish::MapNode& to = map.nodes[edge.to];
        const bool broken = to.state == MapNodeState::Missing || to.state == MapNodeState::Unreadable;
        QPen pen(broken                                      ? kMarkRed
                 : edge.kind == publish::MapEdgeKind::Button ? kMarkBlue
                 : edge.kind == publish::MapEdgeKind::Slide  ? kMarkGreen
                                                             : kMarkDark,
                 broken ? 2 : 1.3);
        if (edge.kind == publish::MapEdgeKind::Slide) pen.setStyle(Qt::DashLine);
        const publish::EdgePath& path = layout.edges[e];
        auto* line = scene_->addPath(CurveOf(path), pen);
        line->setData(kNameData, "edge");
        line->setData(kStateData, Utf8(map.nodes[edge.from].name));
        line->setData(kUnreachableData, Utf8(to.name));
        line->setData(kBorderData, pen.color());
        QStringList where;
        for (int l : edge.lines) where << QString::number(l);
        line->setToolTip(
            PlainTip(Utf8(map.nodes[edge.from].name) + " → " + Utf8(to.name) + "（" + where.join("、") + " 行）"));
        if (path.arrow && !path.curve.empty()) {
            // A head from the curve's end to the tip.
            const QPointF tip(path.tip.x, path.tip.y), end(path.curve.back().x, path.curve.back().y);
            QLineF axis(tip, end);
            if (axis.length() < 1) axis.setLength(1);
            axis.setLength(9);
            QLineF left = axis, right = axis;
            left.setAngle(axis.angle() + 25);
            right.setAngle(axis.angle() - 25);
            auto* head = new QGraphicsPolygonItem(QPolygonF({tip, left.p2(), right.p2()}), line);
            head->setPen(QPen(pen.color(), 1));
            head->setBrush(pen.color());
            QPainterPath joined = line->path();
            joined.lineTo(tip);
            line->setPath(joined);
        }
    }
    for (size_t n = 0; n < map.nodes.size(); ++n) {
        const publish::MapNode& node = map.nodes[n];
        const publish::NodePlace& place = layout.nodes[n];
        const QRectF box(place.center.x - place.width / 2, place.center.y - place.height / 2, place.width,
                         place.height);
        std::function<void()> open;
        if (node.card && *node.card < model_->cards().size()) {
            const QString file = Utf8(model_->cards()[*node.card].file.string());
            open = [this, file] { open_(file); };
        }
        auto* item = new MapNodeItem(
            node, box,
            [this, card = node.card] {
                return card && *card < model_->cards().size() ? model_->cards()[*card].thumbnailKey : QString();
            },
            thumbnails_,
            [this](const QString& name) { return name.compare(CurrentCardName(), Qt::CaseInsensitive) == 0; }, open,
            namesOnlyMap_);
        item->setZValue(1);
        if (node.card) item->setData(kCardData, qulonglong(*node.card));
        scene_->addItem(item);
    }
    scene_->setSceneRect(QRectF(-10, -10, layout.width + 20, layout.height + 20));
    MarkMatches();
    mapFitted_ = false;
    FitMapOnce();
}

void CardListWindow::MarkMatches() {
    for (QGraphicsItem* item : scene_->items()) {
        auto* node = dynamic_cast<MapNodeItem*>(item);
        if (!node) continue;
        const QVariant card = node->data(kCardData);
        std::optional<bool> match;
        if (model_->filtering()) match = card.isValid() && model_->fits(size_t(card.toULongLong()));
        node->SetMatch(match);
    }
}

void CardListWindow::ShowCount() {
    const size_t count = model_->cards().size();
    QString text =
        model_->filtering() ? QString("%1 / %2 枚").arg(model_->rowCount()).arg(count) : QString("%1 枚").arg(count);
    if (unreadable_) text += QString("（読めないカード %1 枚）").arg(unreadable_);
    status_->setText(text);
}

// ---- the window ----

struct CardListWindow::Reading {
    std::shared_ptr<std::atomic<bool>> cancel;
    std::vector<publish::SetCard> cards;
    std::vector<ListedCard> listed;
    std::vector<size_t> order;
    publish::CardMap map;
    std::optional<publish::MapLayout> layout;
    QString layoutError;
};

CardListWindow::CardListWindow(CardDocument& document, QSize screen, std::function<void(const QString&)> open,
                               fs::path thumbnailFolder, QWidget* parent, qint64 maxThumbnailBytes)
    : QWidget(parent, parent ? Qt::Tool : Qt::Window),
      document_(document),
      screen_(screen),
      open_(std::move(open)),
      thumbnails_(std::move(thumbnailFolder), screen, maxThumbnailBytes) {
    setObjectName("FormCardList");
    setWindowTitle("カード一覧");
    resize(900, 640);
    model_ = new CardListModel(thumbnails_, this);

    filter_ = new QLineEdit(this);
    filter_->setObjectName("edtCardFilter");
    filter_->setPlaceholderText("名前・タイトル・文字で絞り込む");
    filter_->setClearButtonEnabled(true);
    sort_ = new QComboBox(this);
    sort_->setObjectName("cmbCardOrder");
    sort_->addItems({"名前順", "リンクの順"});
    status_ = new QLabel(this);
    status_->setObjectName("lblCardListStatus");
    status_->setTextFormat(Qt::PlainText);  // it names the folder when it cannot be read
    auto* top = new QHBoxLayout;
    top->addWidget(filter_, 1);
    top->addWidget(sort_);
    top->addWidget(status_);

    list_ = new QListView(this);
    list_->setObjectName("lstCards");
    list_->setModel(model_);
    list_->setViewMode(QListView::IconMode);
    list_->setMovement(QListView::Static);
    list_->setResizeMode(QListView::Adjust);
    list_->setUniformItemSizes(true);
    list_->setWordWrap(true);
    list_->setIconSize(thumbnails_.size());
    const QSize cell = thumbnails_.size() + QSize(28, 12 + kTextLines * fontMetrics().height() + 8);
    list_->setGridSize(cell);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setItemDelegate(new CardCellDelegate(cell, list_));

    scene_ = new QGraphicsScene(this);
    mapView_ = new QGraphicsView(scene_, this);
    mapView_->setObjectName("viewCardMap");
    mapView_->setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    mapView_->setDragMode(QGraphicsView::ScrollHandDrag);
    mapView_->setTransformationAnchor(QGraphicsView::AnchorUnderMouse);
    mapView_->viewport()->installEventFilter(this);

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName("tabCardViews");
    tabs_->addTab(list_, "一覧");
    auto* mapPage = new QWidget(this);
    auto* mapColumn = new QVBoxLayout(mapPage);
    mapColumn->setContentsMargins(0, 0, 0, 0);
    mapColumn->addWidget(mapView_, 1);
    auto* legend = new QLabel(
        "太い青枠: 最初のカード　オレンジの破線の枠: 最初のカードからたどれないカード　赤: "
        "ないカード・読めないカードとそこへのリンク　赤い「!」: 点検の指摘\n"
        "矢印　黒: 部品の関連付け　青: ボタン　緑の破線: スライド機能　"
        "黄色: 編集中のカード（ダブルクリックで読み込みます）　紫の枠: 絞り込みに合うカード",
        mapPage);
    legend->setWordWrap(true);
    mapColumn->addWidget(legend);
    tabs_->addTab(mapPage, "リンク図");

    auto* column = new QVBoxLayout(this);
    column->addLayout(top);
    column->addWidget(tabs_, 1);

    connect(filter_, &QLineEdit::textChanged, this, [this](const QString& text) {
        model_->SetFilter(text);
        MarkMatches();
        if (settled_) ShowCount();
    });
    connect(sort_, &QComboBox::currentIndexChanged, model_, [this](int i) { model_->SetSortByLinks(i == 1); });
    // A double click opens a card in the list as on the map (never a single click, whatever
    // the desktop's style); Enter opens the chosen one.
    connect(list_, &QAbstractItemView::doubleClicked, this, &CardListWindow::OpenRow);
    list_->installEventFilter(this);
    connect(tabs_, &QTabWidget::currentChanged, this, [this] { FitMapOnce(); });

    watcher_ = new QFileSystemWatcher(this);
    settle_ = new QTimer(this);
    settle_->setSingleShot(true);
    settle_->setInterval(kSettleMs);
    connect(settle_, &QTimer::timeout, this, [this] {
        if (isVisible()) Rescan();
    });
    connect(watcher_, &QFileSystemWatcher::directoryChanged, settle_, qOverload<>(&QTimer::start));
    connect(watcher_, &QFileSystemWatcher::fileChanged, settle_, qOverload<>(&QTimer::start));
    connect(&document_, &CardDocument::saveFolderChanged, this, [this] {
        if (isVisible()) Rescan();
    });
    // The card being edited is highlighted on the map.
    connect(&document_, &CardDocument::changed, scene_, [this] { scene_->update(); });
}

CardListWindow::~CardListWindow() { Stop(); }

void CardListWindow::ShowFolder() {
    mapZoomed_ = false;
    show();
    raise();
    activateWindow();
    Rescan();
}

bool CardListWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            OpenRow(list_->currentIndex());
            return true;
        }
    }
    // Ctrl and the wheel zoom the map, from the whole of it to twice its size.
    if (watched == mapView_->viewport() && event->type() == QEvent::Wheel) {
        auto* wheel = static_cast<QWheelEvent*>(event);
        if (wheel->modifiers() & Qt::ControlModifier) {
            const double factor = wheel->angleDelta().y() > 0 ? 1.25 : 0.8;
            const double scale = mapView_->transform().m11() * factor;
            if (scale <= 2 && (factor > 1 || scale >= FitScale() * 0.8)) mapView_->scale(factor, factor);
            mapZoomed_ = true;
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CardListWindow::FitMapOnce() {
    // A new map is shown whole (never larger than life), once its view has its size; a map
    // drawn again for a change in the folder keeps the zoom the user chose.
    if (mapFitted_ || !mapView_->isVisible() || scene_->sceneRect().isEmpty()) return;
    if (!mapZoomed_) {
        const double fit = FitScale();
        mapView_->setTransform(QTransform::fromScale(fit, fit));
    }
    mapFitted_ = true;
}

double CardListWindow::FitScale() const {
    const QRectF map = scene_->sceneRect();
    if (map.isEmpty()) return 1;
    const QSize view = mapView_->viewport()->size();
    const double whole = std::min({1.0, view.width() / map.width(), view.height() / map.height()});
    // The names of a map of many cards are drawn big; below this zoom they could not be read.
    return namesOnlyMap_ ? std::max(whole, kReadablePx / kBigNamePx) : whole;
}

void CardListWindow::closeEvent(QCloseEvent* event) {
    Stop();
    event->accept();
}

void CardListWindow::Stop() {
    if (cancel_) *cancel_ = true;
    if (worker_.joinable()) worker_.join();
    settle_->stop();
}

QString CardListWindow::CurrentCardName() const { return Utf8(SjisToUtf8(document_.card().settings.name)) + ".zep"; }

void CardListWindow::OpenRow(const QModelIndex& index) {
    if (!index.isValid() || !open_) return;
    open_(index.data(CardListModel::FileRole).toString());
}

void CardListWindow::Rescan() {
    Stop();
    settled_ = false;
    thumbnailsDone_ = 0;
    folder_ = document_.saveFolder();
    setWindowTitle(folder_.empty() ? QString("カード一覧") : "カード一覧 - " + Utf8(folder_.string()));
    if (!watcher_->files().isEmpty()) watcher_->removePaths(watcher_->files());
    if (!watcher_->directories().isEmpty()) watcher_->removePaths(watcher_->directories());
    std::string error;
    std::optional<std::vector<publish::SetCard>> cards;
    if (!folder_.empty()) {
        watcher_->addPath(Utf8(folder_.string()));
        cards = publish::CollectCards({folder_.string()}, error);
    }
    if (!cards) {
        model_->SetCards({}, {});
        scene_->clear();
        status_->setText(folder_.empty() ? QString("保存フォルダがありません") : Utf8(publish::Printable(error)));
        settled_ = true;
        return;
    }
    // The names at once, with what the last reading knew of each card; the rest follows.
    std::map<fs::path, ListedCard> known;
    for (const ListedCard& c : model_->cards()) known[c.file] = c;
    std::vector<ListedCard> listed;
    QStringList watched;
    for (const publish::SetCard& card : *cards) {
        ListedCard row;
        if (auto it = known.find(card.file); it != known.end()) row = it->second;
        row.file = card.file;
        row.name = Utf8(publish::ShownName(card.file.filename().string()));
        row.read = false;
        listed.push_back(std::move(row));
        if (watched.size() < kMaxWatchedFiles) watched << Utf8(card.file.string());
    }
    if (!watched.isEmpty()) watcher_->addPaths(watched);
    model_->SetCards(std::move(listed), {});
    status_->setText(QString("%1 枚を読んでいます…").arg(cards->size()));

    auto reading = std::make_shared<Reading>();
    reading->cancel = cancel_ = std::make_shared<std::atomic<bool>>(false);
    reading->cards = std::move(*cards);
    worker_ = std::thread([this, reading] {
        const auto& cancel = *reading->cancel;
        auto& cards = reading->cards;
        // In pieces, so that closing the window waits for one piece at most.
        for (size_t at = 0; at < cards.size() && !cancel; at += kReadChunk) {
            const size_t end = std::min(cards.size(), at + kReadChunk);
            std::vector<publish::SetCard> part(std::make_move_iterator(cards.begin() + long(at)),
                                               std::make_move_iterator(cards.begin() + long(end)));
            publish::ReadCards(part, {}, &readCache_);
            std::move(part.begin(), part.end(), cards.begin() + long(at));
        }
        if (cancel) return;
        size_t unchecked = 0;
        const auto findings = publish::SetFindings(cards, unchecked);
        reading->map = publish::BuildCardMap(cards, findings);
        reading->order = publish::PresentationOrder(cards);
        std::vector<const publish::MapNode*> nodeOf(cards.size(), nullptr);
        for (const publish::MapNode& node : reading->map.nodes)
            if (node.card && *node.card < cards.size()) nodeOf[*node.card] = &node;
        for (size_t i = 0; i < cards.size(); ++i) {
            const publish::SetCard& card = cards[i];
            ListedCard row;
            row.file = card.file;
            row.name = Utf8(publish::ShownName(card.file.filename().string()));
            row.read = true;
            row.search = SearchTextOf(row.name, card);
            if (card.read) row.title = Utf8(SjisToUtf8(card.read->card.settings.title));
            else row.error = Utf8(publish::Printable(card.error.empty() ? "読めません" : card.error));
            QStringList problems;
            for (const publish::Finding& f : i < findings.size() ? findings[i] : std::vector<publish::Finding>{})
                if (f.severity != publish::Severity::Note) problems << Utf8(publish::FindingLine(f));
            row.problems = problems.join("\n");
            if (nodeOf[i]) {
                row.unreachable = nodeOf[i]->unreachable;
                row.start = nodeOf[i]->start;
            }
            reading->listed.push_back(std::move(row));
        }
        QMetaObject::invokeMethod(
            this, [this, reading] { Listed(reading); }, Qt::QueuedConnection);
        if (cancel) return;
        publish::MapLayoutOptions options;
        options.nodeWidth = kNodeWidth;
        options.nodeHeight = reading->map.nodes.size() > kThumbnailsOnMapUpTo
                                 ? kNamesOnlyHeight
                                 : thumbnails_.size().height() + 8 + kNodeTextHeight;
        auto layout = publish::LayOutMap(reading->map, options);
        if (layout) reading->layout = std::move(layout.value());
        else reading->layoutError = Utf8(layout.error().message);
        QMetaObject::invokeMethod(
            this, [this, reading] { Mapped(reading); }, Qt::QueuedConnection);
        // The thumbnails last, each shown as soon as it is there.
        publish::FolderLookups lookups;
        publish::ForEachOnAllCores(cards.size(), [&](size_t i) {
            if (cancel) return;
            const QString key = thumbnails_.KeyOf(cards[i], lookups);
            if (key.isEmpty()) return;
            try {
                if (!thumbnails_.Has(key)) thumbnails_.Draw(cards[i], key);
            } catch (const std::bad_alloc&) {
                return;  // the placeholder stays; the card is still listed
            }
            QMetaObject::invokeMethod(
                this,
                [this, i, key, cancel = reading->cancel] {
                    if (cancel != cancel_) return;
                    ++thumbnailsDone_;
                    model_->ThumbnailReady(i, key);
                    scene_->update();
                },
                Qt::QueuedConnection);
        });
    });
}

void CardListWindow::Listed(std::shared_ptr<Reading> reading) {
    if (reading->cancel != cancel_) return;
    size_t unreadable = 0;
    // Until its thumbnail is checked, a card shows the one it had.
    std::map<fs::path, QString> shown;
    for (const ListedCard& c : model_->cards()) shown[c.file] = c.thumbnailKey;
    for (ListedCard& c : reading->listed) {
        unreadable += !c.error.isEmpty();
        if (c.error.isEmpty()) c.thumbnailKey = shown[c.file];
    }
    model_->SetCards(std::move(reading->listed), reading->order);
    unreadable_ = unreadable;
    ShowCount();
}

void CardListWindow::Mapped(std::shared_ptr<Reading> reading) {
    if (reading->cancel != cancel_) return;
    namesOnlyMap_ = reading->map.nodes.size() > kThumbnailsOnMapUpTo;
    if (reading->layout) BuildMap(reading->map, *reading->layout);
    else {
        scene_->clear();
        scene_->addText("リンク図を描けません: " + reading->layoutError);
    }
    settled_ = true;
}

}  // namespace zepo
