#include "settings/rwini.h"

#include "common/errorvalue.h"
#include "settings/profilefile.h"

#include <QFileInfo>

#include <limits>
#include <utility>

namespace {

const QString NotSavedLead = QStringLiteral("设置未能保存：");

} // namespace

RWini::RWini(std::function<void(const QString &notice)> showNotice) : m_showNotice(std::move(showNotice)) {}

void RWini::setProgramDirectory(const QString &programDirectory)
{
    const bool needsSeparator = !programDirectory.isEmpty() && !programDirectory.endsWith(QLatin1Char('/'));
    m_iniPath = programDirectory + (needsSeparator ? QStringLiteral("/") : QString()) + fileName();
}

std::optional<QString> RWini::stored(const QString &section, const QString &key) const
{
    // A value written during start-up is not in the file yet.
    const auto pending = m_startupValues.constFind(section + QLatin1Char('\n') + key);
    if (pending != m_startupValues.cend())
        return *pending;
    return Profile::profileString(m_iniPath, section, key);
}

QString RWini::GetIniS(const QString &section, const QString &key, const QString &defaultValue)
{
    const std::optional<QString> stored = this->stored(section, key);
    if (!stored || stored->isEmpty()) {
        write(section, key, defaultValue);
        return defaultValue;
    }
    return stored->left(stored->indexOf(QChar(u'\0')));
}

int RWini::GetIniN(const QString &section, const QString &key, short defaultValue)
{
    const int value = m_startupWrites.isEmpty() ? Profile::profileInt(m_iniPath, section, key, defaultValue)
                                                : Profile::integerAt(stored(section, key), defaultValue);
    if (value == defaultValue)
        write(section, key, QString::number(defaultValue));
    return value;
}

int RWini::GetIniCount(const QString &section, const QString &key, const std::function<bool(int)> &present)
{
    const int count = GetIniN(section, key, 0);
    if (count >= std::numeric_limits<short>::min() && count <= std::numeric_limits<short>::max())
        return count;
    int held = 0;
    while (held < std::numeric_limits<short>::max() && present(held))
        ++held;
    SetIniN(section, key, held);
    return held;
}

bool RWini::hasIniValue(const QString &section, const QString &key) const
{
    const std::optional<QString> value = stored(section, key);
    return value && !value->isEmpty();
}

void RWini::SetIniS(const QString &section, const QString &key, const QString &value)
{
    write(section, key, value);
}

void RWini::SetIniN(const QString &section, const QString &key, int value)
{
    write(section, key, QString::number(value));
}

void RWini::beginStartup()
{
    m_starting = true;
    m_startupWriteFailed = false;
}

void RWini::finishStartup()
{
    m_starting = false;
    try {
        Profile::writeProfileStrings(m_iniPath, m_startupWrites);
    } catch (const ErrorValue &) {
        m_startupWriteFailed = true;
    }
    m_startupWrites.clear();
    m_startupValues.clear();
    if (!m_startupWriteFailed)
        return;
    m_unwritable = true;
    const bool exists = QFileInfo::exists(m_iniPath);
    throw ErrorValue(exists ? ErrorNumber::PathFileAccess : ErrorNumber::FileNotFound,
                     QStringLiteral("RWini"));
}

void RWini::write(const QString &section, const QString &key, const QString &value)
{
    // A file known to be unwritable is not tried again: start-up has told the user that
    // nothing can be kept.
    if (m_unwritable)
        return;
    if (m_starting) {
        m_startupWrites.append({section, key, value});
        m_startupValues.insert(section + QLatin1Char('\n') + key, value);
        return;
    }
    try {
        Profile::writeProfileString(m_iniPath, section, key, value);
    } catch (const ErrorValue &error) {
        // Every later write is tried again (the disk may have room by then), but the user
        // hears of it once.
        if (m_writeFailureShown)
            return;
        m_writeFailureShown = true;
        if (m_showNotice)
            m_showNotice(NotSavedLead + error.description());
    }
}
