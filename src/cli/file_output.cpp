#include "cli/file_output.h"

#include "cli/output.h"
#include "midi/file_writer.h"

#include <array>
#include <streambuf>

namespace kvat::cli {
namespace {

// An output stream's buffer that hands full blocks to the file.
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

int Failed(const std::string& path, const std::string& error) {
    PrintError(error.empty() ? path + ": cannot write the file" : error);
    return 1;
}

} // namespace

int WriteOutput(const std::string& path, std::span<const std::uint8_t> bytes) {
    std::string error;
    return WriteFileAtomically(path, bytes, error) ? 0 : Failed(path, error);
}

int WriteOutput(const std::string& path, std::string_view text) {
    return WriteOutput(path,
                       std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

int WriteOutput(const std::string& path, const std::function<void(std::ostream&)>& write) {
    AtomicFile file(path);
    if (!file.Error().empty()) return Failed(path, file.Error());
    FileBuffer buffer(file);
    std::ostream stream(&buffer);
    write(stream);
    stream.flush();
    return stream && file.Commit() ? 0 : Failed(path, file.Error());
}

} // namespace kvat::cli
