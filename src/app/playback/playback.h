#pragma once
// Playback as the play, pause and stop buttons drive it, without the widgets: a fresh play
// arranges the melody, writes the MIDI file to a private folder and plays it; a timer then moves
// the marker one score column per tick, scrolls the score and lights the colour lamp, and stops
// playback at the last column. The window binds the signals to its controls and tells the
// controller what the user changed.

#include "app/playback/sung_voice.h"
#include "midi/midi_timing.h"
#include "piece/piece.h"
#include "score/twips.h"
#include "sound/sequencer.h"

#include <QObject>
#include <QTimer>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kvat {

struct PlaybackFolders {
    std::filesystem::path work; // holds the file while it plays; the user's own, mode 0700
    std::filesystem::path copy; // receives a copy of each file when the user keeps them
};

// The work folder in the user's runtime directory, else in the application's data folder,
// never a folder other users can write to; the copy folder is Kvat's in the user's music folder.
// Needs the application object.
PlaybackFolders DefaultPlaybackFolders();

inline constexpr char kMidiFileName[] = "file.mid";

class PlaybackController : public QObject {
    Q_OBJECT
public:
    enum class State { kStopped, kPlaying, kPaused };
    Q_ENUM(State)

    PlaybackController(Sequencer& sequencer, PlaybackFolders folders, QObject* parent = nullptr);
    // Stops and removes the file, as closing the window does.
    ~PlaybackController() override;

    // Where a piece whose settings ask for the voice is sung; without one it is not.
    void SetVoiceOutput(VoiceOutput output) { voiceOutput_ = std::move(output); }

    // A fresh start (writing the piece's MIDI file, words and all), or the resumption of a
    // paused play, for which nothing is written again. The voice sings from where the
    // sequencer plays.
    void Play(const Piece& piece);
    // A fresh start from note `column` of the score: the marker stands where that column's
    // tick would have brought it, the sequencer starts at the note's time.
    void PlayFrom(const Piece& piece, int column);
    void Pause();
    void Stop(); // the stop button, and the marker reaching the last column
    // Halts and closes the sequencer, keeps a copy of the file if asked, deletes the file.
    void StopPlayback();
    // One tick of the marker's timer.
    void Tick();

    // What the window holds and the controller reads: whether the user keeps the files, the
    // score's scroll range (set by every drawing) and a scroll the user made.
    void SetKeepCopy(bool keep) { keepCopy_ = keep; }
    void SetScrollMaximum(int maximum) { scrollMaximum_ = maximum; }
    void SetScrollValue(int value) { scrollValue_ = value; }
    // The score's visible width, which grows with the window.
    void SetViewportWidth(int twips) { viewportTwips_ = twips; }

    State state() const { return state_; }
    int markerX() const { return markerX_; }
    int scrollValue() const { return scrollValue_; }
    int timerInterval() const { return interval_; }
    bool timerActive() const { return timer_.isActive(); }
    std::filesystem::path filePath() const { return folders_.work / kMidiFileName; }
    // The last copy kept, empty before the first.
    std::filesystem::path copyPath() const { return copyPath_; }

signals:
    void stateChanged(kvat::PlaybackController::State state);
    void markerMoved(int twips); // the marker line's place on the canvas
    void markerShown(bool shown);
    void scrollChanged(int value); // the score's scroll value
    void lampChanged(int index);   // the colour lamp takes colour-list line `index`
    void lampCleared();            // the colour lamp turns white
    void stopped();                // the stop handler ran: the live preview output closes too

private:
    void FreshStart(const Piece& piece, int column);
    void PlaceMarker(int column);
    void Resume();
    void StartTimer();
    // Under notes of their own times: the wait for the next one, from where playback is.
    void AimAtNextNote();
    void SetState(State state);
    void SetScroll(int value);
    void WriteFile(const std::vector<std::uint8_t>& bytes);
    void KeepCopy();
    void SingFrom(std::int64_t ms);

    Sequencer& sequencer_;
    PlaybackFolders folders_;
    QTimer timer_;
    State state_ = State::kStopped;
    bool keepCopy_ = true;
    int scrollMaximum_ = 0;
    int scrollValue_ = 0;
    int markerX_ = kMarkerStartTwips;
    int viewportTwips_ = kViewportTwips;
    int interval_ = 0;      // 0: never set, the timer does not run
    int pausePosition_ = 0; // ms
    int pausedScroll_ = 0;
    std::optional<int> songLength_; // the last length the sequencer reported
    // A melody timing its notes itself: each note's start, which the marker follows.
    std::vector<std::int64_t> noteMs_;
    QString copyStem_; // the name of the copy of the piece now played: its title's words
    std::filesystem::path copyPath_;
    VoiceOutput voiceOutput_;
    std::unique_ptr<SungVoice> voice_; // the piece played, sung; none when not sung
    std::optional<MidiTiming> timing_; // of the file played
};

} // namespace kvat
