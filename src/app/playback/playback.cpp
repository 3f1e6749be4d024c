#include "app/playback/playback.h"

#include "app/playback/copy_name.h"
#include "midi/file_writer.h"
#include "midi/midi_timing.h"
#include "piece/piece_files.h"
#include "sound/marker.h"

#include <QDir>
#include <QStandardPaths>

#include <algorithm>
#include <system_error>

namespace kvat {
namespace {

namespace fs = std::filesystem;

fs::path LocalPath(const QString& path) {
    return fs::path(path.toStdString());
}

// XDG_RUNTIME_DIR is private to the user by definition; without it Qt would fall back to a
// folder under the shared /tmp, so the application's data folder serves instead.
fs::path WorkFolder() {
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
        if (!runtime.isEmpty()) return LocalPath(runtime) / "kvat";
    }
    return LocalPath(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation));
}

// Kept music belongs with the user's music, never beside the program.
fs::path CopyFolder() {
    const QString music = QStandardPaths::writableLocation(QStandardPaths::MusicLocation);
    return LocalPath(music.isEmpty() ? QDir::homePath() : music) / "Kvat";
}

// Creates the folder if need be and makes it the user's alone, so nobody else can plant a
// link where the file is written.
bool PrivateFolder(const fs::path& folder) {
    std::error_code error;
    fs::create_directories(folder, error);
    if (error || fs::is_symlink(folder, error)) return false;
    fs::permissions(folder, fs::perms::owner_all, fs::perm_options::replace, error);
    return !error;
}

} // namespace

PlaybackFolders DefaultPlaybackFolders() {
    return {WorkFolder(), CopyFolder()};
}

PlaybackController::PlaybackController(Sequencer& sequencer, PlaybackFolders folders,
                                       QObject* parent)
    : QObject(parent), sequencer_(sequencer), folders_(std::move(folders)) {
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &PlaybackController::Tick);
}

PlaybackController::~PlaybackController() {
    StopPlayback();
}

void PlaybackController::Play(const Piece& piece) {
    if (state_ == State::kPaused)
        Resume();
    else
        FreshStart(piece, 0);
    emit lampChanged(std::min(MarkerColumn(markerX_), scrollMaximum_ - 1));
    SetState(State::kPlaying);
    StartTimer();
}

void PlaybackController::PlayFrom(const Piece& piece, int column) {
    FreshStart(piece, std::clamp(column, 0, std::max(0, scrollMaximum_ - 1)));
    emit lampChanged(MarkerColumn(markerX_));
    SetState(State::kPlaying);
    StartTimer();
}

void PlaybackController::FreshStart(const Piece& piece, int column) {
    StopPlayback();
    const auto bytes = PieceMidi(piece);
    copyStem_ = SafeFileStem(QString::fromStdU32String(piece.title));
    WriteFile(bytes);
    std::int64_t fromMs = 0;
    const auto note = static_cast<std::size_t>(column);
    timing_ = ReadMidiTiming(bytes);
    if (timing_ && column > 0 && note < piece.notes.size())
        fromMs = TicksToMs(*timing_, piece.notes[note].start);
    noteMs_.clear();
    if (timing_ && piece.bars)
        for (const PieceNote& played : piece.notes)
            noteMs_.push_back(TicksToMs(*timing_, played.start));
    if (timing_ && voiceOutput_ && piece.settings.sound.singing)
        voice_ = SungVoice::Start(piece, static_cast<double>(fromMs) / 1000, voiceOutput_.rate());
    if (sequencer_.Open(filePath())) {
        sequencer_.Play(static_cast<int>(fromMs));
        SingFrom(fromMs);
    }
    PlaceMarker(column);
    emit markerShown(true);
}

// The marker and the scroll as `column` ticks from the start would leave them, so that the
// rest of the play runs as if it had started at the beginning.
void PlaybackController::PlaceMarker(int column) {
    markerX_ = kMarkerStartTwips;
    int scroll = 0;
    for (int i = 0; i < column; ++i) {
        const MarkerStep step = AdvanceMarker(markerX_, scroll, scrollMaximum_, viewportTwips_);
        markerX_ = step.markerX;
        scroll = step.scrollValue;
    }
    emit markerMoved(markerX_);
    SetScroll(scroll);
}

void PlaybackController::Resume() {
    sequencer_.Play(pausePosition_);
    SingFrom(pausePosition_);
    SetScroll(pausedScroll_);
}

void PlaybackController::StartTimer() {
    if (const auto length = sequencer_.LengthMs()) songLength_ = length;
    if (const auto interval = MarkerInterval(songLength_, scrollMaximum_)) {
        interval_ = *interval;
        timer_.setInterval(interval_);
    }
    AimAtNextNote();
    if (interval_ > 0) timer_.start();
}

void PlaybackController::AimAtNextNote() {
    if (noteMs_.empty()) return;
    const int column = MarkerColumn(markerX_);
    const auto position = sequencer_.PositionMs();
    const auto interval = NoteInterval(
        noteMs_, column,
        position
            ? *position
            : noteMs_[std::min<std::size_t>(std::size_t(std::max(column, 0)), noteMs_.size() - 1)]);
    if (!interval) return;
    interval_ = *interval;
    timer_.setInterval(interval_);
}

void PlaybackController::Pause() {
    if (state_ != State::kPlaying) return;
    if (const auto position = sequencer_.PositionMs()) pausePosition_ = *position;
    sequencer_.Pause();
    if (voice_) voiceOutput_.sing(nullptr, 0);
    pausedScroll_ = scrollValue_;
    timer_.stop();
    SetState(State::kPaused);
}

void PlaybackController::Stop() {
    StopPlayback();
    emit stopped();
    emit markerShown(false);
    timer_.stop();
    SetScroll(0);
    emit lampCleared();
    SetState(State::kStopped);
}

void PlaybackController::StopPlayback() {
    sequencer_.Stop();
    sequencer_.Close();
    if (voice_) voiceOutput_.sing(nullptr, 0);
    voice_.reset();
    if (keepCopy_) KeepCopy();
    std::error_code ignored;
    fs::remove(filePath(), ignored);
}

void PlaybackController::Tick() {
    const MarkerStep step = AdvanceMarker(markerX_, scrollValue_, scrollMaximum_, viewportTwips_);
    markerX_ = step.markerX;
    AimAtNextNote();
    emit markerMoved(markerX_);
    SetScroll(step.scrollValue);
    if (step.lampIndex >= 0) emit lampChanged(step.lampIndex);
    if (step.atEnd) {
        timer_.stop();
        Stop();
    }
}

// The voice from the frame of the tick the sequencer plays from, so that the two keep together
// to the sample.
void PlaybackController::SingFrom(std::int64_t ms) {
    if (!voice_ || !timing_) return;
    const auto track = voice_->Track();
    const std::int64_t micros =
        MsToTicks(*timing_, ms) * timing_->microsPerQuarter / timing_->division;
    voiceOutput_.sing(track, micros * track->Rate() / 1'000'000);
}

void PlaybackController::SetState(State state) {
    if (state_ == state) return;
    state_ = state;
    emit stateChanged(state_);
}

void PlaybackController::SetScroll(int value) {
    if (scrollValue_ == value) return;
    scrollValue_ = value;
    emit scrollChanged(value);
}

void PlaybackController::WriteFile(const std::vector<std::uint8_t>& bytes) {
    // A file that cannot be written is not opened, so nothing sounds; the marker still runs.
    if (PrivateFolder(folders_.work)) WriteFileAtomically(filePath(), bytes);
}

void PlaybackController::KeepCopy() {
    const auto bytes = ReadFileBytes(filePath());
    if (!bytes) return;
    std::error_code ignored;
    fs::create_directories(folders_.copy, ignored);
    copyPath_ = FreeCopyPath(folders_.copy, copyStem_, *bytes);
    WriteFileAtomically(copyPath_, *bytes);
}

} // namespace kvat
