#pragma once
// One window for each user: a start that finds a window open hands it the verse file it was
// given and ends; the open window comes forward and opens the file. The two meet at a local
// socket of the user's own (in the private runtime folder where there is one).

#include <QObject>
#include <QString>
#include <QStringList>

class QLocalServer;

namespace kvat {

class SingleInstance : public QObject {
    Q_OBJECT

public:
    // `name`: the socket's; the user's own by default.
    explicit SingleInstance(QObject* parent = nullptr, QString name = DefaultName());

    // True when an open window took `files` (absolute paths): this start is to end.
    bool HandOver(const QStringList& files) const;
    // Takes the socket for this window, replacing one an ended start left behind; false when
    // another program holds it (the window then runs alone).
    bool Listen();

    static QString DefaultName();

signals:
    // A later start's files; none when it was started without one.
    void started(const QStringList& files);

private:
    void Receive();

    QString name_;
    QLocalServer* server_ = nullptr;
};

} // namespace kvat
