#include "reportdesigner.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QHBoxLayout>
#include <QLabel>
#include <QPen>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "designeritem.h"
#include "dialogs.h"
#include "frxunits.h"
#include "guard.h"

namespace {

QDoubleSpinBox *makeMmBox(QWidget *parent, const QString &objectName)
{
    auto *box = new QDoubleSpinBox(parent);
    box->setObjectName(objectName);
    box->setRange(-1000, 1000);
    box->setDecimals(2);
    box->setSingleStep(0.5);
    box->setSuffix(QStringLiteral(" mm"));
    return box;
}

} // namespace

ReportDesigner::ReportDesigner(Report &shown, const QString &path, QWidget *parent)
    : QDialog(parent), m_shown(shown), m_path(path)
{
    setObjectName(QStringLiteral("ReportDesigner"));
    setWindowTitle(QStringLiteral("模板设计 - %1").arg(QFileInfo(path).fileName()));
    setModal(true);
    // Without the file (removed since the report was loaded) the template to save is the
    // report as shown.
    if (!m_template.load(path))
        m_template.loadBytes(m_shown.toBytes(), path);

    m_scene = new QGraphicsScene(this);
    m_view = new QGraphicsView(m_scene, this);
    m_view->setObjectName(QStringLiteral("designerView"));
    m_view->setBackgroundBrush(QColor(200, 200, 200));
    m_view->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_view->setDragMode(QGraphicsView::NoDrag);
    // Screen scale: the scene is in 1/96 inch, the screen has its own dots per inch.
    m_view->scale(m_view->logicalDpiX() / frx::kUnitsPerInch, m_view->logicalDpiY() / frx::kUnitsPerInch);

    buildPanel();
    connect(m_scene, &QGraphicsScene::selectionChanged, this, [this] {
        const QString name = selectedObject();
        if (!name.isEmpty() && !m_updating)
            m_objectBox->setCurrentIndex(m_objectBox->findText(name, Qt::MatchFixedString));
        refreshPanel();
    });
    showPage(0);

    const QSizeF paper = m_scene->sceneRect().size();
    resize(std::min(1200, int(paper.width() * m_view->logicalDpiX() / frx::kUnitsPerInch) + 320),
           std::min(800, int(paper.height() * m_view->logicalDpiY() / frx::kUnitsPerInch) + 80));
}

ReportDesigner::~ReportDesigner()
{
    // The scene's items go after this object; their selection changes must not reach it.
    disconnect(m_scene, nullptr, this, nullptr);
}

void ReportDesigner::buildPanel()
{
    auto *panel = new QWidget(this);
    auto *form = new QFormLayout(panel);

    m_pageBox = new QComboBox(panel);
    m_pageBox->setObjectName(QStringLiteral("pageBox"));
    for (int i = 0; i < m_shown.pages().size(); ++i)
        m_pageBox->addItem(QStringLiteral("第 %1 页").arg(i + 1));
    form->addRow(QStringLiteral("页："), m_pageBox);
    if (m_shown.pages().size() < 2) {
        m_pageBox->hide();
        form->labelForField(m_pageBox)->hide();
    }
    connect(m_pageBox, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!m_updating && index >= 0)
            showPage(index);
    });

    m_objectBox = new QComboBox(panel);
    m_objectBox->setObjectName(QStringLiteral("objectBox"));
    form->addRow(QStringLiteral("对象："), m_objectBox);
    connect(m_objectBox, &QComboBox::currentTextChanged, this, [this](const QString &name) {
        if (!m_updating)
            selectObject(name);
    });

    m_textEdit = new QPlainTextEdit(panel);
    m_textEdit->setObjectName(QStringLiteral("textEdit"));
    m_textEdit->setMaximumHeight(90);
    form->addRow(QStringLiteral("文字："), m_textEdit);
    connect(m_textEdit, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_updating)
            setObjectText(selectedObject(), m_textEdit->toPlainText());
    });

    m_fontLabel = new QLabel(panel);
    m_fontButton = new QPushButton(QStringLiteral("字体..."), panel);
    m_fontButton->setObjectName(QStringLiteral("fontButton"));
    auto *fontRow = new QHBoxLayout;
    fontRow->addWidget(m_fontLabel, 1);
    fontRow->addWidget(m_fontButton);
    form->addRow(QStringLiteral("字体："), fontRow);
    connect(m_fontButton, &QPushButton::clicked, this, [this] {
        guarded(this, [this] { chooseFont(selectedObject()); });
    });

    m_left = makeMmBox(panel, QStringLiteral("leftBox"));
    m_top = makeMmBox(panel, QStringLiteral("topBox"));
    m_width = makeMmBox(panel, QStringLiteral("widthBox"));
    m_height = makeMmBox(panel, QStringLiteral("heightBox"));
    m_width->setMinimum(0);
    m_height->setMinimum(0);
    form->addRow(QStringLiteral("左："), m_left);
    form->addRow(QStringLiteral("上："), m_top);
    form->addRow(QStringLiteral("宽："), m_width);
    form->addRow(QStringLiteral("高："), m_height);
    // Each box changes only its own measure, so the others keep their exact values.
    auto place = [this](QDoubleSpinBox *box, auto apply) {
        connect(box, &QDoubleSpinBox::valueChanged, this, [this, apply](double mm) {
            const Pair pair = find(selectedObject());
            if (m_updating || !pair.shown)
                return;
            apply(pair.shown->rect(), frx::mmToUnits(mm));
        });
    };
    place(m_left, [this](const QRectF &r, double v) { moveObject(selectedObject(), QPointF(v, r.y())); });
    place(m_top, [this](const QRectF &r, double v) { moveObject(selectedObject(), QPointF(r.x(), v)); });
    place(m_width, [this](const QRectF &r, double v) { resizeObject(selectedObject(), QSizeF(v, r.height())); });
    place(m_height, [this](const QRectF &r, double v) { resizeObject(selectedObject(), QSizeF(r.width(), v)); });

    auto *buttons = new QDialogButtonBox(panel);
    m_saveButton = buttons->addButton(QStringLiteral("保存"), QDialogButtonBox::ActionRole);
    m_saveButton->setObjectName(QStringLiteral("saveButton"));
    QPushButton *close = buttons->addButton(QStringLiteral("关闭"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("closeButton"));
    connect(m_saveButton, &QPushButton::clicked, this, [this] { guarded(this, [this] { save(); }); });
    connect(buttons, &QDialogButtonBox::rejected, this, &ReportDesigner::reject);

    auto *side = new QVBoxLayout;
    side->addWidget(panel);
    side->addStretch(1);
    side->addWidget(buttons);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(m_view, 1);
    layout->addLayout(side);
}

QPointF ReportDesigner::pageOrigin() const
{
    if (m_page >= m_shown.pages().size())
        return {};
    const ReportPage &page = m_shown.pages().at(m_page);
    return {frx::mmToUnits(page.leftMarginMm), frx::mmToUnits(page.topMarginMm)};
}

void ReportDesigner::showPage(int index)
{
    m_updating = true;
    m_scene->clear();
    m_items.clear();
    m_objectBox->clear();
    m_page = index;
    if (index >= 0 && index < m_shown.pages().size()) {
        m_pageBox->setCurrentIndex(index);
        const ReportPage &page = m_shown.pages().at(index);
        const QRectF paper(0, 0, frx::mmToUnits(page.paperWidthMm), frx::mmToUnits(page.paperHeightMm));
        auto *sheet = m_scene->addRect(paper, QPen(Qt::darkGray), Qt::white);
        sheet->setZValue(-2);
        QPen marginPen(QColor(170, 170, 220));
        marginPen.setStyle(Qt::DotLine);
        marginPen.setCosmetic(true);
        const QRectF printable = page.printableRectMm();
        auto *margins = m_scene->addRect(QRectF(frx::mmToUnits(printable.x()), frx::mmToUnits(printable.y()),
                                                frx::mmToUnits(printable.width()), frx::mmToUnits(printable.height())),
                                         marginPen);
        margins->setZValue(-1);
        for (TextObject *object : page.objects) {
            auto *item = new DesignerItem(
                object, [this](DesignerItem *moved, QPointF scenePos) { moveObject(moved->name(), scenePos - pageOrigin()); },
                [this](DesignerItem *sized, QSizeF size) { resizeObject(sized->name(), size); });
            item->setPos(pageOrigin() + object->rect().topLeft());
            m_scene->addItem(item);
            m_items.insert(object->name().toLower(), item);
            m_objectBox->addItem(object->name());
        }
        m_scene->setSceneRect(paper.adjusted(-10, -10, 10, 10));
    }
    m_objectBox->setCurrentIndex(-1);
    m_updating = false;
    refreshPanel();
}

ReportDesigner::Pair ReportDesigner::find(const QString &name) const
{
    if (name.isEmpty())
        return {};
    return {m_shown.findObject(name), m_template.findObject(name)};
}

DesignerItem *ReportDesigner::item(const QString &name) const
{
    return m_items.value(name.toLower());
}

void ReportDesigner::markModified()
{
    m_modified = true;
}

bool ReportDesigner::moveObject(const QString &name, QPointF topLeft)
{
    const Pair pair = find(name);
    if (!pair.shown && !pair.saved)
        return false;
    if (pair.shown)
        pair.shown->setPos(topLeft);
    if (pair.saved)
        pair.saved->setPos(topLeft);
    if (DesignerItem *it = item(name); it && pair.shown)
        it->setPos(pageOrigin() + pair.shown->rect().topLeft());
    markModified();
    if (selectedObject().compare(name, Qt::CaseInsensitive) == 0)
        refreshPanel();
    return true;
}

bool ReportDesigner::resizeObject(const QString &name, QSizeF size)
{
    const Pair pair = find(name);
    if (!pair.shown && !pair.saved)
        return false;
    if (pair.shown)
        pair.shown->setSize(size);
    if (pair.saved)
        pair.saved->setSize(size);
    if (DesignerItem *it = item(name); it && pair.shown) {
        it->setRect(QRectF(QPointF(0, 0), pair.shown->rect().size()));
    }
    markModified();
    if (selectedObject().compare(name, Qt::CaseInsensitive) == 0)
        refreshPanel();
    return true;
}

bool ReportDesigner::setObjectText(const QString &name, const QString &text)
{
    const Pair pair = find(name);
    if (!pair.shown && !pair.saved)
        return false;
    if (pair.shown)
        pair.shown->setText(text);
    if (pair.saved)
        pair.saved->setText(text);
    if (DesignerItem *it = item(name))
        it->update();
    markModified();
    if (selectedObject().compare(name, Qt::CaseInsensitive) == 0 && m_textEdit->toPlainText() != text)
        refreshPanel();
    return true;
}

bool ReportDesigner::setObjectFont(const QString &name, const QFont &font)
{
    const Pair pair = find(name);
    if (!pair.shown && !pair.saved)
        return false;
    if (pair.shown)
        pair.shown->setFont(font);
    if (pair.saved)
        pair.saved->setFont(font);
    if (DesignerItem *it = item(name))
        it->update();
    markModified();
    if (selectedObject().compare(name, Qt::CaseInsensitive) == 0)
        refreshPanel();
    return true;
}

bool ReportDesigner::chooseFont(const QString &name)
{
    const Pair pair = find(name);
    if (!pair.shown && !pair.saved)
        return false;
    const QFont initial = pair.shown ? pair.shown->font() : pair.saved->font();
    const std::optional<QFont> chosen = Dialogs::instance().chooseFont(this, initial);
    if (!chosen)
        return false;
    return setObjectFont(name, *chosen);
}

bool ReportDesigner::selectObject(const QString &name)
{
    DesignerItem *it = item(name);
    if (!it)
        return false;
    m_scene->clearSelection();
    it->setSelected(true);
    m_view->ensureVisible(it);
    return true;
}

QString ReportDesigner::selectedObject() const
{
    const QList<QGraphicsItem *> selected = m_scene->selectedItems();
    for (QGraphicsItem *it : selected) {
        if (auto *designerItem = dynamic_cast<DesignerItem *>(it))
            return designerItem->name();
    }
    return {};
}

void ReportDesigner::refreshPanel()
{
    const bool wasUpdating = m_updating;
    m_updating = true;
    const Pair pair = find(selectedObject());
    const bool any = pair.shown != nullptr;
    for (QWidget *w : {static_cast<QWidget *>(m_textEdit), static_cast<QWidget *>(m_fontButton),
                       static_cast<QWidget *>(m_left), static_cast<QWidget *>(m_top),
                       static_cast<QWidget *>(m_width), static_cast<QWidget *>(m_height)})
        w->setEnabled(any);
    if (any) {
        const QRectF r = pair.shown->rect();
        if (m_textEdit->toPlainText() != pair.shown->text())
            m_textEdit->setPlainText(pair.shown->text());
        m_left->setValue(frx::unitsToMm(r.x()));
        m_top->setValue(frx::unitsToMm(r.y()));
        m_width->setValue(frx::unitsToMm(r.width()));
        m_height->setValue(frx::unitsToMm(r.height()));
        const QFont font = pair.shown->font();
        m_fontLabel->setText(QStringLiteral("%1 %2").arg(font.family()).arg(font.pointSizeF()));
    } else {
        m_textEdit->clear();
        m_fontLabel->clear();
    }
    m_updating = wasUpdating;
}

void ReportDesigner::save()
{
    m_template.save(m_path);
    m_modified = false;
}

void ReportDesigner::done(int result)
{
    if (m_modified
        && Dialogs::instance().question(this, kInfoCaption, QStringLiteral("模板已经修改，是否保存？"))
        && !guarded(this, [this] { save(); }))
        return; // the file could not be written: stay open
    QDialog::done(result);
}
