#include "settings/profilefile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// A settings file written by an older copy of the program on a Chinese Windows desktop is in
// its ANSI code page, GBK. It reads and writes the same on every platform, whatever converts
// the code page there. The bytes are spelled out, not produced by the converter under test.
class TestLegacySettings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void gbkFileReadsAndStaysGbk()
    {
        // "; 旧版本写的注释", [链接], 数量=1, 链接0名称=计算器, 链接0地址=C:\程序\calc.exe, CRLF
        const QByteArray before = QByteArray::fromHex(
            "3B20BEC9B0E6B1BED0B4B5C4D7A2CACD0D0A5BC1B4BDD35D0D0ACAFDC1BF3D310D0AC1B4BDD330C3"
            "FBB3C63DBCC6CBE3C6F70D0AC1B4BDD330B5D8D6B73D433A5CB3CCD0F25C63616C632E6578650D0A");
        // The same with 数量=2, 链接1名称=记事本（全角） and a new section [表达式] with 记录0=5×π
        const QByteArray after = QByteArray::fromHex(
            "3B20BEC9B0E6B1BED0B4B5C4D7A2CACD0D0A5BC1B4BDD35D0D0ACAFDC1BF3D320D0AC1B4BDD330C3"
            "FBB3C63DBCC6CBE3C6F70D0AC1B4BDD330B5D8D6B73D433A5CB3CCD0F25C63616C632E6578650D0A"
            "C1B4BDD331C3FBB3C63DBCC7CAC2B1BEA3A8C8ABBDC7A3A90D0A5BB1EDB4EFCABD5D0D0ABCC7C2BC"
            "303D35A1C1A6D00D0A");
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("QOMBRA_Config.ini"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(before);
        file.close();

        using namespace Profile;
        QCOMPARE(profileString(path, QStringLiteral("链接"), QStringLiteral("链接0名称")),
                 QStringLiteral("计算器"));
        QCOMPARE(profileString(path, QStringLiteral("链接"), QStringLiteral("链接0地址")),
                 QStringLiteral("C:\\程序\\calc.exe"));
        writeProfileString(path, QStringLiteral("链接"), QStringLiteral("数量"), QStringLiteral("2"));
        writeProfileString(path, QStringLiteral("链接"), QStringLiteral("链接1名称"),
                           QStringLiteral("记事本（全角）"));
        writeProfileString(path, QStringLiteral("表达式"), QStringLiteral("记录0"), QStringLiteral("5×π"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), after);
    }
};

QTEST_GUILESS_MAIN(TestLegacySettings)
#include "tst_legacysettings.moc"
