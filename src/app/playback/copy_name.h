#pragma once
// The name a kept MIDI file takes in the user's folder: the verse's first line made safe as a
// file name, and a number added when another poem's file already holds that name.

#include <QString>

#include <filesystem>

namespace kvat {

// The line without the characters file systems or shells trip over, spaces collapsed, at most
// 80 characters; "Kvat" when nothing is left.
QString SafeFileStem(const QString& line);

// `stem`.mid in `folder`, or the first of `stem` (2).mid, (3).mid … that does not exist yet.
std::filesystem::path FreeCopyPath(const std::filesystem::path& folder, const QString& stem);

} // namespace kvat
