#include "common/errorvalue.h"

QString standardErrorDescription(int number)
{
    switch (number) {
    case ErrorNumber::InvalidCall:
        return QStringLiteral("无效的过程调用或参数");
    case ErrorNumber::Overflow:
        return QStringLiteral("溢出");
    case ErrorNumber::DivisionByZero:
        return QStringLiteral("除数为零");
    case ErrorNumber::TypeMismatch:
        return QStringLiteral("类型不匹配");
    case ErrorNumber::OutOfStackSpace:
        return QStringLiteral("堆栈空间溢出");
    case ErrorNumber::BadFileName:
        return QStringLiteral("错误的文件名或号码");
    case ErrorNumber::FileNotFound:
        return QStringLiteral("文件未找到");
    case ErrorNumber::FileAlreadyExists:
        return QStringLiteral("文件已存在");
    case ErrorNumber::PathFileAccess:
        return QStringLiteral("路径/文件访问错误");
    case ErrorNumber::PathNotFound:
        return QStringLiteral("路径未找到");
    case ErrorNumber::NoSuchControl:
        return QStringLiteral("控件数组元素不存在");
    case ErrorNumber::InvalidPropertyValue:
        return QStringLiteral("无效的属性值");
    default:
        return QString();
    }
}

ErrorValue::ErrorValue(int number, QString source, QString description)
    : m_number(number), m_source(std::move(source)),
      m_description(description.isEmpty() ? standardErrorDescription(number) : std::move(description))
{
    m_what =
        (QString::number(m_number) + QLatin1Char(' ') + m_source + QLatin1Char(' ') + m_description).toUtf8();
}
