#include "dialogs/MoviePlayer.h"

#include <QAudioOutput>
#include <QHBoxLayout>
#include <QMediaPlayer>
#include <QPalette>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>
#include <QVideoWidget>

#include "dialogs/Named.h"

namespace zepo {
namespace {

void ShowBlack(QWidget& widget) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, Qt::black);
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

}  // namespace

MoviePlayer::MoviePlayer(QWidget* parent) : QWidget(parent) {
    screen_ = Named(new QWidget(this), "movieScreen");
    screen_->setMinimumSize(160, 120);
    // A screen, black until a movie shows: left to itself the area would show what lies
    // behind it.
    ShowBlack(*screen_);
    new QVBoxLayout(screen_);
    screen_->layout()->setContentsMargins(0, 0, 0, 0);
    playButton_ = Named(new QPushButton("再生", this), "btnPlay");
    stopButton_ = Named(new QPushButton("停止", this), "btnStop");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(playButton_);
    buttons->addWidget(stopButton_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(screen_);
    layout->addLayout(buttons);

    connect(playButton_, &QPushButton::clicked, this, [this] {
        emit playPressed();
        Play();
    });
    connect(stopButton_, &QPushButton::clicked, this, &MoviePlayer::Stop);
}

void MoviePlayer::CreatePlayer() {
    player_ = new QMediaPlayer(this);
    video_ = Named(new QVideoWidget(screen_), "video");
    ShowBlack(*video_);
    screen_->layout()->addWidget(video_);
    player_->setVideoOutput(video_);
    player_->setAudioOutput(new QAudioOutput(this));
    // A file the backend cannot read may report an error, an invalid status or both; the
    // first of them decides.
    connect(player_, &QMediaPlayer::errorOccurred, this, [this] { Answer(false); });
    connect(player_, &QMediaPlayer::mediaStatusChanged, this, [this](QMediaPlayer::MediaStatus status) {
        if (status == QMediaPlayer::InvalidMedia) Answer(false);
        else if (status == QMediaPlayer::LoadedMedia || status == QMediaPlayer::BufferedMedia) Answer(true);
    });
}

void MoviePlayer::Open(const QString& path) {
    if (!player_) CreatePlayer();
    waiting_ = false;
    player_->stop();
    player_->setSource(QUrl());
    waiting_ = true;
    player_->setSource(QUrl::fromLocalFile(path));
}

void MoviePlayer::Close() {
    waiting_ = false;
    if (!player_) return;
    player_->stop();
    player_->setSource(QUrl());
}

void MoviePlayer::Play() {
    if (player_) player_->play();
}

void MoviePlayer::Stop() {
    if (player_) player_->stop();
}

void MoviePlayer::Answer(bool ok) {
    if (!waiting_) return;
    waiting_ = false;
    if (ok) emit opened();
    else emit openFailed();
}

}  // namespace zepo
