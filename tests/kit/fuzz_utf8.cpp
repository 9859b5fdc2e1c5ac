// Names in UTF-8: any octets decode to at most 255 UTF-16 units without half a
// surrogate pair at the end; any text encodes to whole sequences that fit the
// buffer and decode back to a prefix of the text.
#include "FuzzSupport.h"

#include "core/kit/ValueCodecs.h"

#include <QStringDecoder>

#include <algorithm>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const qsizetype buffer = data[0];
    const QByteArrayView raw(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));

    QString text;
    const int result = Utf8ToText(raw, text);
    kxfuzz::Require(result == (text.isEmpty() ? 0 : 1));
    kxfuzz::Require(text.size() <= 255);
    kxfuzz::Require(text.isEmpty() || !text.back().isHighSurrogate());
    kxfuzz::Require(!text.contains(QChar(0)));

    // Encode both the decoded text and the raw octets taken as UTF-16 units.
    QString units(raw.size() / 2, Qt::Uninitialized);
    std::memcpy(units.data(), raw.data(), static_cast<size_t>(units.size()) * 2);
    for (const QString& input : {text, units}) {
        QByteArray utf8;
        kxfuzz::Require(TextToUtf8(input, utf8, buffer) == 1);
        kxfuzz::Require(utf8.size() < std::max<qsizetype>(buffer, 1));
        // Whole, valid sequences only; a leading BOM is a character here, not a mark.
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
        const QString back = decoder.decode(utf8);
        kxfuzz::Require(!decoder.hasError());
        if (input == text)
            kxfuzz::Require(back.isEmpty() || text.startsWith(back));
    }
    return 0;
}
