#include "settings/rwini.h"

#include "common/errorvalue.h"
#include "platform/contact.h"
#include "platform/prompts.h"
#include "platform/shell.h"
#include "platform/version.h"
#include "settings/profilefile.h"

#include <QFileInfo>
#include <QUrl>

#include <utility>

namespace {

namespace Texts {
const QString Crlf = QStringLiteral("\r\n");
const QString Title = QStringLiteral("错误！");
const QString FailedIn = QStringLiteral("  错误：Public Sub ");
const QString RuntimeError = QStringLiteral("    运行时遇到错误，错误号：");
const QString Detail52 = QStringLiteral("——文件名或文件号错误(");
const QString Detail53 = QStringLiteral("——文件未找到");
const QString Detail75 = QStringLiteral("——路径/文件访问错误");
const QString DetailOther = QStringLiteral("未知错误，错误号:");
const QString Hint52 = QStringLiteral("    这可能是使用了错误的文件名或文件号而导致的，请检查后重新运行。");
const QString HintFolder = QStringLiteral("    这可能是程序所在位置无法顺利读写数据而导致的，") + Crlf +
                           QStringLiteral("请确认程序所在位置能够进行数据读写(程序磁盘未写保护)。");
const QString HintOther = QStringLiteral("    请重新运行。");
const QString Contact = QStringLiteral("    若问题仍不能解决，请更新软件或与我联系E-Mail:");
const QString AskContact = QStringLiteral("    是否与我联系？");
} // namespace Texts

// "  （" + description + " ）": the number's description as the dialog and the mail show it.
QString describedInBrackets(const ErrorValue &error)
{
    return QStringLiteral("  （") + error.description() + QStringLiteral(" ）");
}

QString writeErrorText(const ErrorValue &error)
{
    const QString number = QString::number(error.number());
    QString detail;
    QString hint;
    switch (error.number()) {
    case ErrorNumber::BadFileName:
        detail = Texts::Detail52 + error.description() + QLatin1Char(')');
        hint = Texts::Hint52;
        break;
    case ErrorNumber::FileNotFound:
        detail = Texts::Detail53;
        hint = Texts::HintFolder;
        break;
    case ErrorNumber::PathFileAccess:
        detail = Texts::Detail75;
        hint = Texts::HintFolder;
        break;
    default:
        detail = Texts::DetailOther + number + describedInBrackets(error);
        hint = Texts::HintOther;
        break;
    }
    const QString contact = Texts::Contact + contactAddress() + QStringLiteral("。");
    return Texts::RuntimeError + number + detail + Texts::Crlf + Texts::Crlf + hint + Texts::Crlf +
           Texts::Crlf + contact + Texts::Crlf + Texts::Crlf + Texts::AskContact;
}

} // namespace

QString writeErrorMailLink(const ErrorValue &error)
{
    const QString subject = QStringLiteral("Lumeth(版本:%1.%2.%3) 错误号：%4")
                                .arg(VardekoVersionMajor)
                                .arg(VardekoVersionMinor)
                                .arg(VardekoVersionRevision)
                                .arg(error.number()) +
                            describedInBrackets(error);
    // Every character outside the unreserved set is percent-encoded (UTF-8), so blanks,
    // brackets and any "&", "=", "+" or "#" in the description reach the mail program as text.
    QUrl url;
    url.setScheme(QStringLiteral("mailto"));
    url.setPath(contactAddress());
    url.setQuery(QStringLiteral("subject=") + QString::fromLatin1(QUrl::toPercentEncoding(subject)),
                 QUrl::StrictMode);
    return url.toString(QUrl::FullyEncoded);
}

RWini::RWini(Prompts &prompts, Shell &shell, std::function<void()> endProgram)
    : m_prompts(prompts), m_shell(shell), m_endProgram(std::move(endProgram))
{}

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
        write(section, key, defaultValue, QStringLiteral("GetIniS"), OnFailure::Throw);
        return defaultValue;
    }
    return stored->left(stored->indexOf(QChar(u'\0')));
}

int RWini::GetIniN(const QString &section, const QString &key, short defaultValue)
{
    const int value = m_startupWrites.isEmpty() ? Profile::profileInt(m_iniPath, section, key, defaultValue)
                                                : Profile::integerAt(stored(section, key), defaultValue);
    if (value == defaultValue)
        write(section, key, QString::number(defaultValue), QStringLiteral("GetIniN"), OnFailure::Throw);
    return value;
}

void RWini::SetIniS(const QString &section, const QString &key, const QString &value)
{
    write(section, key, value, QStringLiteral("SetIniS"), OnFailure::Report);
}

void RWini::SetIniN(const QString &section, const QString &key, int value)
{
    write(section, key, QString::number(value), QStringLiteral("SetIniN"), OnFailure::Report);
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

void RWini::write(const QString &section, const QString &key, const QString &value, const QString &procedure,
                  OnFailure onFailure)
{
    // After a failed write the program is ending: a caller that goes on writing (several
    // keys in a row) must neither change the file nor repeat the dialogs. A file known to be
    // unwritable is not tried again.
    if (m_writeFailed || m_unwritable)
        return;
    if (m_starting) {
        m_startupWrites.append({section, key, value});
        m_startupValues.insert(section + QLatin1Char('\n') + key, value);
        return;
    }
    try {
        Profile::writeProfileString(m_iniPath, section, key, value);
    } catch (const ErrorValue &error) {
        if (onFailure == OnFailure::Throw)
            throw;
        reportWriteError(procedure, error);
    }
}

void RWini::reportWriteError(const QString &procedure, const ErrorValue &error)
{
    m_writeFailed = true;
    m_prompts.message(MessageIcon::Critical, Texts::Title, Texts::FailedIn + procedure);
    const MessageAnswer answer =
        m_prompts.message(MessageIcon::Critical, Texts::Title, writeErrorText(error), MessageButtons::YesNo);
    // The program ends whether or not a mail program could be opened.
    if (answer == MessageAnswer::Yes)
        m_shell.open(writeErrorMailLink(error));
    if (m_endProgram)
        m_endProgram();
}
