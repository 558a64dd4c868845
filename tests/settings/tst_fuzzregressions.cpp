// Settings files found by fuzzing the reader and writer.

#include "settings/profilefile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TstFuzzRegressions : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fileEndingInACutCharacter_data();
    void fileEndingInACutCharacter();
    void legacyFileThatWouldTurnUtf8();
};

void TstFuzzRegressions::fileEndingInACutCharacter_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("keptValue"); // 链接/数量 as stored before the write

    // A file whose last bytes begin a UTF-8 sequence but end before it is complete is not
    // UTF-8: lines added to it must be in the encoding the next read will choose.
    QTest::newRow("a lone UTF-8 lead byte is the whole file") << QByteArray("\xEF") << QString();
    QTest::newRow("UTF-8 text cut inside its last character")
        << QByteArray("[链接]\n数量=3\n; 说\xE6\x98") << QStringLiteral("3");
    QTest::newRow("CRLF UTF-8 text cut inside its last character")
        << QByteArray("[链接]\r\n数量=4\r\n链接0名称=计\xE7\xAE") << QStringLiteral("4");
    QTest::newRow("a legacy file ending in a lead byte")
        << (QByteArray("[\xC1\xB4\xBD\xD3]\r\n\xCA\xFD\xC1\xBF=2\r\n\xB1")) << QStringLiteral("2");
}

void TstFuzzRegressions::fileEndingInACutCharacter()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, keptValue);

    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("QOMBRA_Config.ini"));
    {
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(file);
    }

    const QString value = QStringLiteral("Sin(30°)×2 计算");
    Profile::writeProfileString(path, QStringLiteral("表达式"), QStringLiteral("记录0"), value);
    QCOMPARE(Profile::profileString(path, QStringLiteral("表达式"), QStringLiteral("记录0")), value);
    if (!keptValue.isEmpty())
        QCOMPARE(Profile::profileString(path, QStringLiteral("链接"), QStringLiteral("数量")), keptValue);

    QFile in(path);
    QVERIFY(in.open(QIODevice::ReadOnly));
    QVERIFY(in.readAll().startsWith(file));
}

// The one line of a legacy file that is not UTF-8 is replaced: the file must not read as UTF-8
// afterwards, where its other Chinese text would turn into different characters.
void TstFuzzRegressions::legacyFileThatWouldTurnUtf8()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("QOMBRA_Config.ini"));
    // "茅" in GB18030 is C3 A9, which is also UTF-8 for "é"; B1 alone is UTF-8 for nothing.
    {
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write("[s]\r\nname=\xC3\xA9\r\nk=\xB1\xED\r\n");
    }
    QCOMPARE(Profile::profileString(path, QStringLiteral("s"), QStringLiteral("name")), QStringLiteral("茅"));

    Profile::writeProfileString(path, QStringLiteral("s"), QStringLiteral("k"), QStringLiteral("1"));
    QCOMPARE(Profile::profileString(path, QStringLiteral("s"), QStringLiteral("name")), QStringLiteral("茅"));
    QCOMPARE(Profile::profileString(path, QStringLiteral("s"), QStringLiteral("k")), QStringLiteral("1"));
    Profile::writeProfileString(path, QStringLiteral("s"), QStringLiteral("k"), QStringLiteral("茅"));
    QCOMPARE(Profile::profileString(path, QStringLiteral("s"), QStringLiteral("k")), QStringLiteral("茅"));
}

QTEST_GUILESS_MAIN(TstFuzzRegressions)
#include "tst_fuzzregressions.moc"
