#include "formfields.h"
#include "formpictureuser.h"

#include <QColor>
#include <QImage>
#include <QTest>

using namespace Qt::StringLiterals;

// The two pictures of the paper forms are compiled into the program and keep their sizes
// (positions on them are turned into millimetres on paper), and their amount grids lie where
// the amount fields put one digit per cell.
class TestFormPictures : public QObject
{
    Q_OBJECT

private slots:
    void loadsAtItsSize_data();
    void loadsAtItsSize();
    void amountGridMatchesTheField_data();
    void amountGridMatchesTheField();
    void textFieldsAreBlank_data();
    void textFieldsAreBlank();
};

namespace {

bool isRule(QRgb c)
{
    return qRed(c) > 120 && qRed(c) - qGreen(c) > 45 && qRed(c) - qBlue(c) > 40;
}
bool isPaper(QRgb c)
{
    return qRed(c) > 200 && qGreen(c) > 200 && qBlue(c) > 190;
}
// Any print at all, down to a one-pixel rule (which JPEG turns a dull pink).
bool isInk(QRgb c)
{
    return (qRed(c) - qGreen(c) > 40 && qGreen(c) < 200) || qGray(c) < 160;
}

} // namespace

void TestFormPictures::loadsAtItsSize_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QSize>("size");
    QTest::newRow("deposit slip") << u"jzd.jpg"_s << QSize(788, 323);
    QTest::newRow("cheque") << u"zp.jpg"_s << QSize(800, 269);
}

void TestFormPictures::loadsAtItsSize()
{
    QFETCH(QString, file);
    QFETCH(QSize, size);
    const QImage picture = loadFormPicture(file);
    QVERIFY2(!picture.isNull(), qPrintable(u":/forms/"_s + file + u" does not load"_s));
    QCOMPARE(picture.size(), size);
    // Light paper with red print, not a blank or dark picture.
    QVERIFY(isPaper(picture.pixel(1, 1)));
    QVERIFY(isPaper(picture.pixel(size.width() - 2, size.height() - 2)));
}

void TestFormPictures::amountGridMatchesTheField_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QRect>("field");
    QTest::addColumn<int>("cellWidth");
    QTest::newRow("jzxx") << u"jzd.jpg"_s << QRect(629, 145, 142, 15) << 12;
    QTest::newRow("cjzxx") << u"jzd.jpg"_s << QRect(79, 133, 131, 16) << 11;
    QTest::newRow("zpje") << u"zp.jpg"_s << QRect(600, 99, 153, 18) << 13;
}

void TestFormPictures::amountGridMatchesTheField()
{
    QFETCH(QString, file);
    QFETCH(QRect, field);
    QFETCH(int, cellWidth);
    const QImage picture = loadFormPicture(file);
    QVERIFY(!picture.isNull());

    // Eleven cells, the last ending on the field's right edge: a rule on every cell edge and
    // blank paper in the middle of every cell, over the whole height of the field.
    const int right = field.left() + field.width();
    for (int y = field.top() + 2; y < field.top() + field.height() - 2; ++y) {
        for (int k = 0; k <= 11; ++k) {
            const int edge = right - k * cellWidth;
            QVERIFY2(isRule(picture.pixel(edge, y)),
                     qPrintable(u"no rule at %1,%2"_s.arg(edge).arg(y)));
        }
        for (int k = 0; k < 11; ++k) {
            const int middle = right - k * cellWidth - cellWidth / 2;
            QVERIFY2(isPaper(picture.pixel(middle, y)),
                     qPrintable(u"cell %1 is not blank at %2,%3"_s.arg(k).arg(middle).arg(y)));
        }
    }
    // No rule beyond the eleventh cell inside the field: the mark stands there.
    const int markX = right - 11 * cellWidth - 3;
    if (markX > field.left())
        QVERIFY(isPaper(picture.pixel(markX, field.top() + field.height() / 2)));
}

void TestFormPictures::textFieldsAreBlank_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QRect>("field");
    for (const FormSpec *form : {&kDepositSlip, &kCheque})
        for (const FormField &f : form->fields)
            if (f.kind == FieldKind::Text)
                QTest::newRow(f.name) << QString::fromLatin1(form->file) << f.rect();
}

void TestFormPictures::textFieldsAreBlank()
{
    QFETCH(QString, file);
    QFETCH(QRect, field);
    const QImage picture = loadFormPicture(file);
    QVERIFY(!picture.isNull());
    // What the user types shows on blank paper: no rule or caption runs through the field (its
    // outermost pixels may touch the rules of its box).
    const QRect inside = field.adjusted(2, 2, -2, -2);
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            QVERIFY2(!isInk(picture.pixel(x, y)), qPrintable(u"print at %1,%2"_s.arg(x).arg(y)));
}

QTEST_MAIN(TestFormPictures)
#include "tst_formpictures.moc"
