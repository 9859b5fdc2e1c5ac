#include "core/example/ExampleSystemLogic.h"

#include "core/kit/ValueCodecs.h"

namespace kx::example {

bool ExampleSystemLogic::ReadIdentity(const GetResult& answer, SystemIdentity& identity)
{
    if (!answer.ok() || answer.values.size() != 3)
        return false;
    Utf8ToText(answer.value(0).octets, identity.name);
    Utf8ToText(answer.value(1).octets, identity.contact);
    Utf8ToText(answer.value(2).octets, identity.location);
    return true;
}

QStringList ExampleSystemLogic::InterfaceRow(const WalkRow& row)
{
    const QString state = row.value(2).text() == QLatin1String("1") ? QStringLiteral("Up")
                                                                     : QStringLiteral("Down");
    return {row.index, row.value(1).text(), state};
}

QString ExampleSystemLogic::Check(const SystemIdentity& typed)
{
    if (typed.name.isEmpty())
        return QStringLiteral("The system name could not be empty.");
    if (!CheckNameChars(typed.name))
        return QStringLiteral("The system name has characters that are not allowed.");
    return {};
}

std::vector<SetBinding> ExampleSystemLogic::Changes(const SystemIdentity& lastRead,
                                                    const SystemIdentity& typed)
{
    std::vector<SetBinding> bindings;
    auto add = [&](const QString& oid, const QString& before, const QString& now) {
        if (before != now) {
            QByteArray utf8;
            TextToUtf8(now, utf8, 128);
            bindings.push_back(SetBinding::Octets(oid, utf8));
        }
    };
    add(kSysName, lastRead.name, typed.name);
    add(kSysContact, lastRead.contact, typed.contact);
    add(kSysLocation, lastRead.location, typed.location);
    return bindings;
}

} // namespace kx::example
