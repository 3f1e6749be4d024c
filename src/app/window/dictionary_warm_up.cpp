#include "app/window/dictionary_warm_up.h"

#include "verse/analysis.h"

#include <QtConcurrent/QtConcurrentRun>

namespace kvat {

DictionaryWarmUp::DictionaryWarmUp(QObject* parent)
    : QObject(parent), watcher_(new QFutureWatcher<void>(this)) {
    connect(watcher_, &QFutureWatcher<void>::finished, this, [this] {
        ready_ = true;
        emit ready();
    });
}

void DictionaryWarmUp::Start() {
    if (started_) return;
    started_ = true;
    // A word no lexicon holds, so that espeak-ng is asked and loads.
    watcher_->setFuture(
        QtConcurrent::run([] { AnalyseVerse({U"кваттракс"}, U',', StressMode::kDictionary); }));
}

} // namespace kvat
