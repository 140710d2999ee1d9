#include "documentpage.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

#include "currency.h"
#include "datepicker.h"
#include "digitcelledit.h"
#include "fieldlink.h"
#include "picklist.h"

DocumentPage::DocumentPage(const Names &names, Queries *queries, QWidget *parent)
    : QWidget(parent), m_queries(queries)
{
    setObjectName(QString::fromUtf16(names.content));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_form = new QWidget(this);
    m_form->setObjectName(QString::fromUtf16(names.form));
    m_form->setFixedHeight(names.formHeight);
    m_picture = new QLabel(m_form);
    m_picture->setObjectName(QString::fromUtf16(names.picture));
    const QPixmap picture(QString::fromUtf16(names.picturePath));
    m_picture->setPixmap(picture);
    // Natural size from the panel's top-left corner, never stretched: positions over it are
    // converted to millimetres on paper.
    m_picture->setGeometry(0, 0, picture.width(), picture.height());
    m_picture->setScaledContents(false);
    layout->addWidget(m_form);

    m_bar = new QWidget(this);
    m_bar->setObjectName(QString::fromUtf16(names.bar));
    m_bar->setFixedHeight(25);
    layout->addWidget(m_bar);

    m_gridArea = new QWidget(this);
    auto *gridLayout = new QVBoxLayout(m_gridArea);
    gridLayout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_gridArea, 1);
}

QFont DocumentPage::fieldFont()
{
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(13);
    return font;
}

QWidget *DocumentPage::control(QStringView name) const
{
    if (QWidget *w = field(name))
        return w;
    return m_bar->findChild<QWidget *>(name.toString(), Qt::FindDirectChildrenOnly);
}

void DocumentPage::seeThrough(QLineEdit *edit)
{
    edit->setFrame(false);
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, Qt::transparent);
    edit->setPalette(palette);
}

void DocumentPage::buildFields(std::span<const FieldSpec> fields, RecordSet *list,
                               const std::function<RecordSet *(QStringView)> &pickList)
{
    for (const FieldSpec &item : fields) {
        const QString name = item.name.toString();
        const QString column = item.column.toString();
        QWidget *w = nullptr;
        switch (item.kind) {
        case FieldKind::Edit:
        case FieldKind::SunkenEdit:
        case FieldKind::NumberEdit:
        case FieldKind::PlainEdit: {
            auto *edit = new QLineEdit(m_form);
            if (item.kind == FieldKind::SunkenEdit)
                edit->setFrame(true);
            else
                seeThrough(edit);
            edit->setReadOnly(item.readOnly); // before binding: the link keeps the designed flag
            if (item.isBound())
                FieldLink::bind(edit, list, column,
                                item.kind == FieldKind::NumberEdit ? FieldLink::Kind::Number
                                                                   : FieldLink::Kind::Text);
            w = edit;
            break;
        }
        case FieldKind::DigitCells: {
            auto *amount = new DigitCellEdit(m_form);
            amount->setCellCount(item.cells);
            amount->setCellWidth(item.cellWidth);
            amount->setCurrencySymbol(CurrencyMark(QStringLiteral("人民币")).value_or(QString()));
            seeThrough(amount);
            amount->bind(list, column);
            w = amount;
            break;
        }
        case FieldKind::DatePicker:
            w = new DatePicker(m_form);
            break;
        case FieldKind::PickList: {
            auto *pick = new PickList(m_form);
            pick->setListWidth(item.listWidth);
            pick->bind(pickList(item.name));
            w = pick;
            break;
        }
        case FieldKind::CurrencyCombo: {
            auto *combo = new QComboBox(m_form);
            combo->addItems(CurrencyNames());
            FieldLink::bind(combo, list, column);
            w = combo;
            break;
        }
        }
        w->setObjectName(name);
        w->setFont(fieldFont());
        w->setGeometry(item.left, item.top, item.width, item.height);
        if (!item.hint.isEmpty())
            w->setToolTip(item.hint.toString());
        if (item.hidden)
            w->hide();
        m_fields.insert(name, w);
    }

    std::vector<const FieldSpec *> order;
    for (const FieldSpec &item : fields)
        order.push_back(&item);
    std::stable_sort(order.begin(), order.end(),
                     [](const FieldSpec *a, const FieldSpec *b) { return a->tabOrder < b->tabOrder; });
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(field(order[i - 1]->name), field(order[i]->name));
}
