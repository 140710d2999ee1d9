#include <QTest>

#include <QDoubleSpinBox>
#include <QFile>
#include <QGraphicsView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "designeritem.h"
#include "frxunits.h"
#include "recordingdialogs.h"
#include "report.h"
#include "reportdesigner.h"

using namespace Qt::StringLiterals;

// The template designer: moves, sizes, texts and fonts reach the file, and nothing else does.
class TestReportDesigner : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_path;
    QByteArray m_original;

    static QByteArray read(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // The original file with one attribute of one object replaced.
    QByteArray withAttribute(QByteArray bytes, const QString &object, const QString &attribute, const QString &value) const
    {
        const QRegularExpression element(u"<TfrxMemoView Name=\"%1\"[^>]*>"_s.arg(object));
        const QString text = QString::fromUtf8(bytes);
        const QRegularExpressionMatch match = element.match(text);
        if (!match.hasMatch())
            return {};
        QString tag = match.captured();
        tag.replace(QRegularExpression(u" %1=\"[^\"]*\""_s.arg(QRegularExpression::escape(attribute))),
                    u" %1=\"%2\""_s.arg(attribute, value));
        return QString(text).replace(match.capturedStart(), match.capturedLength(), tag).toUtf8();
    }

    static QPoint viewPoint(const ReportDesigner &designer, QPointF scenePos)
    {
        return designer.view()->mapFromScene(scenePos);
    }

private slots:
    void init()
    {
        m_path = m_dir.filePath(u"gsxjhd.fr3"_s);
        QFile::remove(m_path);
        QVERIFY(QFile::copy(QStringLiteral(QINGHE_PROGRAM_DIR "/gsxjhd.fr3"), m_path));
        QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner);
        m_original = read(m_path);
        QVERIFY(!m_original.isEmpty());
    }

    void moveRoundTrip()
    {
        Report shown;
        QVERIFY(shown.load(m_path));
        // The record's texts are shown but never saved into the template.
        QVERIFY(shown.setText(u"yxmc"_s, u"中国工商银行"_s));
        ReportDesigner designer(shown, m_path);
        QCOMPARE(designer.objectName(), u"ReportDesigner");
        QVERIFY(designer.moveObject(u"skr"_s, QPointF(300.5, 70)));
        QVERIFY(!designer.moveObject(u"nothing"_s, QPointF(1, 1)));
        QVERIFY(designer.isModified());
        designer.save();
        QVERIFY(!designer.isModified());

        Report reloaded;
        QVERIFY(reloaded.load(m_path));
        QCOMPARE(reloaded.findObject(u"skr"_s)->rect().topLeft(), QPointF(300.5, 70));
        QCOMPARE(reloaded.findObject(u"yxmc"_s)->text(), QString());
        const QByteArray expected = withAttribute(withAttribute(m_original, u"skr"_s, u"Left"_s, u"300.5"_s), u"skr"_s,
                                                  u"Top"_s, u"70"_s);
        QVERIFY(!expected.isEmpty());
        QCOMPARE(read(m_path), expected);
        // The shown report follows the designer too.
        QCOMPARE(shown.findObject(u"skr"_s)->rect().topLeft(), QPointF(300.5, 70));
        QCOMPARE(shown.findObject(u"yxmc"_s)->text(), u"中国工商银行");
    }

    void mouseMovesAndSizes()
    {
        Report shown;
        QVERIFY(shown.load(m_path));
        ReportDesigner designer(shown, m_path);
        designer.show();
        QVERIFY(QTest::qWaitForWindowExposed(&designer));
        DesignerItem *item = designer.item(u"mm"_s);
        QVERIFY(item);
        const QRectF before = shown.findObject(u"mm"_s)->rect();
        QCOMPARE(item->pos(), before.topLeft()); // the margins are 0

        // Drag the frame by its middle 30 to the right and 10 down.
        QWidget *viewport = designer.view()->viewport();
        const double scale = designer.view()->transform().m11();
        const QPoint from = viewPoint(designer, item->sceneBoundingRect().center());
        const QPoint to = from + QPoint(qRound(30 * scale), qRound(10 * scale));
        QTest::mousePress(viewport, Qt::LeftButton, {}, from);
        QTest::mouseMove(viewport, from + QPoint(5, 2));
        QTest::mouseMove(viewport, to);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, to);
        const QRectF moved = shown.findObject(u"mm"_s)->rect();
        QVERIFY2(qAbs(moved.x() - (before.x() + 30)) < 1.5 / scale + 0.01, qPrintable(QString::number(moved.x())));
        QVERIFY2(qAbs(moved.y() - (before.y() + 10)) < 1.5 / scale + 0.01, qPrintable(QString::number(moved.y())));
        QCOMPARE(designer.selectedObject(), u"mm");
        QCOMPARE(moved.size(), before.size());

        // Drag the bottom-right corner 20 wider.
        const QPoint corner = viewPoint(designer, item->sceneBoundingRect().bottomRight() - QPointF(2, 2));
        const QPoint wider = corner + QPoint(qRound(20 * scale), 0);
        QTest::mousePress(viewport, Qt::LeftButton, {}, corner);
        QTest::mouseMove(viewport, corner + QPoint(3, 0));
        QTest::mouseMove(viewport, wider);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, wider);
        const QRectF sized = shown.findObject(u"mm"_s)->rect();
        QCOMPARE(sized.topLeft(), moved.topLeft());
        QVERIFY2(qAbs(sized.width() - (before.width() + 20)) < 2, qPrintable(QString::number(sized.width())));

        // The side panel shows the selected object in millimetres.
        auto *left = designer.findChild<QDoubleSpinBox *>(u"leftBox"_s);
        QVERIFY(left);
        QCOMPARE(left->value(), qRound(frx::unitsToMm(sized.x()) * 100) / 100.0);
        designer.save();
        Report reloaded;
        QVERIFY(reloaded.load(m_path));
        QCOMPARE(reloaded.findObject(u"mm"_s)->rect(), sized);
    }

    void panelChangesOnlyItsOwnMeasure()
    {
        Report shown;
        QVERIFY(shown.load(m_path));
        ReportDesigner designer(shown, m_path);
        QVERIFY(designer.selectObject(u"yyd"_s));
        const QRectF before = shown.findObject(u"yyd"_s)->rect();
        designer.findChild<QDoubleSpinBox *>(u"topBox"_s)->setValue(20);
        const QRectF after = shown.findObject(u"yyd"_s)->rect();
        QCOMPARE(after.x(), before.x());
        QCOMPARE(after.size(), before.size());
        QCOMPARE(after.y(), formatFrxNumber(frx::mmToUnits(20)).toDouble()); // written with five decimals

        auto *text = designer.findChild<QPlainTextEdit *>(u"textEdit"_s);
        text->setPlainText(u"贰零贰肆"_s);
        designer.save();
        QByteArray expected = withAttribute(m_original, u"yyd"_s, u"Top"_s, formatFrxNumber(frx::mmToUnits(20)));
        expected = withAttribute(expected, u"yyd"_s, u"Text"_s, u"贰零贰肆"_s);
        QCOMPARE(read(m_path), expected);
    }

    void fontComesFromTheFontDialog()
    {
        RecordingDialogs dialogs;
        QFont chosen(u"宋体"_s);
        chosen.setPointSize(12);
        chosen.setBold(true);
        dialogs.fonts = {chosen, std::nullopt};
        Report shown;
        QVERIFY(shown.load(m_path));
        ReportDesigner designer(shown, m_path);
        QVERIFY(designer.chooseFont(u"jedx"_s));
        QCOMPARE(dialogs.fontInitials.first().family(), u"宋体");
        QCOMPARE(dialogs.fontInitials.first().pointSizeF(), 10.5);
        QVERIFY(!designer.chooseFont(u"jedx"_s)); // cancelled
        QVERIFY(!designer.chooseFont(u"nothing"_s));
        designer.save();
        const QByteArray expected =
            withAttribute(withAttribute(m_original, u"jedx"_s, u"Font.Height"_s, u"-16"_s), u"jedx"_s, u"Font.Style"_s, u"1"_s);
        QCOMPARE(read(m_path), expected);
    }

    void closingAsksToSave_data()
    {
        QTest::addColumn<bool>("answer");
        QTest::newRow("是") << true;
        QTest::newRow("否") << false;
    }

    void closingAsksToSave()
    {
        QFETCH(bool, answer);
        RecordingDialogs dialogs;
        dialogs.answers = {answer};
        Report shown;
        QVERIFY(shown.load(m_path));
        ReportDesigner designer(shown, m_path);
        designer.show();
        QVERIFY(designer.setObjectText(u"mm"_s, u"密码"_s));
        designer.findChild<QPushButton *>(u"closeButton"_s)->click();
        QVERIFY(!designer.isVisible());
        QCOMPARE(dialogs.lastKind(), u"question");
        QCOMPARE(read(m_path) == m_original, !answer);
        if (answer)
            QCOMPARE(read(m_path), withAttribute(m_original, u"mm"_s, u"Text"_s, u"密码"_s));
    }

    void closingUnchangedAsksNothing()
    {
        RecordingDialogs dialogs;
        Report shown;
        QVERIFY(shown.load(m_path));
        ReportDesigner designer(shown, m_path);
        designer.show();
        designer.reject();
        QVERIFY(dialogs.shown.isEmpty());
        QCOMPARE(read(m_path), m_original);
    }

    void saveFailureIsReported()
    {
        RecordingDialogs dialogs;
        Report shown;
        QVERIFY(shown.load(m_path));
        ReportDesigner designer(shown, u"/nonexistent-folder/x.fr3"_s);
        QVERIFY(designer.moveObject(u"yt"_s, QPointF(1, 2)));
        designer.findChild<QPushButton *>(u"saveButton"_s)->click();
        QCOMPARE(dialogs.lastKind(), u"error");
        QVERIFY(dialogs.lastText().contains(u"无法保存模板文件"));
        QVERIFY(designer.isModified());
    }
};

QTEST_MAIN(TestReportDesigner)
#include "tst_reportdesigner.moc"
