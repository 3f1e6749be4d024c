#pragma once
// espeak-ng's first call loads its data, tens of milliseconds the window must not stand still
// for: the first dictionary analysis runs on a worker, and later ones, once it is loaded, are
// quick enough for the window's thread.

#include <QFutureWatcher>
#include <QObject>

namespace kvat {

class DictionaryWarmUp : public QObject {
    Q_OBJECT

public:
    explicit DictionaryWarmUp(QObject* parent);

    bool Ready() const { return ready_; }
    // Starts loading on a worker unless it is loading or loaded; `ready` follows once.
    void Start();

signals:
    void ready();

private:
    QFutureWatcher<void>* watcher_;
    bool started_ = false;
    bool ready_ = false;
};

} // namespace kvat
