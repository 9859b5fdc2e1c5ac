#include "core/example/ExampleSystemLogic.h"

#include "core/kit/ValueCodecs.h"

namespace kx::example {

QStringList ExampleSystemLogic::InterfaceRow(const WalkRow& row)
{
    const QString state = row.value(2).text() == QLatin1String("1") ? QStringLiteral("Up")
                                                                     : QStringLiteral("Down");
    return {row.index, row.value(1).text(), state};
}

QString ExampleSystemLogic::Check(const QString& name)
{
    if (name.isEmpty())
        return QStringLiteral("The system name could not be empty.");
    if (!CheckNameChars(name))
        return QStringLiteral("The system name has characters that are not allowed.");
    return {};
}

} // namespace kx::example
