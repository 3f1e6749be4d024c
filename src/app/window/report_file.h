#pragma once
// The help menu's reports go to one text file, which the desktop's own program opens and which
// is removed when the window closes.

#include <QString>

namespace kvat {

// In the session's runtime folder, which is the user's own; without one, the user's cache.
QString ReportPath();

// Writes `text` with a final line break, lines ending as this system's text files do, readable
// by the user alone. False when the file cannot be written.
bool WriteReport(const QString& text);

} // namespace kvat
