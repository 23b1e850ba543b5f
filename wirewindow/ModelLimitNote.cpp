#include "ModelLimitNote.h"

#include "WireFigures.h"
#include "numbers/NumberText.h"
#include "physics/ClosedFormLimits.h"

#include <QCoreApplication>
#include <QStringList>

QString ModelLimitNote(const WireModel &model)
{
    const WireState state = model.state();
    if (state != WireState::Impedance && state != WireState::CurrentNode)
        return QString();
    QStringList notes;
    if (const std::optional<LengthSpan> band = FullWaveBand(model.length(), model.radius()))
        notes << QCoreApplication::translate("ModelLimitNote",
                                             "В модели синусоидального тока входное сопротивление вблизи полной волны "
                                             "(от %1 до %2 λ при этом радиусе) не физично: у настоящего провода в "
                                             "точке питания нет узла тока, и его сопротивление конечно.")
                     .arg(FixedNumberText(band->from, 3), FixedNumberText(band->to, 3));
    if (ThickForClosedForm(model.length(), model.radius()))
        notes << QCoreApplication::translate(
                     "ModelLimitNote",
                     "Провод короче %1 радиусов: реактивное сопротивление модели здесь не описывает провод.")
                     .arg(WireNumberText(kMinLengthToRadius));
    return notes.join(QLatin1Char(' '));
}
