#include "common/legacytext.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace LegacyText {

QString decode(QByteArrayView bytes)
{
    QStringDecoder decoder("GB18030", QStringConverter::Flag::Stateless);
    return decoder(bytes);
}

std::optional<QString> decodeStrict(QByteArrayView bytes)
{
    QStringDecoder decoder("GB18030", QStringConverter::Flag::Stateless);
    const QString text = decoder(bytes);
    if (decoder.hasError() || text.contains(QChar::ReplacementCharacter))
        return std::nullopt;
    return text;
}

QByteArray encode(QStringView text)
{
    QStringEncoder encoder("GB18030");
    return encoder(text);
}

} // namespace LegacyText
