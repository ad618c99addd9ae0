#include "CatalogTestFiles.h"
#include "XMLParse.h"

#include <QtTest>

class XMLParseTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void positionsAreZeroBased_data();
    void positionsAreZeroBased();
    void countsChildElements_data();
    void countsChildElements();
    void absentAndEmptyAttributesDiffer();
    void rootIsSelectedOnlyByItsName();
    void failedOrNullLoadSelectsNothing();

private:
    QString path;
};

void XMLParseTest::initTestCase() {
    path = writeCatalogueFile("sample.xml", R"(<?xml version="1.0" encoding="UTF-8"?>
<theme>
  <effect id="e1">
    <subtheme id="s1"/>
    <other id="o1"/>
    <subtheme id="s2"/>
    <!-- a comment is no element -->
    <subtheme id="s3" empty=""/>
  </effect>
  <effect id="e2"/>
</theme>
)");
    QVERIFY(!path.isEmpty());
}

void XMLParseTest::positionsAreZeroBased_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("id");
    QTest::newRow("bare name is the first") << 0 << "subtheme"
                                            << "s1";
    QTest::newRow("index 1 is the second") << 1 << "subtheme"
                                           << "s2";
    QTest::newRow("index 2 is the third") << 2 << "subtheme"
                                          << "s3";
    QTest::newRow("beyond the last") << 3 << "subtheme"
                                     << "";
    QTest::newRow("blanks around the name") << 0 << " subtheme "
                                            << "s1";
    QTest::newRow("trailing blank with index") << 1 << "subtheme "
                                               << "s2";
    QTest::newRow("any element") << 1 << "*"
                                 << "o1";
    QTest::newRow("explicit position in the name") << 0 << "subtheme[2]"
                                                   << "s3";
    QTest::newRow("unknown name") << 0 << "xmlcolor1"
                                  << "";
    QTest::newRow("names are case-sensitive") << 0 << "SubTheme"
                                              << "";
    QTest::newRow("negative index") << -1 << "subtheme"
                                    << "";
    QTest::newRow("not a simple name") << 0 << "sub theme"
                                       << "";
}

void XMLParseTest::positionsAreZeroBased() {
    QFETCH(int, index);
    QFETCH(QString, name);
    QFETCH(QString, id);
    XMLParse xml;
    QVERIFY(xml.Load(path));
    const QDomElement root = xml.SelectNode(0, {}, QStringLiteral("theme"));
    const QDomElement effect = xml.SelectNode(0, root, QStringLiteral("effect"));
    const QDomElement node = xml.SelectNode(index, effect, name);
    QCOMPARE(node.isNull(), id.isEmpty());
    if (!id.isEmpty())
        QCOMPARE(xml.ReadAttribute(node, QStringLiteral("id")).value_or(QString()), id);
}

void XMLParseTest::countsChildElements_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("count");
    QTest::newRow("null name counts every element") << QString() << 4;
    QTest::newRow("star") << "*" << 4;
    QTest::newRow("by name") << "subtheme" << 3;
    QTest::newRow("other name") << "other" << 1;
    QTest::newRow("no match") << "effect" << 0;
}

void XMLParseTest::countsChildElements() {
    QFETCH(QString, name);
    QFETCH(int, count);
    XMLParse xml;
    QVERIFY(xml.Load(path));
    const QDomElement root = xml.SelectNode(0, {}, QStringLiteral("theme"));
    QCOMPARE(xml.CountNodes(root, QStringLiteral("effect")), 2);
    QCOMPARE(xml.CountNodes(xml.SelectNode(0, root, QStringLiteral("effect")), name), count);
    QCOMPARE(xml.CountNodes(QDomElement(), name), 0);
}

void XMLParseTest::absentAndEmptyAttributesDiffer() {
    XMLParse xml;
    QVERIFY(xml.Load(path));
    const QDomElement effect = xml.SelectNode(0, xml.SelectNode(0, {}, QStringLiteral("theme")), "effect");
    const QDomElement third = xml.SelectNode(2, effect, QStringLiteral("subtheme"));
    const std::optional<QString> empty = xml.ReadAttribute(third, QStringLiteral("empty"));
    QVERIFY(empty.has_value());
    QVERIFY(empty->isEmpty());
    QVERIFY(!xml.ReadAttribute(third, QStringLiteral("missing")).has_value());
    QVERIFY(!xml.ReadAttribute(QDomElement(), QStringLiteral("id")).has_value());
}

void XMLParseTest::rootIsSelectedOnlyByItsName() {
    XMLParse xml;
    QVERIFY(xml.Load(path));
    QCOMPARE(xml.SelectNode(0, {}, QStringLiteral("theme")).tagName(), QStringLiteral("theme"));
    // Against the document the index is ignored.
    QCOMPARE(xml.SelectNode(5, {}, QStringLiteral("theme")).tagName(), QStringLiteral("theme"));
    QVERIFY(xml.SelectNode(0, {}, QStringLiteral("effect")).isNull());

    const QString other = writeCatalogueFile("other-root.xml", "<catalogue><theme/></catalogue>");
    XMLParse second;
    QVERIFY(second.Load(other));
    QVERIFY(second.SelectNode(0, {}, QStringLiteral("theme")).isNull());
}

void XMLParseTest::failedOrNullLoadSelectsNothing() {
    XMLParse xml;
    QVERIFY(xml.SelectNode(0, {}, QStringLiteral("theme")).isNull());
    QVERIFY(!xml.Load(writeCatalogueFile("malformed.xml", "<theme><effect></theme>")));
    QVERIFY(!xml.isLoaded());
    QVERIFY(xml.SelectNode(0, {}, QStringLiteral("theme")).isNull());

    QVERIFY(!xml.Load(path + QStringLiteral(".missing")));
    QVERIFY(xml.SelectNode(0, {}, QStringLiteral("theme")).isNull());

    // A null path drops the document that was loaded before.
    QVERIFY(xml.Load(path));
    const QDomElement root = xml.SelectNode(0, {}, QStringLiteral("theme"));
    QVERIFY(!root.isNull());
    QVERIFY(!xml.Load(QString()));
    QVERIFY(!xml.isLoaded());
    QVERIFY(xml.SelectNode(0, {}, QStringLiteral("theme")).isNull());
    QVERIFY(xml.SelectNode(0, root, QStringLiteral("effect")).isNull());
}

QTEST_GUILESS_MAIN(XMLParseTest)
#include "tst_xmlparse.moc"
