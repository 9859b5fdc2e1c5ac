// MAC texts and MAC/address values: a MAC the check accepts addresses exactly six
// octets and reads back as the text typed; received values of any length are shown
// without reading past them.
#include "FuzzSupport.h"

#include "core/kit/ValueCodecs.h"

#include <QStringList>

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const bool multicast = data[0] & 1;
    const QByteArrayView raw(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
    const QString text = QString::fromLatin1(raw);

    QString refusal;
    const int valid = CheckMacText(text, multicast, &refusal);
    kxfuzz::Require(refusal.isEmpty() == (valid == 1));
    const QString index = MacToOidIndex(text);
    if (valid) {
        const QStringList parts = index.split(QLatin1Char('.'));
        kxfuzz::Require(parts.size() == 7 && parts[0].isEmpty());
        QByteArray octets;
        for (int i = 1; i < 7; ++i) {
            bool ok = false;
            const int octet = parts[i].toInt(&ok);
            kxfuzz::Require(ok && octet >= 0 && octet <= 255);
            octets.append(static_cast<char>(octet));
        }
        kxfuzz::Require(kx::MacOctetsToText(octets) == text.toUpper());
        kxfuzz::Require(multicast || !(octets[0] & 1));
    }

    const QString mac = kx::MacOctetsToText(raw);
    kxfuzz::Require(raw.size() < 6 ? mac.size() == std::max<qsizetype>(0, 3 * raw.size() - 1) : mac.size() == 17);
    const QString ip = kx::IpOctetsToText(raw);
    kxfuzz::Require(raw.size() < 4 ? ip.size() == std::max<qsizetype>(0, 3 * raw.size() - 1)
                                   : ip.count(QLatin1Char('.')) == 3);
    ClassifyHostIp(text);
    return 0;
}
