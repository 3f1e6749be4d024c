#include "app/playback/copy_name.h"

namespace kvat {
namespace {

constexpr int kLongestStem = 80;
constexpr char16_t kUnsafe[] = u"/\\:*?\"<>|";

} // namespace

QString SafeFileStem(const QString& line) {
    QString stem;
    for (QChar c : line) stem += c.isPrint() && !QStringView(kUnsafe).contains(c) ? c : QChar(' ');
    // A leading dot would hide the file; trailing dots and spaces trouble other systems.
    stem = stem.simplified().left(kLongestStem);
    while (!stem.isEmpty() && (stem.front() == '.' || stem.back() == '.' || stem.back() == ' '))
        stem.remove(stem.front() == '.' ? 0 : stem.size() - 1, 1);
    return stem.isEmpty() ? QStringLiteral("Kvat") : stem;
}

std::filesystem::path FreeCopyPath(const std::filesystem::path& folder, const QString& stem) {
    const auto path = [&](int n) {
        const QString name = n == 1 ? stem : QStringLiteral("%1 (%2)").arg(stem).arg(n);
        return folder / (name + ".mid").toStdString();
    };
    std::error_code ignored;
    int n = 1;
    while (std::filesystem::exists(path(n), ignored)) ++n;
    return path(n);
}

} // namespace kvat
