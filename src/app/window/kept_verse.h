#pragma once
// The verse left unsaved, kept for the next start in a file of its own in the application's data
// folder (never in the settings file, which every start reads whole): written a moment after
// the last edit, so that a crash or a logout loses little, and removed once the verse is saved,
// discarded or replaced.

#include <QString>
#include <optional>

namespace kvat {

struct KeptVerse {
    QString text; // lines end in \n
    QString path; // the file the verse was opened from or saved as; empty for none
};

QString KeptVersePath();
// False when it could not be written; the earlier one then stays.
bool KeepVerse(const KeptVerse& verse);
std::optional<KeptVerse> LoadKeptVerse();
void ForgetKeptVerse();

} // namespace kvat
