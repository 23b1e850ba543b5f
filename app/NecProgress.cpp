#include "NecProgress.h"

#include "NecBackground.h"

#include <QBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

TNecProgress::TNecProgress(TNecBackground &background, QWidget *parent) : QWidget(parent)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_bar = new QProgressBar(this);
    m_bar->setObjectName(QStringLiteral("NecProgressBar"));
    m_bar->setFormat(tr("%v из %m"));
    m_bar->setMaximumWidth(220);
    m_cancel = new QPushButton(tr("Отмена"), this);
    m_cancel->setObjectName(QStringLiteral("NecCancelButton"));
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("NecStatus"));
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // A long reason is cut at the window's edge rather than widening it.
    m_status->setMinimumWidth(0);
    m_status->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    layout->addWidget(m_bar);
    layout->addWidget(m_cancel);
    layout->addWidget(m_status, 1);
    Ended();
    connect(m_cancel, &QPushButton::clicked, &background, &TNecBackground::Cancel);
    connect(&background, &TNecBackground::Progressed, m_bar, &QProgressBar::setValue);
    connect(&background, &TNecBackground::Finished, this, &TNecProgress::Ended);
    connect(&background, &TNecBackground::Cancelled, this, [this] {
        Ended();
        SetStatus(tr("Расчёт NEC-2 отменён"));
    });
    connect(&background, &TNecBackground::Failed, this, [this](const QString &message) {
        Ended();
        SetStatus(message);
    });
}

void TNecProgress::Began(int steps)
{
    m_bar->setRange(0, steps);
    m_bar->setValue(0);
    m_bar->setTextVisible(steps > 0);
    m_bar->show();
    m_cancel->show();
    SetStatus(steps > 0 ? tr("Расчёт NEC-2…") : tr("Расчёт NEC-2 (одна длина)…"));
}

void TNecProgress::SetStatus(const QString &text)
{
    m_status->setText(text);
    m_status->setToolTip(text);
}

QString TNecProgress::Status() const
{
    return m_status->text();
}

void TNecProgress::Ended()
{
    m_bar->hide();
    m_cancel->hide();
}
