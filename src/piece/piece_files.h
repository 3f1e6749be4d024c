#pragma once
// The files the core writes from a piece: the arranged MIDI file, the MusicXML score and the
// score layout's JSON. Pictures are app/render's and the WAV is sound/'s, each from the same
// piece.

#include "midi/file_writer.h"
#include "midi/track_events.h"
#include "piece/output_formats.h"
#include "piece/piece.h"

#include <filesystem>
#include <string>

namespace kvat {

// The Standard MIDI File: the arrangement under the piece's sound settings, named after the
// verse, with a lyric on every sung note unless the piece leaves them out.
TrackBytes PieceMidi(const Piece& piece);

// The MusicXML 4.0 document of every voice switched on.
std::string PieceMusicXml(const Piece& piece);

// Writes the piece as `path` in a format the core writes (MIDI, the layout's JSON, MusicXML),
// whole or not at all (by way of `batch`, when given). Empty on success, else one line naming
// the file and the reason; a picture or sound format is refused, as is a piece with nothing to
// sound.
std::string WritePieceFile(const Piece& piece, OutputFormat format,
                           const std::filesystem::path& path, FileBatch* batch = nullptr);

} // namespace kvat
