#pragma once
// TNecProgress: the line of a laboratory tab that follows a NEC-2 run in the
// background: a progress bar ("n из N" for a sweep, a busy bar for a single
// run) and a "Отмена" button while it runs, and a line of text beside them
// that tells what was computed, or why nothing was.
#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;
class TNecBackground;

class TNecProgress : public QWidget
{
    Q_OBJECT
public:
    TNecProgress(TNecBackground &background, QWidget *parent = nullptr);

    // A run of `steps` steps has started (0: one run whose progress is not known).
    void Began(int steps);
    void SetStatus(const QString &text);
    QString Status() const;
    QProgressBar *Bar() const { return m_bar; }
    QPushButton *CancelButton() const { return m_cancel; }

private:
    void Ended();

    QProgressBar *m_bar = nullptr;
    QPushButton *m_cancel = nullptr;
    QLabel *m_status = nullptr;
};
