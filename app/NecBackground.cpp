#include "NecBackground.h"

#include "base/AppError.h"
#include "nec/NecErrors.h"
#include "nec/NecRunner.h"

#include <QMetaObject>

struct TNecBackground::Run
{
    std::atomic<bool> cancel{false};
    std::atomic<bool> ended{false};
};

TNecBackground::TNecBackground(QObject *parent) : QObject(parent) {}

TNecBackground::~TNecBackground()
{
    for (auto &[run, thread] : m_threads)
        run->cancel = true;
    // What the threads posted before they ended goes with this object.
    for (auto &[run, thread] : m_threads)
        thread.join();
}

QString TNecBackground::FailureText(const std::exception &error)
{
    if (dynamic_cast<const NecMissingError *>(&error))
        return tr("NEC-2 не рассчитан: программа nec2c не установлена (её даёт пакет nec2c)");
    const auto *known = dynamic_cast<const AppError *>(&error);
    return tr("NEC-2 не рассчитан: %1").arg(known ? known->message() : QString::fromLocal8Bit(error.what()));
}

void TNecBackground::Report(const std::shared_ptr<Run> &run, std::function<void()> report)
{
    QMetaObject::invokeMethod(
        this,
        [this, run, report = std::move(report)] {
            if (run == m_current)
                report();
        },
        Qt::QueuedConnection);
}

void TNecBackground::Start(Work work)
{
    Cancel();
    JoinEnded();
    auto run = std::make_shared<Run>();
    m_current = run;
    std::thread thread([this, run, work = std::move(work)] {
        // The window shows its own progress: no seconds on the terminal.
        const NecRunSecondsHidden hidden;
        const Progress progress = [this, run](int done) { Report(run, [this, done] { Q_EMIT Progressed(done); }); };
        const auto failure = [this](const QString &message) -> std::function<void()> {
            return [this, message] {
                m_current.reset();
                Q_EMIT Failed(message);
            };
        };
        std::function<void()> outcome;
        try {
            Apply apply = work(run->cancel, progress);
            outcome = [this, apply = std::move(apply)] {
                m_current.reset();
                if (apply)
                    apply();
                Q_EMIT Finished();
            };
        } catch (const NecCancelledError &) {
            // Cancel() has said so already.
        } catch (const std::exception &error) {
            outcome = failure(FailureText(error));
        } catch (...) {
            outcome = failure(tr("NEC-2 не рассчитан"));
        }
        if (outcome)
            Report(run, std::move(outcome));
        run->ended = true;
    });
    m_threads.emplace_back(run, std::move(thread));
}

void TNecBackground::Cancel()
{
    if (!m_current)
        return;
    m_current->cancel = true;
    m_current.reset();
    Q_EMIT Cancelled();
}

void TNecBackground::JoinEnded()
{
    for (auto it = m_threads.begin(); it != m_threads.end();) {
        if (it->first->ended) {
            it->second.join();
            it = m_threads.erase(it);
        } else {
            ++it;
        }
    }
}
