#include "common/legacytext.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace LegacyText {

QString decode(QByteArrayView bytes)
{
    QStringDecoder decoder("GB18030", QStringConverter::Flag::Stateless);
    return decoder(bytes);
}

QByteArray encode(QStringView text)
{
    QStringEncoder encoder("GB18030");
    return encoder(text);
}

} // namespace LegacyText
