#include <QTest>

#include <QStringDecoder>
#include <QStringEncoder>

#include "xmltree.h"

using namespace Qt::StringLiterals;

// The tolerant XML keeper under the template files: everything it does not change comes back
// byte for byte.
class TestXmlTree : public QObject
{
    Q_OBJECT

private:
    static QByteArray sample()
    {
        return QByteArrayLiteral(
            "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"no\"?>\r\n"
            "<!DOCTYPE TfrxReport [ <!ENTITY own \"x>y\"> ]>\r\n"
            "<!-- written by hand: <TfrxMemoView Name=\"ghost\"/> -->\r\n"
            "<TfrxReport Version=\"4.0\"   Odd = 'single &apos;quoted&apos;' ScriptText.Text=\"begin&#13;&#10;end.\">\r\n"
            "\t<TfrxReportPage Name=\"Page1\" PaperWidth=\"297\">\r\n"
            "\t\t<Unknown><![CDATA[ <not an element> ]]>some text &amp; more</Unknown>\r\n"
            "\t\t<TfrxMemoView Name=\"a\" Text=\"&lt;&amp;&gt;&quot;&#x4E2D;&#25991;&own;\"/>\r\n"
            "\t\t<TfrxMemoView Name=\"b\"\r\n"
            "\t\t    Left=\"1.5\" Text=\"\xE4\xB8\xAD\xE6\x96\x87 line\r\nbreak\"></TfrxMemoView>\r\n"
            "\t\t<Bare/>\r\n"
            "\t</TfrxReportPage>\r\n"
            "</TfrxReport>\r\n");
    }

    static int find(const XmlTree &tree, const QString &name)
    {
        for (int i = 0; i < tree.count(); ++i) {
            if (tree.element(i).name == name || tree.attribute(i, u"Name") == name)
                return i;
        }
        return -1;
    }

private slots:
    void unchangedTreeWritesTheSameBytes()
    {
        XmlTree tree;
        QVERIFY(!tree.parse(sample()));
        QCOMPARE(tree.toBytes(), sample());
        QCOMPARE(tree.element(tree.root()).name, u"TfrxReport");
        // The commented-out memo is no element; the memos and the unknown elements are.
        QCOMPARE(tree.count(), 6);
        QCOMPARE(find(tree, u"ghost"_s), -1);
    }

    void valuesAreDecoded()
    {
        XmlTree tree;
        QVERIFY(!tree.parse(sample()));
        QCOMPARE(tree.attribute(tree.root(), u"ScriptText.Text").value(), u"begin\r\nend.");
        QCOMPARE(tree.attribute(tree.root(), u"Odd").value(), u"single 'quoted'");
        // Unknown entities stay as written; literal line ends stand for a space.
        QCOMPARE(tree.attribute(find(tree, u"a"_s), u"Text").value(), u"<&>\"中文&own;");
        QCOMPARE(tree.attribute(find(tree, u"b"_s), u"Text").value(), u"中文 line break");
        QVERIFY(!tree.attribute(find(tree, u"b"_s), u"Top"));
    }

    void structureIsKept()
    {
        XmlTree tree;
        QVERIFY(!tree.parse(sample()));
        const int page = find(tree, u"Page1"_s);
        QCOMPARE(tree.element(page).parent, tree.root());
        QCOMPARE(tree.element(page).children.size(), 4);
        const QList<int> below = tree.descendants(tree.root());
        QCOMPARE(below.size(), 5);
        QCOMPARE(below.first(), page);
        QCOMPARE(tree.element(below.last()).name, u"Bare");
    }

    void settingAValueChangesOnlyThatValue_data()
    {
        QTest::addColumn<QString>("element");
        QTest::addColumn<QString>("attribute");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("double quoted") << "b" << "Left" << "20" << QByteArray("Left=\"1.5\"") << QByteArray("Left=\"20\"");
        QTest::newRow("escaped") << "a" << "Text" << "1 < 2 & \"3\"\r\n" << QByteArray("Text=\"&lt;&amp;&gt;&quot;&#x4E2D;&#25991;&own;\"")
                                 << QByteArray("Text=\"1 &lt; 2 &amp; &quot;3&quot;&#13;&#10;\"");
        QTest::newRow("single quoted") << "TfrxReport" << "Odd" << "it's \"x\"" << QByteArray("Odd = 'single &apos;quoted&apos;'")
                                       << QByteArray("Odd = 'it&apos;s \"x\"'");
        QTest::newRow("added after the last attribute") << "b" << "Top" << "7" << QByteArray("Left=\"1.5\" Text=\"\xE4\xB8\xAD\xE6\x96\x87 line\r\nbreak\">")
                                                        << QByteArray("Left=\"1.5\" Text=\"\xE4\xB8\xAD\xE6\x96\x87 line\r\nbreak\" Top=\"7\">");
        QTest::newRow("added to a bare element") << "Bare" << "Name" << "中" << QByteArray("<Bare/>") << QByteArray("<Bare Name=\"\xE4\xB8\xAD\"/>");
    }

    void settingAValueChangesOnlyThatValue()
    {
        QFETCH(QString, element);
        QFETCH(QString, attribute);
        QFETCH(QString, value);
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        XmlTree tree;
        QVERIFY(!tree.parse(sample()));
        tree.setAttribute(find(tree, element), attribute, value);
        QByteArray expected = sample();
        QVERIFY(expected.contains(before));
        expected.replace(before, after);
        QCOMPARE(tree.toBytes(), expected);

        // What was written reads back as the value set.
        XmlTree again;
        QVERIFY(!again.parse(tree.toBytes()));
        QCOMPARE(again.attribute(find(again, element), attribute).value(), value);
    }

    void settingTheSameValueWritesNothingNew()
    {
        XmlTree tree;
        QVERIFY(!tree.parse(sample()));
        tree.setAttribute(find(tree, u"a"_s), u"Text"_s, u"<&>\"中文&own;"_s);
        QCOMPARE(tree.toBytes(), sample());
    }

    void gbkFilesKeepTheirEncoding()
    {
        QStringEncoder toGbk("GBK");
        const QByteArray bytes = "<?xml version=\"1.0\" encoding=\"GBK\"?>\n<TfrxReport><TfrxMemoView Name=\"x\" Text=\""
                                 + QByteArray(toGbk.encode(u"人民币")) + "\"/></TfrxReport>\n";
        XmlTree tree;
        QVERIFY(!tree.parse(bytes));
        QCOMPARE(tree.attribute(1, u"Text").value(), u"人民币");
        // A character GBK lacks is written as a character reference.
        tree.setAttribute(1, u"Text"_s, u"美元\U0001F600"_s);
        QByteArray expected = bytes;
        expected.replace(QByteArray(toGbk.encode(u"人民币")), QByteArray(toGbk.encode(u"美元")) + "&#128512;");
        QCOMPARE(tree.toBytes(), expected);
        XmlTree again;
        QVERIFY(!again.parse(tree.toBytes()));
        QCOMPARE(again.attribute(1, u"Text").value(), u"美元\U0001F600");
    }

    void brokenFilesAreRefused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("line");
        QTest::newRow("crossed end tag") << QByteArray("<a>\n<b>\n</a></b>") << "第 3 行";
        QTest::newRow("open element") << QByteArray("<a>\n<b></b>\n") << "第 3 行";
        QTest::newRow("unterminated tag") << QByteArray("<a>\n<b x=\"1\"") << "第 2 行";
        QTest::newRow("unterminated value") << QByteArray("<a x=\"1/>") << "第 1 行";
        QTest::newRow("no quotes") << QByteArray("<a\nx=1/>") << "第 1 行";
        QTest::newRow("no equals") << QByteArray("<a x/>") << "第 1 行";
        QTest::newRow("two roots") << QByteArray("<a/>\n<b/>") << "第 2 行";
        QTest::newRow("no element") << QByteArray("<?xml version=\"1.0\"?>\n") << "第 2 行";
        QTest::newRow("unterminated comment") << QByteArray("<a><!-- x</a>") << "第 1 行";
        QTest::newRow("unknown encoding") << QByteArray("<?xml version=\"1.0\" encoding=\"no-such\"?><a/>") << "第 1 行";
        QTest::newRow("utf-16") << QByteArray("\xFF\xFE<\0a\0/\0>\0", 10) << "";
    }

    void brokenFilesAreRefused()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, line);
        XmlTree tree;
        const auto error = tree.parse(bytes);
        QVERIFY(error);
        QVERIFY2(error->contains(line), qPrintable(*error));
        QVERIFY(tree.isEmpty());
        QCOMPARE(tree.root(), -1);
    }
};

QTEST_GUILESS_MAIN(TestXmlTree)
#include "tst_xmltree.moc"
