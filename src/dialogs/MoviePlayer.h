#pragma once
// The movie player of the movie dialog: a video picture with only Play and Stop, over Qt
// Multimedia. Opening is asynchronous; each Open ends in exactly one opened() or openFailed().
// The media backend is loaded at the first Open, not with the editor's windows: it costs a
// tenth of a second, and most editing sessions never try a movie.

#include <QString>
#include <QWidget>

class QMediaPlayer;
class QPushButton;
class QVideoWidget;

namespace zepo {

class MoviePlayer : public QWidget {
    Q_OBJECT
public:
    explicit MoviePlayer(QWidget* parent = nullptr);

    // Loads the file and opens it; any earlier answer still on its way is dropped.
    void Open(const QString& path);
    // Stops and lets go of the file, so that no answer arrives for it any more.
    void Close();
    void Play();
    void Stop();

signals:
    void opened();
    void openFailed();
    // Play was pressed; whoever owns the player opens the file again before it plays.
    void playPressed();

private:
    void Answer(bool ok);
    void CreatePlayer();

    QMediaPlayer* player_ = nullptr;
    QVideoWidget* video_ = nullptr;
    QWidget* screen_;  // holds the video picture once there is one
    QPushButton* playButton_;
    QPushButton* stopButton_;
    bool waiting_ = false;  // an Open has had no answer yet
};

}  // namespace zepo
