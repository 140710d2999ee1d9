#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSet>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>

#include "fonts.h"
#include "layoutediting.h"
#include "layoutfile.h"
#include "mprint.h"
#include "printjob.h"
#include "printtables.h"
#include "profilefile.h"
#include "recordingcanvas.h"
#include "recordingdialogs.h"
#include "testfolder.h"

using namespace Qt::StringLiterals;

namespace {

const QString kSlip = u"进账单"_s;

// A window with the two form panels and a few of their fields, as the pages build them:
// named children of the panels at designed places, in the field font.
struct Form
{
    QWidget window;
    QWidget *slip = new QWidget(&window);
    QWidget *cheque = new QWidget(&window);
    LayoutEditing *editing = nullptr;

    Form()
    {
        window.resize(1000, 300);
        slip->setObjectName(u"jzpan"_s);
        slip->setGeometry(0, 0, 500, 300);
        cheque->setObjectName(u"Panel4"_s);
        cheque->setGeometry(500, 0, 500, 300);
        addEdit(slip, u"cpqc"_s, {30, 40, 150, 20});
        addEdit(slip, u"jzyt"_s, {30, 100, 150, 20});
        addEdit(slip, u"jzfh"_s, {30, 140, 80, 20});
        addEdit(slip, u"jzxx"_s, {250, 40, 120, 20});
        // A pick list: only its button shows, and presses land on the button.
        auto *pick = new QWidget(slip);
        pick->setObjectName(u"scpqc"_s);
        pick->setGeometry(190, 40, 20, 20);
        auto *button = new QToolButton(pick);
        button->setObjectName(u"button"_s);
        button->setGeometry(0, 0, 20, 20);
        addEdit(cheque, u"cskr"_s, {30, 40, 120, 20});
        addEdit(cheque, u"cgyx"_s, {30, 80, 120, 20});
        addEdit(cheque, u"yxmc"_s, {200, 40, 120, 20});
        editing = LayoutEditing::install(&window, slip, cheque);
        window.show();
        window.activateWindow();
    }

    static void addEdit(QWidget *panel, const QString &name, const QRect &geometry)
    {
        auto *edit = new QLineEdit(panel);
        edit->setObjectName(name);
        edit->setGeometry(geometry);
        QFont font(u"宋体"_s);
        font.setPixelSize(13);
        edit->setFont(font);
    }

    QLineEdit *edit(const QString &name) const { return window.findChild<QLineEdit *>(name); }
    QWidget *control(const QString &name) const { return window.findChild<QWidget *>(name); }
};

// A key press as the platform delivers it to the field that has the focus.
void pressKey(QWidget *widget, Qt::Key key, Qt::KeyboardModifiers modifiers,
              const QString &text = {})
{
    QTest::simulateEvent(widget, true, key, modifiers, text, false);
}

// The offscreen platform cannot grab mouse or keyboard (the loops work without); its warning
// about that is noise here.
QtMessageHandler g_previousHandler = nullptr;
void quietGrabWarnings(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (text.startsWith(u"This plugin does not support grabbing"))
        return;
    g_previousHandler(type, context, text);
}

bool sameFont(const QFont &a, const QFont &b)
{
    return a.family() == b.family() && a.pixelSize() == b.pixelSize()
           && a.pointSize() == b.pointSize() && a.bold() == b.bold()
           && a.italic() == b.italic();
}

QFont boldSong14()
{
    QFont font(u"宋体"_s, 14);
    font.setBold(true);
    return font;
}

} // namespace

class TestLayoutEditing : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { g_previousHandler = qInstallMessageHandler(quietGrabWarnings); }
    void cleanupTestCase() { qInstallMessageHandler(g_previousHandler); }

    void handlers_data();
    void handlers();
    void handlerTotals();
    void everyLayoutSectionHasAnEntry();
    void attachSkipsMissingControls();

    void pointerGesture_data();
    void pointerGesture();
    void keyGesture_data();
    void keyGesture();
    void plainPressKeepsFieldBehaviour_data();
    void plainPressKeepsFieldBehaviour();
    void pressInsideCompositeControlMovesIt();

    void realMove_data();
    void realMove();
    void realSizingOnShiftKey();
    void realMoveThenSizingWithEscape();

    void firstDialogUsesDesignedFont();
    void cancelChangesNothing();
    void confirmedFontGoesToControl();
    void dialogRemembersLastFontAcrossControlsAndPages();
    void doubleClickWithoutFontHandler();

    void moveReachesLayoutFileOnlyThroughSave();
    void boldFontPrintsFaceAndSizeOnly();
    void reloadRestoresPositionsKeepsSizes();
};

void TestLayoutEditing::handlers_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("mouseDown");
    QTest::addColumn<bool>("keyDown");
    QTest::addColumn<bool>("dblClick");

    QTest::newRow("cpqc") << u"cpqc"_s << true << false << true;
    QTest::newRow("jzxx") << u"jzxx"_s << true << false << true;
    QTest::newRow("cjz") << u"cjz"_s << true << false << true;
    QTest::newRow("jzsdate") << u"jzsdate"_s << false << true << false;
    QTest::newRow("jzbb") << u"jzbb"_s << false << false << false;
    QTest::newRow("scpqc") << u"scpqc"_s << true << false << false;
    QTest::newRow("sskqc") << u"sskqc"_s << true << false << false;
    QTest::newRow("yxmc") << u"yxmc"_s << true << false << true;
    QTest::newRow("zpdate") << u"zpdate"_s << false << false << false;
    QTest::newRow("JELAB") << u"JELAB"_s << false << true << true;
    QTest::newRow("sbb") << u"sbb"_s << false << true << true;
    QTest::newRow("cskr") << u"cskr"_s << false << true << true;
    QTest::newRow("hj") << u"hj"_s << false << true << true;
    QTest::newRow("szpskr (not edited)") << u"szpskr"_s << false << false << false;
}

void TestLayoutEditing::handlers()
{
    QFETCH(QString, control);
    QFETCH(bool, mouseDown);
    QFETCH(bool, keyDown);
    QFETCH(bool, dblClick);

    const QStringList names = handlerNames(slipEditEntries()) + handlerNames(chequeEditEntries());
    QCOMPARE(names.contains(control + u"MouseDown"_s), mouseDown);
    QCOMPARE(names.contains(control + u"KeyDown"_s), keyDown);
    QCOMPARE(names.contains(control + u"DblClick"_s), dblClick);
    QCOMPARE(handlerName(control, EditHandler::DblClick), control + u"DblClick"_s);
}

void TestLayoutEditing::handlerTotals()
{
    const QStringList names = handlerNames(slipEditEntries()) + handlerNames(chequeEditEntries());
    auto ending = [&](const QString &suffix) {
        return std::count_if(names.begin(), names.end(),
                             [&](const QString &n) { return n.endsWith(suffix); });
    };
    QCOMPARE(ending(u"MouseDown"_s), 47);
    QCOMPARE(ending(u"KeyDown"_s), 16);
    QCOMPARE(ending(u"DblClick"_s), 60);
    QCOMPARE(QSet<QString>(names.begin(), names.end()).size(), names.size());
}

void TestLayoutEditing::everyLayoutSectionHasAnEntry()
{
    for (const char16_t *section : printtables::kSlipSections)
        QVERIFY2(findEditEntry(slipEditEntries(), section), qPrintable(QString::fromUtf16(section)));
    for (const char16_t *section : printtables::kChequeSections)
        QVERIFY2(findEditEntry(chequeEditEntries(), section),
                 qPrintable(QString::fromUtf16(section)));
}

void TestLayoutEditing::attachSkipsMissingControls()
{
    Form form;
    LayoutEditing other;
    QCOMPARE(other.attach(form.slip, slipEditEntries()), 5);
    QCOMPARE(other.attach(form.cheque, chequeEditEntries()), 3);
    QVERIFY(other.entryOf(form.control(u"cskr"_s)));
    QCOMPARE(other.entryOf(form.control(u"cskr"_s))->gesture, Gesture::Key);
    QVERIFY(!other.entryOf(form.slip));
}

void TestLayoutEditing::pointerGesture_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QStringList>("steps");

    const QStringList sizes{u"left"_s, u"right"_s, u"top"_s, u"bottom"_s};
    QTest::newRow("Ctrl moves") << u"cpqc"_s << Qt::LeftButton
                                << Qt::KeyboardModifiers(Qt::ControlModifier)
                                << QStringList{u"move"_s};
    QTest::newRow("Shift sizes four edges")
        << u"cpqc"_s << Qt::LeftButton << Qt::KeyboardModifiers(Qt::ShiftModifier) << sizes;
    QTest::newRow("Ctrl+Shift moves, then sizes")
        << u"cpqc"_s << Qt::LeftButton << (Qt::ControlModifier | Qt::ShiftModifier)
        << QStringList{u"move"_s} + sizes;
    QTest::newRow("Alt is not looked at") << u"jzxx"_s << Qt::LeftButton
                                          << (Qt::ControlModifier | Qt::AltModifier)
                                          << QStringList{u"move"_s};
    QTest::newRow("any button") << u"cpqc"_s << Qt::RightButton
                                << Qt::KeyboardModifiers(Qt::ControlModifier)
                                << QStringList{u"move"_s};
    QTest::newRow("no modifier") << u"cpqc"_s << Qt::LeftButton << Qt::KeyboardModifiers()
                                 << QStringList{};
    QTest::newRow("Alt alone") << u"cpqc"_s << Qt::LeftButton
                               << Qt::KeyboardModifiers(Qt::AltModifier) << QStringList{};
    QTest::newRow("key-family field ignores presses")
        << u"cskr"_s << Qt::LeftButton << Qt::KeyboardModifiers(Qt::ControlModifier)
        << QStringList{};
}

void TestLayoutEditing::pointerGesture()
{
    QFETCH(QString, control);
    QFETCH(Qt::MouseButton, button);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QStringList, steps);

    Form form;
    RecordingDialogs dialogs;
    QWidget *field = form.control(control);
    const QRect before = field->geometry();
    // Each step leaves the control one pixel further right.
    for (int i = 1; i <= 5; ++i)
        dialogs.stepResults.append(before.translated(i, 0));

    QTest::mousePress(field, button, modifiers, QPoint(5, 5));
    QTest::mouseRelease(field, button, modifiers, QPoint(5, 5));

    QCOMPARE(dialogs.stepKinds(), steps);
    for (const RecordingDialogs::Step &step : dialogs.steps)
        QCOMPARE(step.control, control);
    QCOMPARE(field->geometry(), before.translated(int(steps.size()), 0));
    QVERIFY(dialogs.shown.isEmpty());
}

void TestLayoutEditing::keyGesture_data()
{
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("text");

    const QStringList sizes{u"left"_s, u"right"_s, u"top"_s, u"bottom"_s};
    // The press of Shift alone, with the modifier reported as Windows does, or without it as
    // X11 reports the modifier key's own press.
    QTest::newRow("Shift key") << Qt::Key_Shift << Qt::KeyboardModifiers(Qt::ShiftModifier)
                               << QString() << sizes << QString();
    QTest::newRow("Shift key, modifier not yet set")
        << Qt::Key_Shift << Qt::KeyboardModifiers() << QString() << sizes << QString();
    QTest::newRow("Ctrl key") << Qt::Key_Control << Qt::KeyboardModifiers(Qt::ControlModifier)
                              << QString() << QStringList{u"move"_s} << QString();
    QTest::newRow("Ctrl+Shift")
        << Qt::Key_Shift << (Qt::ControlModifier | Qt::ShiftModifier) << QString()
        << QStringList{u"move"_s} + sizes << QString();
    QTest::newRow("Shift+A sizes, then types") << Qt::Key_A
                                               << Qt::KeyboardModifiers(Qt::ShiftModifier)
                                               << u"A"_s << sizes << u"A"_s;
    QTest::newRow("plain key") << Qt::Key_B << Qt::KeyboardModifiers() << u"b"_s
                               << QStringList{} << u"b"_s;
    QTest::newRow("Alt key") << Qt::Key_Alt << Qt::KeyboardModifiers(Qt::AltModifier)
                             << QString() << QStringList{} << QString();
}

void TestLayoutEditing::keyGesture()
{
    QFETCH(Qt::Key, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QString, typed);
    QFETCH(QStringList, steps);
    QFETCH(QString, text);

    Form form;
    RecordingDialogs dialogs;
    QLineEdit *cskr = form.edit(u"cskr"_s);
    cskr->setFocus();
    QStringList textDuringSteps;
    dialogs.onStep = [&](QWidget *, const QString &) { textDuringSteps.append(cskr->text()); };

    pressKey(cskr, key, modifiers, typed);

    QCOMPARE(dialogs.stepKinds(), steps);
    // Every step ran before the key reached the field.
    QCOMPARE(textDuringSteps, QStringList(steps.size(), QString()));
    QCOMPARE(cskr->text(), text);
}

void TestLayoutEditing::plainPressKeepsFieldBehaviour_data()
{
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::newRow("no modifier") << Qt::KeyboardModifiers();
    QTest::newRow("Alt") << Qt::KeyboardModifiers(Qt::AltModifier);
}

void TestLayoutEditing::plainPressKeepsFieldBehaviour()
{
    QFETCH(Qt::KeyboardModifiers, modifiers);

    Form form;
    RecordingDialogs dialogs;
    QLineEdit *cpqc = form.edit(u"cpqc"_s);
    QLineEdit *jzyt = form.edit(u"jzyt"_s);
    cpqc->setText(u"abcdefgh"_s);
    jzyt->setFocus();
    QCOMPARE(cpqc->cursorPosition(), 8);
    const QRect before = cpqc->geometry();

    QTest::mouseClick(cpqc, Qt::LeftButton, modifiers, QPoint(2, 10));

    QCOMPARE(form.window.focusWidget(), cpqc);
    QCOMPARE(cpqc->cursorPosition(), 0);
    QCOMPARE(cpqc->geometry(), before);
    QVERIFY(dialogs.steps.isEmpty());
}

void TestLayoutEditing::pressInsideCompositeControlMovesIt()
{
    Form form;
    RecordingDialogs dialogs;
    QWidget *scpqc = form.control(u"scpqc"_s);
    auto *button = scpqc->findChild<QToolButton *>(u"button"_s);
    dialogs.stepResults.append(QRect(300, 200, 20, 20));

    QTest::mousePress(button, Qt::LeftButton, Qt::ControlModifier);
    QTest::mouseRelease(button, Qt::LeftButton, Qt::ControlModifier);

    QCOMPARE(dialogs.stepKinds(), QStringList{u"move"_s});
    QCOMPARE(dialogs.steps.first().control, u"scpqc"_s);
    QCOMPARE(scpqc->pos(), QPoint(300, 200));
    QCOMPARE(button->pos(), QPoint(0, 0));
}

// The real pointer loop of the move, driven by the events a user's mouse and keyboard make.
void TestLayoutEditing::realMove_data()
{
    QTest::addColumn<QPoint>("to");       // where the pointer goes, in panel coordinates
    QTest::addColumn<QString>("ending");  // "release", "enter", "escape", "arrows"
    QTest::addColumn<QPoint>("moved");    // how far the control ends up moved

    // cpqc is pressed at panel point (40, 50).
    QTest::newRow("drag and release") << QPoint(70, 62) << u"release"_s << QPoint(30, 12);
    QTest::newRow("drag left and up") << QPoint(15, 45) << u"release"_s << QPoint(-25, -5);
    QTest::newRow("Enter confirms") << QPoint(90, 50) << u"enter"_s << QPoint(50, 0);
    QTest::newRow("Esc restores") << QPoint(90, 80) << u"escape"_s << QPoint(0, 0);
    QTest::newRow("arrow keys nudge") << QPoint(40, 50) << u"arrows"_s << QPoint(2, -1);
    // The pointer counts only inside the panel (500 x 300).
    QTest::newRow("kept inside the panel") << QPoint(1500, 900) << u"release"_s
                                           << QPoint(459, 249);
}

void TestLayoutEditing::realMove()
{
    QFETCH(QPoint, to);
    QFETCH(QString, ending);
    QFETCH(QPoint, moved);

    Form form;
    RecordingDialogs dialogs;
    dialogs.realInteraction = true;
    QWidget *panel = form.slip;
    QLineEdit *cpqc = form.edit(u"cpqc"_s);
    const QRect before = cpqc->geometry();
    const QPoint from(40, 50);
    QRect during;

    dialogs.onStep = [&](QWidget *, const QString &) {
        QTimer::singleShot(0, panel, [&] {
            QTest::mouseMove(panel, to);
            during = cpqc->geometry();
            if (ending == u"release") {
                QTest::mouseRelease(panel, Qt::LeftButton, Qt::ControlModifier, to);
            } else if (ending == u"enter") {
                QTest::keyClick(cpqc, Qt::Key_Return);
            } else if (ending == u"escape") {
                QTest::keyClick(cpqc, Qt::Key_Escape);
            } else {
                QTest::keyClick(cpqc, Qt::Key_Right);
                QTest::keyClick(cpqc, Qt::Key_Right);
                QTest::keyClick(cpqc, Qt::Key_Up);
                QTest::keyClick(cpqc, Qt::Key_Enter);
            }
        });
    };

    QTest::mousePress(cpqc, Qt::LeftButton, Qt::ControlModifier, cpqc->mapFrom(panel, from));
    if (ending != u"release")
        QTest::mouseRelease(panel, Qt::LeftButton, {}, to);

    QCOMPARE(dialogs.stepKinds(), QStringList{u"move"_s});
    // The control follows the pointer while the step runs.
    if (ending != u"arrows") {
        QPoint seen(qBound(0, to.x(), 499), qBound(0, to.y(), 299));
        QCOMPARE(during.topLeft(), before.topLeft() + seen - from);
    }
    QCOMPARE(cpqc->geometry(), before.translated(moved));
    QVERIFY(!QWidget::mouseGrabber());
    QVERIFY(!QWidget::keyboardGrabber());
}

void TestLayoutEditing::realSizingOnShiftKey()
{
    Form form;
    RecordingDialogs dialogs;
    dialogs.realInteraction = true;
    QWidget *panel = form.cheque;
    QLineEdit *cskr = form.edit(u"cskr"_s); // 30, 40, 120 x 20
    cskr->setFocus();
    QPoint pointer(100, 100);
    QTest::mouseMove(panel, pointer);

    // Each edge follows the pointer from where the previous step ended; a click ends it.
    const QList<QPoint> moves{{-10, 0}, {25, 7}, {3, -6}, {0, 14}};
    int stepIndex = 0;
    QStringList textDuringSteps;
    dialogs.onStep = [&](QWidget *, const QString &) {
        textDuringSteps.append(cskr->text());
        QTimer::singleShot(0, panel, [&] {
            pointer += moves[stepIndex++];
            QTest::mouseMove(panel, pointer);
            QTest::mouseClick(panel, Qt::LeftButton, {}, pointer);
        });
    };

    pressKey(cskr, Qt::Key_Shift, Qt::ShiftModifier);

    QCOMPARE(dialogs.stepKinds(),
             (QStringList{u"left"_s, u"right"_s, u"top"_s, u"bottom"_s}));
    QCOMPARE(cskr->geometry(), QRect(QPoint(20, 34), QPoint(174, 73)));
    QCOMPARE(textDuringSteps, QStringList(4, QString()));
    QCOMPARE(cskr->text(), QString());
}

void TestLayoutEditing::realMoveThenSizingWithEscape()
{
    Form form;
    RecordingDialogs dialogs;
    dialogs.realInteraction = true;
    QWidget *panel = form.slip;
    QLineEdit *cpqc = form.edit(u"cpqc"_s); // 30, 40, 150 x 20
    QPoint pointer(40, 50);

    // Move by (10, 10) with the button held; then left -5, right +40 but Esc, top -4,
    // bottom +6, each with a click.
    const QList<QPoint> moves{{10, 10}, {-5, 0}, {40, 0}, {0, -4}, {0, 6}};
    int stepIndex = 0;
    dialogs.onStep = [&](QWidget *, const QString &kind) {
        QTimer::singleShot(0, panel, [&, kind] {
            pointer += moves[stepIndex++];
            QTest::mouseMove(panel, pointer);
            if (kind == u"move") {
                QTest::mouseRelease(panel, Qt::LeftButton, {}, pointer);
            } else if (kind == u"right") {
                QTest::keyClick(cpqc, Qt::Key_Escape);
                // The next step starts where the pointer is now.
            } else {
                QTest::mouseClick(panel, Qt::LeftButton, {}, pointer);
            }
        });
    };

    QTest::mousePress(cpqc, Qt::LeftButton, Qt::ControlModifier | Qt::ShiftModifier,
                      cpqc->mapFrom(panel, pointer));

    QCOMPARE(dialogs.stepKinds(),
             (QStringList{u"move"_s, u"left"_s, u"right"_s, u"top"_s, u"bottom"_s}));
    // Moved to (40, 50); left edge 35; right edge back at 189; top 46, bottom 50 + 19 + 6.
    QCOMPARE(cpqc->geometry(), QRect(QPoint(35, 46), QPoint(189, 75)));
    QCOMPARE(dialogs.steps[2].before, QRect(QPoint(35, 50), QPoint(189, 69)));
}

void TestLayoutEditing::firstDialogUsesDesignedFont()
{
    Form form;
    RecordingDialogs dialogs;
    QLineEdit *jzyt = form.edit(u"jzyt"_s);
    jzyt->setText(u"hello world"_s);

    QTest::mouseDClick(jzyt, Qt::LeftButton, {}, QPoint(3, 10));

    QCOMPARE(dialogs.fontInitials.size(), 1);
    QCOMPARE(dialogs.fontInitials.first().family(), u"宋体"_s);
    QCOMPARE(dialogs.fontInitials.first().pixelSize(), 15);
    QVERIFY(!sameFont(dialogs.fontInitials.first(), jzyt->font()));
    // The field still does what a double-click does in it.
    QCOMPARE(jzyt->selectedText(), u"hello"_s);
}

void TestLayoutEditing::cancelChangesNothing()
{
    Form form;
    RecordingDialogs dialogs;
    QLineEdit *jzyt = form.edit(u"jzyt"_s);
    const QFont before = jzyt->font();
    dialogs.fonts.append(std::nullopt);

    QTest::mouseDClick(jzyt, Qt::LeftButton);

    QCOMPARE(dialogs.lastKind(), u"font"_s);
    QVERIFY(sameFont(jzyt->font(), before));
    QVERIFY(sameFont(form.editing->dialogFont(), LayoutEditing::designedFont()));
}

void TestLayoutEditing::confirmedFontGoesToControl()
{
    Form form;
    RecordingDialogs dialogs;
    QLineEdit *jzyt = form.edit(u"jzyt"_s);
    QFont chosen(u"黑体"_s, 14);
    chosen.setBold(true);
    chosen.setItalic(true);
    dialogs.fonts.append(chosen);

    QTest::mouseDClick(jzyt, Qt::LeftButton);

    QCOMPARE(jzyt->font().family(), u"黑体"_s);
    QVERIFY(jzyt->font().bold());
    QVERIFY(jzyt->font().italic());
    // 14 points are 19 pixels on screen, and read back as 14 points.
    QCOMPARE(jzyt->font().pixelSize(), 19);
    QCOMPARE(fontPointSize(jzyt->font()), 14);
}

void TestLayoutEditing::dialogRemembersLastFontAcrossControlsAndPages()
{
    Form form;
    RecordingDialogs dialogs;
    const QFont forJzyt = boldSong14();
    dialogs.fonts = {forJzyt, std::nullopt, std::nullopt};

    QTest::mouseDClick(form.edit(u"jzyt"_s), Qt::LeftButton);
    QTest::mouseDClick(form.edit(u"jzfh"_s), Qt::LeftButton); // cancelled
    QTest::mouseDClick(form.edit(u"cskr"_s), Qt::LeftButton); // the cheque page

    QCOMPARE(dialogs.fontInitials.size(), 3);
    QVERIFY(sameFont(dialogs.fontInitials[1], forJzyt));
    QVERIFY(sameFont(dialogs.fontInitials[2], forJzyt));
    QVERIFY(!form.edit(u"jzfh"_s)->font().bold());
}

void TestLayoutEditing::doubleClickWithoutFontHandler()
{
    Form form;
    RecordingDialogs dialogs;
    QWidget *scpqc = form.control(u"scpqc"_s);

    QTest::mouseDClick(scpqc->findChild<QToolButton *>(u"button"_s), Qt::LeftButton);
    QTest::mouseDClick(scpqc, Qt::LeftButton);
    QVERIFY(dialogs.shown.isEmpty());

    // A control inside a font control counts once.
    QTest::mouseDClick(form.edit(u"jzxx"_s), Qt::LeftButton);
    QCOMPARE(dialogs.shown.size(), 1);
}

void TestLayoutEditing::moveReachesLayoutFileOnlyThroughSave()
{
    TestFolder folder(false);
    Form form;
    RecordingDialogs dialogs;
    QLineEdit *cpqc = form.edit(u"cpqc"_s);
    saveLayout(folder.path(), kSlip, form.slip);
    const ProfileFile file(layoutFilePath(folder.path(), kSlip));
    dialogs.stepResults.append(QRect(77, 88, 150, 20));

    QTest::mousePress(cpqc, Qt::LeftButton, Qt::ControlModifier);
    QTest::mouseRelease(cpqc, Qt::LeftButton, Qt::ControlModifier);

    QCOMPARE(cpqc->pos(), QPoint(77, 88));
    QCOMPARE(file.readInteger(u"cpqc"_s, u"left"_s, -1), 30);
    QCOMPARE(file.readInteger(u"cpqc"_s, u"top"_s, -1), 40);

    saveLayout(folder.path(), kSlip, form.slip); // what a print does first
    QCOMPARE(file.readInteger(u"cpqc"_s, u"left"_s, -1), 77);
    QCOMPARE(file.readInteger(u"cpqc"_s, u"top"_s, -1), 88);
}

void TestLayoutEditing::boldFontPrintsFaceAndSizeOnly()
{
    TestFolder folder(false);
    Form form;
    RecordingDialogs dialogs;
    QLineEdit *jzyt = form.edit(u"jzyt"_s);
    jzyt->setText(u"货款"_s);
    dialogs.fonts.append(boldSong14());

    QTest::mouseDClick(jzyt, Qt::LeftButton);
    QVERIFY(jzyt->font().bold());

    saveLayout(folder.path(), kSlip, form.slip);
    const ProfileFile file(layoutFilePath(folder.path(), kSlip));
    QCOMPARE(file.readString(u"jzyt"_s, u"name"_s, {}), u"宋体"_s);
    QCOMPARE(file.readInteger(u"jzyt"_s, u"size"_s, -1), 14);
    QFile raw(file.path());
    QVERIFY(raw.open(QIODevice::ReadOnly));
    const QByteArray bytes = raw.readAll().toLower();
    QVERIFY(!bytes.contains("bold"));
    QVERIFY(!bytes.contains("style"));
    QVERIFY(!bytes.contains("weight"));

    WriteCalibrationFile(folder.path(), u"0"_s, u"0"_s);
    RecordingCanvas canvas;
    printDocument(canvas, folder.path(), kSlip, form.slip, PrintJobOptions{},
                  [](const QString &) { return std::optional<double>(); });
    bool found = false;
    for (const RecordingCanvas::Call &call : canvas.texts()) {
        if (call.text == u"货款"_s) {
            found = true;
            QCOMPARE(call.face, u"宋体"_s);
            QCOMPARE(call.pointSize, 14);
        }
    }
    QVERIFY(found);
}

void TestLayoutEditing::reloadRestoresPositionsKeepsSizes()
{
    TestFolder folder(false);
    Form form;
    RecordingDialogs dialogs;
    QLineEdit *cpqc = form.edit(u"cpqc"_s);
    saveLayout(folder.path(), kSlip, form.slip);
    const QRect saved = cpqc->geometry();
    dialogs.stepResults = {QRect(60, 70, 150, 20), QRect(50, 70, 160, 20),
                           QRect(50, 70, 200, 20), std::nullopt, QRect(50, 70, 200, 31)};

    QTest::mousePress(cpqc, Qt::LeftButton, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::mouseRelease(cpqc, Qt::LeftButton);
    QCOMPARE(cpqc->geometry(), QRect(50, 70, 200, 31));

    // Leaving the page and coming back loads the layout file again.
    loadLayout(folder.path(), kSlip, form.slip);

    QCOMPARE(cpqc->pos(), saved.topLeft());
    QCOMPARE(cpqc->size(), QSize(200, 31));
}

QTEST_MAIN(TestLayoutEditing)
#include "tst_layoutediting.moc"
