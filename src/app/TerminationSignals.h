#pragma once

#include <QObject>

class QSocketNotifier;

namespace tavi::app {

// Turns SIGTERM, SIGINT and SIGHUP into an orderly quit of the event loop, so that a
// session logout or Ctrl+C still saves the playlist and the settings on the way out. The
// quit has a deadline (under 2 s) after which the process ends; a second signal ends it
// at once.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

Q_SIGNALS:
    void terminationRequested();

private:
    static void onSignal(int signal);
    void readSignal();

    QSocketNotifier* m_notifier = nullptr;
};

}  // namespace tavi::app
