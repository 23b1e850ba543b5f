#pragma once
// TNecBackground: NEC-2's runs for a window, off the window's thread, one
// piece of work at a time. The work runs on a thread of its own with a
// cancel flag and a progress callback, and returns what the window is to do
// with its result; that runs on the window's thread, unless the work was
// cancelled or replaced meanwhile: a result that comes too late is dropped.
// A cancel ends the work's nec2c within a few hundredths of a second (its
// private folder goes with it); the destructor cancels and waits, so no
// thread and no nec2c outlives the window.
#include <QObject>
#include <QString>

#include <atomic>
#include <exception>
#include <functional>
#include <memory>
#include <thread>
#include <utility>
#include <vector>

class TNecBackground : public QObject
{
    Q_OBJECT
public:
    // The count of steps done, from the work's thread.
    using Progress = std::function<void(int done)>;
    // What to do with the result, on the window's thread.
    using Apply = std::function<void()>;
    // Throws the errors of the NEC-2 runs; NecCancelledError once cancel is set.
    using Work = std::function<Apply(const std::atomic<bool> &cancel, const Progress &progress)>;

    explicit TNecBackground(QObject *parent = nullptr);
    ~TNecBackground() override;

    // Cancels the work under way, if any, and starts work.
    void Start(Work work);
    // The work under way ends without a result (Cancelled); nothing when none runs.
    void Cancel();
    bool IsRunning() const { return m_current != nullptr; }

    // The window's words for an error of a NEC-2 run.
    static QString FailureText(const std::exception &error);

Q_SIGNALS:
    void Progressed(int done);
    // The result has been applied.
    void Finished();
    void Failed(const QString &message);
    void Cancelled();

private:
    struct Run;
    // Posted from the work's thread; drops what a replaced run sends.
    void Report(const std::shared_ptr<Run> &run, std::function<void()> report);
    void JoinEnded();

    std::shared_ptr<Run> m_current;
    std::vector<std::pair<std::shared_ptr<Run>, std::thread>> m_threads;
};
