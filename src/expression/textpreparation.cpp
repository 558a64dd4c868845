#include "expression/textpreparation.h"

namespace {

constexpr QStringView kPi = u"3.1416";

bool isMultiplicative(char16_t c)
{
    return c == u'*' || c == u'/';
}

char16_t asciiLower(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? char16_t(c + (u'a' - u'A')) : c;
}

bool isTrigonometryName(char16_t a, char16_t b, char16_t c)
{
    return (a == u's' && b == u'i' && c == u'n') || (a == u'c' && b == u'o' && c == u's') ||
           (a == u't' && b == u'a' && c == u'n') || (a == u'a' && b == u't' && c == u'n');
}

// Some characters outside ASCII fold to an ASCII letter ("ſ" to "s", the Kelvin sign to "k"),
// and a surrogate pair folds as one code point; texts with either are left to QString's own
// case-insensitive search.
bool foldsLikeAscii(QStringView text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x80)
            continue;
        if (c.isSurrogate() || c.toCaseFolded().unicode() < 0x80)
            return false;
    }
    return true;
}

} // namespace

PreparedText prepareTypedText(QStringView typed)
{
    PreparedText prepared;
    // Written in place. Every typed character gives at most one character, except "π", which
    // makes room for its five more, so `out` always has room for the rest of the typed text.
    prepared.text.resize(typed.size());
    QChar *out = prepared.text.data();
    qsizetype length = 0;
    char16_t previous = 0;
    auto append = [&](char16_t c) {
        out[length++] = QChar(c);
        if (prepared.blank && !QChar::isSpace(c))
            prepared.blank = false;
        if (isMultiplicative(previous) && isMultiplicative(c))
            prepared.consecutiveMultiplicative = true;
        previous = c;
    };
    for (const QChar typedChar : typed) {
        char16_t c = typedChar.unicode();
        switch (c) {
        case u' ':
            continue;
        case u'×':
            c = u'*';
            break;
        case u'÷':
            c = u'/';
            break;
        case u'（':
        case u'[':
        case u'{':
        case u'【':
        case u'｛':
            c = u'(';
            break;
        case u'）':
        case u']':
        case u'}':
        case u'】':
        case u'｝':
            c = u')';
            break;
        case u'π':
            prepared.text.resize(prepared.text.size() + kPi.size() - 1);
            out = prepared.text.data();
            for (const QChar digit : kPi)
                append(digit.unicode());
            continue;
        case u'\\':
            prepared.integerDivision = true;
            break;
        case u'°':
            prepared.degreeSign = true;
            break;
        default:
            break;
        }
        append(c);
    }
    prepared.text.truncate(length);
    return prepared;
}

bool mentionsTrigonometry(QStringView text)
{
    if (!foldsLikeAscii(text)) {
        for (const char *name : {"Sin", "Cos", "Tan", "Atn"})
            if (text.contains(QLatin1String(name), Qt::CaseInsensitive))
                return true;
        return false;
    }
    for (qsizetype i = 2; i < text.size(); ++i)
        if (isTrigonometryName(asciiLower(text[i - 2].unicode()), asciiLower(text[i - 1].unicode()),
                               asciiLower(text[i].unicode())))
            return true;
    return false;
}
