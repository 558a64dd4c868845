#pragma once

#include <QString>

// The author's address, shown in the About box and offered after a settings write error.
inline QString contactAddress()
{
    return QStringLiteral("vardeko.support@gmail.com");
}
