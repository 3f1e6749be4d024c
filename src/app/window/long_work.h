#pragma once
// Work on a long verse that takes longer than a person waits without a sign: it runs on a
// worker while the window goes on drawing itself, and past half a second a progress dialog
// says what is being done. The window takes no input meanwhile, so nothing changes the verse
// under the work.

#include <QEventLoop>
#include <QProgressDialog>
#include <QString>
#include <optional>
#include <thread>

namespace kvat {

// Verses shorter than this are done on the window's thread: a few hundred milliseconds at most.
inline constexpr std::size_t kLongVerseLines = 20000;

template <class Work>
auto RunLongWork(QWidget* window, const QString& what, Work work) -> decltype(work()) {
    std::optional<decltype(work())> result;
    QEventLoop loop;
    std::thread worker([&] {
        result.emplace(work());
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    QProgressDialog progress(what, QString(), 0, 0, window);
    progress.setWindowTitle("Kvat");
    progress.setWindowModality(Qt::WindowModal);
    progress.setCancelButton(nullptr);
    progress.setMinimumDuration(500);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    worker.join();
    return std::move(*result);
}

} // namespace kvat
