#include "canvas/CardCanvas.h"

#include <QDir>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>
#include <QUrl>

#include "document/CardDocument.h"

namespace zepo {

CardCanvas::CardCanvas(CardDocument& document, TextMeasurer& measurer, QWidget* parent)
    : QWidget(parent), document_(document), measurer_(measurer) {
    setMouseTracking(true);  // the status shows the position without a button held
    setAcceptDrops(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    ResetImage(QSize(1024, 768));
    // A drag belongs to the card it started on: undo, opening or a new card ends it, before
    // the card is drawn again, so that no band is drawn back onto the new picture.
    connect(&document_, &CardDocument::changed, this, [this] {
        dragging_ = false;
        pressed_ = -1;
        escape_->setEnabled(false);
    });
    connect(&document_, &CardDocument::changed, this, &CardCanvas::Redraw);
    // Escape while a button is held gives the drag up: the band goes, the release does nothing.
    escape_ = new QShortcut(
        QKeySequence(Qt::Key_Escape), this, [this] { EndDragWithoutApplying(); }, Qt::WindowShortcut);
    escape_->setEnabled(false);
}

void CardCanvas::SetPainter(SlotKind kind, SlotPainter* painter) {
    renderer_.SetPainter(kind, painter);
    Redraw();
}

void CardCanvas::SetMode(EditMode mode) {
    const bool previewChanged = (mode == EditMode::Preview) != (mode_ == EditMode::Preview);
    mode_ = mode;
    // The preview and the edit view are two drawings of the card.
    if (previewChanged) Redraw();
}

void CardCanvas::ResetImage(QSize screen) {
    surface_ = QImage(screen.width() + 1, screen.height(), QImage::Format_RGB32);
    surface_.fill(Qt::white);
    update();
}

void CardCanvas::Redraw() {
    RenderScene();
    // A command that redraws the card during a drag (a dialog confirmed from the keyboard)
    // wipes the band; drawn again, erasing it later still restores the screen.
    if (dragging_) DrawRubberBand(current_);
    update();
}

void CardCanvas::RenderScene() {
    if (mode_ == EditMode::Preview) {
        // The one composition of the card, the same that zepocard render writes.
        surface_ = renderer_.Compose(document_.card(), screen());
        return;
    }
    QPainter p(&surface_);
    renderer_.Paint(p, document_.card());
}

int CardCanvas::SlotAt(QPoint point) const {
    const Card& card = document_.card();
    std::vector<int> used = card.UsedSlotsInStackingOrder();
    for (auto it = used.rbegin(); it != used.rend(); ++it) {
        const Rect& r = card.slot(*it).bounds;
        if (point.x() >= r.left && point.x() < r.right() && point.y() >= r.top && point.y() < r.bottom()) return *it;
    }
    return -1;
}

std::optional<Band> CardCanvas::band() const {
    if (!dragging_) return std::nullopt;
    return current_;
}

void CardCanvas::DrawRubberBand(const Band& b) {
    QPainter p(&surface_);
    // NOT-XOR with black inverts every pixel under the outline.
    p.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
    int left = std::min(b.x1, b.x2), right = std::max(b.x1, b.x2);
    int top = std::min(b.y1, b.y2), bottom = std::max(b.y1, b.y2);
    // Each pixel of the outline exactly once, corners included, so that a second drawing
    // restores them too.
    p.fillRect(QRect(QPoint(left, top), QPoint(right, top)), Qt::black);
    if (bottom != top) p.fillRect(QRect(QPoint(left, bottom), QPoint(right, bottom)), Qt::black);
    if (bottom - top > 1) {
        p.fillRect(QRect(QPoint(left, top + 1), QPoint(left, bottom - 1)), Qt::black);
        if (right != left) p.fillRect(QRect(QPoint(right, top + 1), QPoint(right, bottom - 1)), Qt::black);
    }
    p.end();
    update();
}

void CardCanvas::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    p.drawImage(0, 0, surface_);
}

void CardCanvas::EndDragWithoutApplying() {
    if (dragging_) DrawRubberBand(current_);  // erased
    dragging_ = false;
    pressed_ = -1;
    escape_->setEnabled(false);
}

QPoint CardCanvas::RelativeToPressed(QPoint point) const {
    const Rect& r = document_.card().slot(pressed_).bounds;
    return QPoint(point.x() - r.left, point.y() - r.top);
}

void CardCanvas::mousePressEvent(QMouseEvent* event) {
    QPoint pos = event->position().toPoint();
    int id = SlotAt(pos);
    // The right button during a drag gives the drag up wherever it is pressed.
    if (id < 0 && event->button() == Qt::RightButton) EndDragWithoutApplying();
    if (id < 0) return;  // bare background takes no presses
    if (event->button() == Qt::RightButton) {
        // The round trip's dialog takes the mouse, so the release of a drag in progress
        // would never come back here: the drag ends now, without moving anything.
        EndDragWithoutApplying();
        emit slotRequested(id);  // in every mode, the preview included
        return;
    }
    pressed_ = id;
    if (mode_ == EditMode::FrontBack) {
        Card next = document_.card();
        next.BringToFront(id);
        document_.Apply(std::move(next));
    }
    if (mode_ != EditMode::Move && mode_ != EditMode::Stretch) return;
    dragging_ = true;
    escape_->setEnabled(true);
    press_ = RelativeToPressed(pos);
    start_ = current_ = StartBand(document_.card().slot(id), KindOfSlot(id));
    DrawRubberBand(current_);
}

void CardCanvas::mouseMoveEvent(QMouseEvent* event) {
    QPoint pos = event->position().toPoint();
    // A move with no button of the drag held: the release went elsewhere (a dialog opened
    // from the keyboard took the mouse), so the drag is over and moves nothing.
    if (dragging_ && !(event->buttons() & ~Qt::RightButton)) EndDragWithoutApplying();
    if (dragging_ && pressed_ >= 0) {
        QPoint rel = RelativeToPressed(pos);
        if (mode_ == EditMode::Stretch) {
            DrawRubberBand(current_);
            current_ = ResizeBand(document_.card().slot(pressed_), KindOfSlot(pressed_), start_, rel.x(), rel.y(),
                                  press_.x(), press_.y());
            DrawRubberBand(current_);
        } else if (mode_ == EditMode::Move) {
            DrawRubberBand(current_);
            current_ = MovedBand(start_, rel.x() - press_.x(), rel.y() - press_.y());
            DrawRubberBand(current_);
        }
    }
    emit mousePosition(pos.x(), pos.y());
}

void CardCanvas::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) return;
    if (dragging_ && pressed_ >= 0) {
        QPoint rel = RelativeToPressed(event->position().toPoint());
        Card next = document_.card();
        Slot& slot = next.slot(pressed_);
        DrawRubberBand(current_);
        if (mode_ == EditMode::Stretch) ApplyResize(slot, KindOfSlot(pressed_), current_, measurer_);
        else if (mode_ == EditMode::Move)
            slot.bounds = MovedBounds(slot.bounds, rel.x(), rel.y(), press_.x(), press_.y());
        dragging_ = false;  // before the redraw, which would draw the band again
        document_.Apply(std::move(next));
    }
    dragging_ = false;
    pressed_ = -1;
    escape_->setEnabled(false);
}

namespace {

// File managers offer text/uri-list; a terminal or an editor may give plain paths, one a line.
QStringList DroppedPaths(const QMimeData* data) {
    QStringList paths;
    if (!data) return paths;
    if (data->hasUrls()) {
        for (const QUrl& url : data->urls())
            if (url.isLocalFile()) paths.append(url.toLocalFile());
        return paths;
    }
    for (const QString& line : data->text().split('\n', Qt::SkipEmptyParts)) {
        const QString path = line.trimmed();
        if (QDir::isAbsolutePath(path)) paths.append(path);
    }
    return paths;
}

}  // namespace

void CardCanvas::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedPaths(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void CardCanvas::dragMoveEvent(QDragMoveEvent* event) {
    if (!DroppedPaths(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void CardCanvas::dropEvent(QDropEvent* event) {
    const QStringList paths = DroppedPaths(event->mimeData());
    if (paths.isEmpty()) return;
    event->acceptProposedAction();
    emit filesDropped(paths, event->position().toPoint());
}

}  // namespace zepo
