#pragma once
// The name a kept MIDI file takes in the user's folder: the verse's first line made safe as a
// file name, and a number added when another poem's file already holds that name. A poem's
// later versions replace its own copy: a copy is the poem's when it carries the poem's title.

#include <QString>

#include <cstdint>
#include <filesystem>
#include <span>

namespace kvat {

// The line's words without punctuation, spaces collapsed, at most 80 characters; "Kvat" when
// nothing is left.
QString SafeFileStem(const QString& line);

// `stem`.mid in `folder`, or the first of `stem` (2).mid, (3).mid … that is free or holds an
// earlier version of `file`.
std::filesystem::path FreeCopyPath(const std::filesystem::path& folder, const QString& stem,
                                   std::span<const std::uint8_t> file);

} // namespace kvat
