#include "piece/piece_files.h"

#include "midi/file_writer.h"
#include "piece/layout_json.h"
#include "score/musicxml.h"

#include <array>
#include <streambuf>

namespace kvat {
namespace {

// An output stream's buffer that hands full blocks to the file, so that a large output is
// never held whole.
class FileBuffer : public std::streambuf {
public:
    explicit FileBuffer(AtomicFile& file) : file_(file) { Reset(); }

protected:
    int_type overflow(int_type c) override {
        if (!Flush()) return traits_type::eof();
        if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
        return c;
    }
    int sync() override { return Flush() ? 0 : -1; }

private:
    void Reset() { setp(block_.data(), block_.data() + block_.size()); }
    bool Flush() {
        const auto* data = reinterpret_cast<const std::uint8_t*>(pbase());
        const auto size = static_cast<std::size_t>(pptr() - pbase());
        Reset();
        return file_.Write({data, size});
    }

    AtomicFile& file_;
    std::array<char, 1 << 16> block_;
};

std::string Failure(const std::filesystem::path& path, const std::string& error) {
    return error.empty() ? path.string() + ": cannot write the file" : error;
}

std::string WriteBytes(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                       FileBatch* batch) {
    std::string error;
    return WriteFileAtomically(path, bytes, error, batch) ? std::string() : Failure(path, error);
}

std::string WriteLayout(const Piece& piece, const std::filesystem::path& path, FileBatch* batch) {
    AtomicFile file(path, batch);
    if (!file.Error().empty()) return Failure(path, file.Error());
    FileBuffer buffer(file);
    std::ostream stream(&buffer);
    WriteLayoutJson(stream, LayoutPiece(piece));
    stream.flush();
    return stream && file.Commit() ? std::string() : Failure(path, file.Error());
}

} // namespace

TrackBytes PieceMidi(const Piece& piece) {
    return ArrangeNotes(piece.Sounds(), piece.settings.sound, piece.words,
                        piece.bars ? &*piece.bars : nullptr);
}

std::string PieceMusicXml(const Piece& piece) {
    return MusicXmlScore(piece.Sounds(), piece.Rows(), piece.settings.sound, piece.title,
                         piece.bars ? &*piece.bars : nullptr);
}

std::string WritePieceFile(const Piece& piece, OutputFormat format,
                           const std::filesystem::path& path, FileBatch* batch) {
    if (const std::string silence = piece.Silence(); !silence.empty())
        return path.string() + ": no melody: " + silence;
    switch (format) {
    case OutputFormat::kMidi:
        return WriteBytes(path, PieceMidi(piece), batch);
    case OutputFormat::kMusicXml: {
        const std::string text = PieceMusicXml(piece);
        return WriteBytes(
            path, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()),
            batch);
    }
    case OutputFormat::kJson:
        return WriteLayout(piece, path, batch);
    case OutputFormat::kWav:
    case OutputFormat::kPng:
    case OutputFormat::kSvg:
    case OutputFormat::kPdf:
    case OutputFormat::kCount:
        break;
    }
    return path.string() + ": not a format the core writes";
}

} // namespace kvat
